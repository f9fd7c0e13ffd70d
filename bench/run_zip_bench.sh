#!/usr/bin/env bash
# Times extracting and re-archiving a realistic project with our ZIP layer, bsdtar (libarchive) and
# Python's zipfile, side by side, checks that all three agree on names and data, and shows that peak
# memory does not grow with the archive (an archive of more than 1 GiB).
#
# usage: bench/run_zip_bench.sh [work-folder]
# environment: TOTAL_MB (300), FILES (3000), REPEAT (3, best run counts), BIG_MB (1200, 0 to skip),
#              KEEP=1 keeps the work folder.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/.." && pwd)"
work="${1:-$root/build/bench-data}"
TOTAL_MB="${TOTAL_MB:-300}"; FILES="${FILES:-3000}"; REPEAT="${REPEAT:-3}"; BIG_MB="${BIG_MB:-1200}"

build="$root/build/bench"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCVQ_SANITIZE=OFF >/dev/null
cmake --build "$build" --target zip_bench >/dev/null
bench="$build/bench/zip_bench"

rm -rf "$work"; mkdir -p "$work"
[ "${KEEP:-0}" = 1 ] || trap 'rm -rf "$work"' EXIT
cd "$work"

py_extract='import sys, zipfile; zipfile.ZipFile(sys.argv[1], metadata_encoding="cp932").extractall(sys.argv[2])'
py_create='
import os, sys, zipfile
src, dst = sys.argv[1], sys.argv[2]
base = os.path.dirname(os.path.abspath(src))
with zipfile.ZipFile(dst, "x", zipfile.ZIP_DEFLATED, compresslevel=6) as z:
    for d, dirs, files in os.walk(src):
        dirs.sort()
        if not dirs and not files:
            z.write(d, os.path.relpath(d, base) + "/")
        for f in sorted(files):
            p = os.path.join(d, f)
            z.write(p, os.path.relpath(p, base))
'

# best_of <label> <command...>: runs REPEAT times (output folders and files removed in between),
# prints the best wall time and its peak memory, and sets SECONDS_<label> for the ratios.
best_of() {
  local label="$1"; shift
  local best="" rss="" log
  log="$(mktemp)"
  for _ in $(seq "$REPEAT"); do
    rm -rf out-* new-*
    /usr/bin/time -v -o "$log" "$@" >/dev/null 2>"$log.err" || { cat "$log.err"; exit 1; }
    local t m
    t="$(awk -F': ' '/Elapsed \(wall clock\)/ {n=split($2,a,":"); s=0; for(i=1;i<=n;i++) s=s*60+a[i]; print s}' "$log")"
    m="$(awk -F': ' '/Maximum resident set size/ {print $2}' "$log")"
    if [ -z "$best" ] || awk "BEGIN{exit !($t < $best)}"; then best="$t"; rss="$m"; fi
  done
  rm -f "$log" "$log.err"
  printf '  %-34s %8.2f s  %8.1f MB peak\n' "$label" "$best" "$(awk "BEGIN{print $rss/1024}")"
  printf -v "SECONDS_${label//[^A-Za-z0-9]/_}" '%s' "$best"
}

ratio() { awk "BEGIN{printf \"%.2f\", $1/$2}"; }

echo "== project tree: $(python3 "$here/make_project_tree.py" src "$TOTAL_MB" "$FILES")"
# The input as the program meets it: Shift_JIS names without the UTF-8 flag.
"$bench" create src/Plant in.vtq 0 shift_jis 2>/dev/null
echo "   input archive: $(du -m in.vtq | cut -f1) MB, $("$bench" list in.vtq 2>/dev/null | wc -l) entries; $(nproc) cores"
cat in.vtq >/dev/null; find src -type f -exec cat {} + >/dev/null  # warm the page cache

