#!/usr/bin/env python3
"""Builds a realistic project folder for the ZIP benchmark: a few thousand files of mixed sizes
(mostly small XML and text, some binaries, a few large data files), Japanese folder and file names
(including characters whose Shift_JIS second byte is 0x5C), deterministic for a given seed.

usage: make_project_tree.py <folder> [total_mb] [files]"""
import os
import random
import sys

root = sys.argv[1]
total_mb = int(sys.argv[2]) if len(sys.argv) > 2 else 300
count = int(sys.argv[3]) if len(sys.argv) > 3 else 3000
rng = random.Random(20240611)

words = ['設定', '表示', 'ソース', '機能', '十字', '能力', 'モデル', '図面', '部品', '工程', '検査', '配管',
         'ポンプ', 'バルブ', '圧力', '温度', '流量', 'データ', '履歴', '予備', 'Plant', 'Unit', 'Line']
folders = ['']
for _ in range(160):
    parent = rng.choice(folders)
    if parent.count('/') >= 4:
        continue
    name = rng.choice(words) + ('_%02d' % rng.randint(0, 99) if rng.random() < 0.6 else '')
    path = (parent + '/' if parent else '') + name
    if path not in folders:
        folders.append(path)

vocab = [w.encode('utf-8') for w in words] + [b'<item id="%d">' % i for i in range(50)] + \
        [b'value', b'</item>', b'\n', b'  ', b'name=', b'0.125', b'1024', b'true', b'false']
text_block = b' '.join(rng.choice(vocab) for _ in range(400000))  # about 3 MB to cut text from


def text(size):
    start = rng.randrange(0, len(text_block) - size) if size < len(text_block) else 0
    data = text_block[start:start + size]
    return data * (size // max(len(data), 1) + 1) if len(data) < size else data


def binary(size):
    # Half noise, half structure: compresses about as well as images and compiled data do.
    parts = []
    left = size
    while left > 0:
        n = min(left, rng.randint(512, 8192))
        parts.append(rng.randbytes(n) if rng.random() < 0.5 else bytes([rng.randrange(4)]) * n)
        left -= n
    return b''.join(parts)[:size]


budget = total_mb * 1024 * 1024
sizes = []
for i in range(count):
    r = rng.random()
    if r < 0.80:
        sizes.append(int(rng.lognormvariate(9.0, 1.2)))      # ~8 KB typical text and XML
    elif r < 0.97:
        sizes.append(int(rng.lognormvariate(12.0, 1.0)))     # ~160 KB binaries
    else:
        sizes.append(int(rng.uniform(2, 12) * 1024 * 1024))  # large data files
scale = budget / max(sum(sizes), 1)
sizes = [max(0, int(s * scale)) for s in sizes]
sizes[0] = 0  # an empty file, stored

written = 0
for i, size in enumerate(sizes):
    folder = rng.choice(folders)
    ext = rng.choice(['.xml', '.txt', '.csv', '.dat', '.bin', '.png'])
    name = '%s_%04d%s' % (rng.choice(words), i, ext)
    path = os.path.join(root, 'Plant', folder, name)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    data = text(size) if ext in ('.xml', '.txt', '.csv') else binary(size)
    with open(path, 'wb') as f:
        f.write(data)
    written += len(data)
for extra in ('空フォルダ', '予備/空'):
    os.makedirs(os.path.join(root, 'Plant', extra), exist_ok=True)
print('%d files, %.1f MB' % (len(sizes), written / 1048576))