echo "== extract (Shift_JIS names), best of $REPEAT"
best_of ours "$bench" extract in.vtq out-ours shift_jis
best_of bsdtar sh -c 'mkdir out-bsdtar && bsdtar --options hdrcharset=CP932 -xf in.vtq -C out-bsdtar'
best_of python python3 -c "$py_extract" in.vtq out-python
echo "   ours/bsdtar $(ratio "$SECONDS_ours" "$SECONDS_bsdtar")   ours/python $(ratio "$SECONDS_ours" "$SECONDS_python")"

# Check: the three tools extract the same names and the same data.
"$bench" extract in.vtq chk-ours shift_jis 2>/dev/null
mkdir chk-bsdtar && bsdtar --options hdrcharset=CP932 -xf in.vtq -C chk-bsdtar
python3 -c "$py_extract" in.vtq chk-python
diff -r chk-ours chk-bsdtar >/dev/null && diff -r chk-ours chk-python >/dev/null && diff -r chk-ours/Plant src/Plant >/dev/null \
  && echo "   check: ours, bsdtar and python extract identical trees (names and data)" \
  || { echo "   CHECK FAILED: extracted trees differ"; exit 1; }

echo "== re-archive (UTF-8 names, Deflate level 6), best of $REPEAT"
best_of ours "$bench" create chk-ours/Plant new-ours.vtq
best_of ours_1_thread "$bench" create chk-ours/Plant new-ours1.vtq 1
best_of bsdtar sh -c 'cd chk-ours && bsdtar --format zip -cf ../new-bsdtar.zip Plant'
best_of python python3 -c "$py_create" chk-ours/Plant new-python.zip
echo "   ours/bsdtar $(ratio "$SECONDS_ours" "$SECONDS_bsdtar")   ours/python $(ratio "$SECONDS_ours" "$SECONDS_python")   2 threads vs 1: $(ratio "$SECONDS_ours" "$SECONDS_ours_1_thread")"

# Check: our archive is the same with 1 and 2 threads, and opens in Python and bsdtar unchanged.
"$bench" create chk-ours/Plant mt.vtq 2 2>/dev/null
"$bench" create chk-ours/Plant st.vtq 1 2>/dev/null
cmp -s mt.vtq st.vtq && echo "   check: identical archive with 1 and 2 threads ($(du -m mt.vtq | cut -f1) MB)" \
  || { echo "   CHECK FAILED: output depends on the thread count"; exit 1; }
python3 -c 'import sys, zipfile; z = zipfile.ZipFile(sys.argv[1]); assert z.testzip() is None; z.extractall(sys.argv[2])' mt.vtq chk-py-ours
mkdir chk-bsd-ours && bsdtar -xf mt.vtq -C chk-bsd-ours
diff -r chk-py-ours chk-ours >/dev/null && diff -r chk-bsd-ours chk-ours >/dev/null \
  && echo "   check: python and bsdtar read our archive back to the identical tree" \
  || { echo "   CHECK FAILED: our archive reads differently elsewhere"; exit 1; }
rm -rf chk-* mt.vtq st.vtq

if [ "$BIG_MB" -gt 0 ]; then
  echo "== streaming memory: one file of about ${BIG_MB} MB, mostly incompressible"
  mkdir -p big/Big
  python3 - "$BIG_MB" <<'PY'
import random, sys
rng = random.Random(1)
noise = rng.randbytes(900 << 10)
with open("big/Big/data.bin", "wb") as f:
    for i in range(int(sys.argv[1])):
        f.write(noise[i % 1000:] + noise[:i % 1000] + b"text line %08d\n" % i * 7000)
PY
  REPEAT=1 best_of big_create "$bench" create big/Big big.vtq
  echo "   archive: $(du -m big.vtq | cut -f1) MB"
  REPEAT=1 best_of big_extract "$bench" extract big.vtq out-big
  "$bench" extract big.vtq big-out 2>/dev/null
  cmp -s big/Big/data.bin big-out/Big/data.bin && echo "   check: the extracted file is identical" \
    || { echo "   CHECK FAILED: big file differs"; exit 1; }
  echo "   (peak memory as for the small archive above: it does not grow with the archive)"
fi
