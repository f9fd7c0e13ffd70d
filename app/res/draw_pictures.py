#!/usr/bin/python3
# Draws every picture and icon of ConvertVtq.rc into pictures/. The outputs are committed, so building
# needs no drawing tools; rerun this by hand after changing a colour or size below:
#
#     cd app/res && ./draw_pictures.py        (needs Debian's python3-pil, fontconfig and fonts-noto-cjk)
#
# BMP and ICO files are written here byte by byte so that their formats (bits per pixel, palettes, icon
# masks) are exactly the ones the resource set needs; PNGs go through Pillow.
import math
import os
import struct
import subprocess

from PIL import Image, ImageDraw, ImageFont

# ---------------------------------------------------------------------------------------------------
# Colours and sizes. Changing a look means changing one line here.
# ---------------------------------------------------------------------------------------------------
OUT_DIR = "pictures"
SUPERSAMPLE = 8                           # anti-aliasing: shapes are drawn this many times larger

# Output folder button faces (bitmaps 500..503): 18 x 18 square plus one bottom row.
FACE_SIZE = (18, 19)
FACE_OUTSIDE = (113, 113, 113)            # the image button's own fill, seen at the rounded corners
FACE_FRAME = (20, 20, 20)
FACE_LAST_ROW = (119, 119, 119)
FACE_DOT_ROWS = (10, 11)                  # an ellipsis of three 2 x 2 dots just below the middle
FACE_DOT_COLUMNS = ((4, 5), (8, 9), (12, 13))
FACES = {  # file: (top inner line, fill at the top, fill at the bottom, dots)
    "outpath_normal.bmp":  ((128, 128, 128), (100, 100, 100), (65, 65, 65), (212, 212, 212)),
    "outpath_hover.bmp":   ((146, 146, 146), (119, 119, 119), (77, 77, 77), (213, 213, 213)),
    "outpath_press.bmp":   ((0, 85, 138), (0, 122, 199), (0, 102, 173), (239, 246, 250)),
    "outpath_disable.bmp": ((132, 132, 132), (117, 117, 117), (98, 98, 98), (142, 142, 142)),
}

# Convert button faces (IMAGE 504..507): rounded rectangles on a transparent ground, no text.
BUTTON_SIZE = (80, 38)
BUTTON_RADIUS = 6.0
BUTTONS = {  # file: (outline, fill at the top, fill at the bottom)
    "convert_normal.png":  ((28, 28, 28), (102, 102, 102), (60, 60, 60)),
    "convert_hover.png":   ((28, 28, 28), (79, 79, 79), (28, 28, 28)),
    "convert_press.png":   ((28, 28, 28), (192, 63, 72), (178, 7, 18)),
    "convert_disable.png": ((51, 51, 51), (115, 115, 115), (98, 98, 98)),
}

# Wait panel (IMAGE 508).
WAIT_SIZE = (300, 206)
WAIT_TOP = (51, 51, 51)
WAIT_BOTTOM = (36, 36, 36)
WAIT_ALPHA = 204                          # 80 % opaque everywhere
WAIT_TEXT = "お待ちください....."
WAIT_TEXT_COLOUR = (255, 255, 255)
WAIT_TEXT_WIDTH = 193                     # the font size is chosen so the text is about this wide
WAIT_FONT = "Noto Sans CJK JP:style=Regular"  # found through fontconfig (Debian's fonts-noto-cjk)

# Toolbar strips (bitmaps 128 and 129): eight 16 x 15 images.
TOOL_SIZE = (16, 15)
TOOL_COUNT = 8
TOOL_BACKGROUND = (192, 192, 192)

# Application icon (group 128).
APP_ORANGE = (220, 114, 19)
APP_WHITE = (255, 255, 255)
APP_CORNER = 0.09                         # corner radius of the square, as a share of the icon size
APP_CORNER_MIN = 2.5                      # ... but at least this many pixels, so small icons keep them
APP_STROKE = 0.045                        # line width of arrows and cube, as a share of the icon size
APP_STROKE_MIN = 1.25                     # ... but at least this many pixels
# Document icon (group 130).
DOC_PAGE = (255, 255, 255)
DOC_OUTLINE = (0, 0, 0)
DOC_FOLD = (192, 192, 192)
DOC_LINES = (128, 128, 128)

# The standard 16-colour palette of 4-bit Windows bitmaps and icons.
VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
    (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
    (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


# ---------------------------------------------------------------------------------------------------
# File writers
# ---------------------------------------------------------------------------------------------------
def dib_rows(img, bpp, palette):
    """Bottom-up DIB pixel rows of an RGB or P image, each padded to four bytes."""
    w, h = img.size
    px = img.load()
    out = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray()
        if bpp == 24:
            for x in range(w):
                r, g, b = px[x, y][:3]
                row += bytes((b, g, r))
        elif bpp == 8:
            row += bytes(px[x, y] for x in range(w))
        elif bpp == 4:
            for x in range(0, w, 2):
                hi = px[x, y]
                lo = px[x + 1, y] if x + 1 < w else 0
                row.append((hi << 4) | lo)
        else:
            raise ValueError(bpp)
        row += bytes(-len(row) % 4)
        out += row
    return bytes(out)


def palette_bytes(palette, count):
    colours = list(palette) + [(0, 0, 0)] * (count - len(palette))
    return b"".join(bytes((b, g, r, 0)) for r, g, b in colours[:count])


def info_header(w, h, bpp, image_size, colours):
    return struct.pack("<IiiHHIIiiII", 40, w, h, 1, bpp, 0, image_size, 0, 0, colours, 0)


def write_bmp(name, img, bpp, palette=None):
    colours = 0 if bpp == 24 else 1 << bpp
    pixels = dib_rows(img, bpp, palette)
    header = info_header(img.size[0], img.size[1], bpp, len(pixels), colours)
    pal = palette_bytes(palette, colours) if colours else b""
    offset = 14 + len(header) + len(pal)
    data = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset) + header + pal + pixels
    with open(os.path.join(OUT_DIR, name), "wb") as f:
        f.write(data)


def and_mask(rgba):
    """1-bit icon mask, bottom-up: 1 where the icon is transparent."""
    w, h = rgba.size
    px = rgba.load()
    out = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray((w + 7) // 8)
        for x in range(w):
            if px[x, y][3] < 128:
                row[x // 8] |= 0x80 >> (x % 8)
        row += bytes(-len(row) % 4)
        out += row
    return bytes(out)


def icon_dib(rgba, bpp):
    """One icon image in DIB form: header, palette, colour bits, mask."""
    w, h = rgba.size
    flat = Image.new("RGB", rgba.size, (0, 0, 0))
    flat.paste(rgba.convert("RGB"), mask=rgba.split()[3].point(lambda a: 255 if a >= 128 else 0))
    palette = None
    if bpp == 24:
        img = flat
    elif bpp == 8:
        img = flat.quantize(colors=256, dither=Image.Dither.NONE)
        raw = img.getpalette()[:768]
        palette = [tuple(raw[i:i + 3]) for i in range(0, len(raw), 3)]
    elif bpp == 4:
        img = to_vga16(flat)
        palette = VGA16
    else:
        raise ValueError(bpp)
    colours = 0 if bpp == 24 else 1 << bpp
    bits = dib_rows(img, bpp, palette) + and_mask(rgba)
    header = info_header(w, 2 * h, bpp, len(bits), 0)
    return header + (palette_bytes(palette, colours) if colours else b"") + bits


def png_bytes(rgba):
    import io
    buf = io.BytesIO()
    rgba.save(buf, "PNG", optimize=True)
    return buf.getvalue()


def write_ico(name, images):
    """images: list of (RGBA image, bpp); bpp 32 at 256 x 256 is stored as PNG."""
    blobs = []
    for rgba, bpp in images:
        data = png_bytes(rgba) if bpp == 32 else icon_dib(rgba, bpp)
        blobs.append((rgba.size, bpp, data))
    out = struct.pack("<HHH", 0, 1, len(blobs))
    offset = 6 + 16 * len(blobs)
    for (w, h), bpp, data in blobs:
        colour_count = 16 if bpp == 4 else 0
        out += struct.pack("<BBBBHHII", w % 256, h % 256, colour_count, 0, 1, bpp, len(data), offset)
        offset += len(data)
    out += b"".join(data for _, _, data in blobs)
    with open(os.path.join(OUT_DIR, name), "wb") as f:
        f.write(out)


def to_vga16(rgb):
    pal = Image.new("P", (1, 1))
    pal.putpalette([c for rgb3 in VGA16 for c in rgb3] + [0] * (768 - 48))
    return rgb.convert("RGB").quantize(palette=pal, dither=Image.Dither.NONE)


# ---------------------------------------------------------------------------------------------------
# Drawing helpers
# ---------------------------------------------------------------------------------------------------
def lerp(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def coverage(size, draw_fn):
    """Anti-aliased coverage mask ('L') of shapes drawn in white by draw_fn at SUPERSAMPLE times size."""
    w, h = size
    big = Image.new("L", (w * SUPERSAMPLE, h * SUPERSAMPLE), 0)
    draw_fn(ImageDraw.Draw(big), SUPERSAMPLE)
    return big.resize(size, Image.Resampling.BOX)


def rounded(box, radius):
    def fn(d, s):
        x0, y0, x1, y1 = box
        d.rounded_rectangle((x0 * s, y0 * s, x1 * s - 1, y1 * s - 1), radius=radius * s, fill=255)
    return fn


# ---------------------------------------------------------------------------------------------------
# Output folder button faces, 18 x 19, 24 bits
# ---------------------------------------------------------------------------------------------------
def draw_face(top_line, fill_top, fill_bottom, dots):
    img = Image.new("RGB", FACE_SIZE, FACE_OUTSIDE)
    px = img.load()
    side = FACE_SIZE[0]
    for y in range(side):
        for x in range(side):
            corner = (x in (0, side - 1)) and (y in (0, side - 1))
            if corner:
                continue                          # the slightly rounded corners show the button's fill
            if x in (0, side - 1) or y in (0, side - 1):
                px[x, y] = FACE_FRAME
            elif y == 1:
                px[x, y] = top_line
            else:
                px[x, y] = lerp(fill_top, fill_bottom, (y - 2) / (side - 4))
    for y in FACE_DOT_ROWS:
        for cols in FACE_DOT_COLUMNS:
            for x in cols:
                px[x, y] = dots
    for x in range(FACE_SIZE[0]):
        px[x, FACE_SIZE[1] - 1] = FACE_LAST_ROW
    return img


# ---------------------------------------------------------------------------------------------------
# Convert button faces and wait panel, PNG with alpha
# ---------------------------------------------------------------------------------------------------
def draw_button(outline, fill_top, fill_bottom):
    w, h = BUTTON_SIZE
    outer = coverage(BUTTON_SIZE, rounded((0, 0, w, h), BUTTON_RADIUS)).load()
    inner = coverage(BUTTON_SIZE, rounded((1, 1, w - 1, h - 1), BUTTON_RADIUS - 1)).load()
    img = Image.new("RGBA", BUTTON_SIZE)
    px = img.load()
    for y in range(h):
        fill = lerp(fill_top, fill_bottom, max(0, y - 1) / (h - 3))
        for x in range(w):
            a_out, a_in = outer[x, y] / 255, inner[x, y] / 255
            if a_out == 0:
                px[x, y] = (0, 0, 0, 0)
                continue
            # The outline is the ring between the two shapes; colours are mixed by their coverage.
            rgb = tuple(round((f * a_in + o * (a_out - a_in)) / a_out) for f, o in zip(fill, outline))
            px[x, y] = rgb + (round(a_out * 255),)
    return img


def wait_font():
    """The Japanese font at the size whose text width is nearest the wanted width."""
    found = subprocess.run(["fc-match", "-f", "%{file}\n%{index}\n%{family}", WAIT_FONT], check=True,
                           capture_output=True, text=True).stdout.split("\n")
    if WAIT_FONT.split(":")[0] not in found[2].split(","):
        raise SystemExit(f"font {WAIT_FONT} is not installed (fonts-noto-cjk)")
    best = None
    for size in range(12, 40):
        font = ImageFont.truetype(found[0], size, index=int(found[1]))
        x0, _, x1, _ = font.getbbox(WAIT_TEXT)
        if best is None or abs((x1 - x0) - WAIT_TEXT_WIDTH) < abs(best[0] - WAIT_TEXT_WIDTH):
            best = (x1 - x0, font)
    return best[1]


def draw_wait():
    w, h = WAIT_SIZE
    img = Image.new("RGB", WAIT_SIZE)
    px = img.load()
    for y in range(h):
        c = lerp(WAIT_TOP, WAIT_BOTTOM, y / (h - 1))
        for x in range(w):
            px[x, y] = c
    font = wait_font()
    x0, y0, x1, y1 = font.getbbox(WAIT_TEXT)
    text = Image.new("L", WAIT_SIZE, 0)
    origin = ((w - (x1 - x0)) // 2 - x0, (h - (y1 - y0)) // 2 - y0)
    ImageDraw.Draw(text).text(origin, WAIT_TEXT, font=font, fill=255)
    img.paste(Image.new("RGB", WAIT_SIZE, WAIT_TEXT_COLOUR), mask=text)
    img.putalpha(WAIT_ALPHA)
    return img


# ---------------------------------------------------------------------------------------------------
# Toolbar strip: eight 16 x 15 images in the 16 standard colours
# ---------------------------------------------------------------------------------------------------
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER, GREY, RED, LIME, YELLOW, BLUE, FUCHSIA, \
    AQUA, WHITE = VGA16


def tool_page(d, x, y):
    d.polygon([(x + 3, y + 1), (x + 10, y + 1), (x + 13, y + 4), (x + 13, y + 14), (x + 3, y + 14)],
              fill=WHITE, outline=BLACK)
    d.line([(x + 10, y + 1), (x + 10, y + 4), (x + 13, y + 4)], fill=BLACK)


def tool_folder(d, x, y):
    d.rectangle((x + 1, y + 3, x + 12, y + 13), fill=OLIVE, outline=BLACK)
    d.line([(x + 2, y + 2), (x + 5, y + 2)], fill=BLACK)
    d.polygon([(x + 4, y + 7), (x + 15, y + 7), (x + 12, y + 13), (x + 1, y + 13)], fill=YELLOW, outline=BLACK)
    d.line([(x + 9, y + 1), (x + 11, y + 0), (x + 14, y + 3)], fill=BLACK)


def tool_disk(d, x, y):
    d.rectangle((x + 1, y + 1, x + 14, y + 14), fill=NAVY, outline=BLACK)
    d.rectangle((x + 4, y + 2, x + 11, y + 7), fill=WHITE)
    d.rectangle((x + 4, y + 10, x + 11, y + 14), fill=SILVER)
    d.rectangle((x + 5, y + 11, x + 6, y + 13), fill=NAVY)


def tool_scissors(d, x, y):
    d.line([(x + 5, y + 1), (x + 9, y + 9)], fill=GREY)
    d.line([(x + 10, y + 1), (x + 6, y + 9)], fill=GREY)
    d.ellipse((x + 2, y + 9, x + 7, y + 14), outline=NAVY)
    d.ellipse((x + 8, y + 9, x + 13, y + 14), outline=NAVY)


def tool_copy(d, x, y):
    for dx, dy in ((0, 0), (5, 5)):
        d.rectangle((x + 1 + dx, y + 0 + dy, x + 9 + dx, y + 9 + dy), fill=WHITE, outline=NAVY)
        for ly in (3, 5, 7):
            d.line([(x + 3 + dx, y + ly + dy), (x + 7 + dx, y + ly + dy)], fill=GREY)


def tool_paste(d, x, y):
    d.rectangle((x + 1, y + 2, x + 11, y + 14), fill=OLIVE, outline=BLACK)
    d.rectangle((x + 4, y + 1, x + 8, y + 3), fill=SILVER, outline=BLACK)
    d.rectangle((x + 7, y + 6, x + 14, y + 14), fill=WHITE, outline=NAVY)
    for ly in (8, 10, 12):
        d.line([(x + 9, y + ly), (x + 12, y + ly)], fill=GREY)


def tool_printer(d, x, y):
    d.rectangle((x + 4, y + 1, x + 11, y + 6), fill=WHITE, outline=BLACK)
    d.rectangle((x + 1, y + 6, x + 14, y + 12), fill=SILVER, outline=BLACK)
    d.line([(x + 2, y + 11), (x + 13, y + 11)], fill=GREY)
    d.point((x + 12, y + 8), fill=LIME)
    d.rectangle((x + 4, y + 12, x + 11, y + 14), fill=WHITE, outline=BLACK)


def tool_help(d, x, y):
    d.ellipse((x + 1, y + 0, x + 14, y + 13), fill=BLUE, outline=NAVY)
    d.line([(x + 6, y + 4), (x + 7, y + 3), (x + 9, y + 3), (x + 10, y + 4), (x + 10, y + 5), (x + 8, y + 7),
            (x + 8, y + 8)], fill=WHITE, width=1)
    d.point((x + 8, y + 10), fill=WHITE)


TOOLS = [tool_page, tool_folder, tool_disk, tool_scissors, tool_copy, tool_paste, tool_printer, tool_help]


def draw_toolbar():
    w, h = TOOL_SIZE
    img = Image.new("RGB", (w * TOOL_COUNT, h), TOOL_BACKGROUND)
    d = ImageDraw.Draw(img)
    for i, tool in enumerate(TOOLS):
        tool(d, i * w, 0)
    return img


# ---------------------------------------------------------------------------------------------------
# Icons
# ---------------------------------------------------------------------------------------------------
def draw_app_icon(size):
    """Orange square; two white circular arrows around a white wire-frame cube."""
    s = SUPERSAMPLE
    n = size * s
    big = Image.new("RGBA", (n, n), (0, 0, 0, 0))
    d = ImageDraw.Draw(big)
    d.rounded_rectangle((0, 0, n - 1, n - 1), radius=max(APP_CORNER * n, APP_CORNER_MIN * s),
                        fill=APP_ORANGE + (255,))
    stroke = round(max(APP_STROKE * n, APP_STROKE_MIN * s))
    c = n / 2
    # Wire-frame cube in oblique projection: front square and the back square up and to the right.
    e = 0.30 * n
    off = 0.12 * n
    fx0, fy0 = c - e / 2 - off / 2, c - e / 2 + off / 2
    front = [(fx0, fy0), (fx0 + e, fy0), (fx0 + e, fy0 + e), (fx0, fy0 + e)]
    back = [(x + off, y - off) for x, y in front]
    white = APP_WHITE + (255,)
    for quad in (front, back):
        d.line(quad + [quad[0]], fill=white, width=stroke, joint="curve")
    for p, q in zip(front, back):
        d.line([p, q], fill=white, width=stroke)
    # Two arrows on a circle around the cube, each an arc with its head at the clockwise end.
    r = 0.39 * n
    for start in (200, 20):
        sweep = 120
        d.arc((c - r, c - r, c + r, c + r), start, start + sweep, fill=white, width=stroke)
        end = math.radians(start + sweep)
        tip = (c + r * math.cos(end), c + r * math.sin(end))
        tangent = (-math.sin(end), math.cos(end))      # direction of travel, clockwise on screen
        normal = (math.cos(end), math.sin(end))
        head = 0.11 * n
        base = (tip[0] - tangent[0] * head * 0.2, tip[1] - tangent[1] * head * 0.2)
        point = (base[0] + tangent[0] * head, base[1] + tangent[1] * head)
        d.polygon([point, (base[0] + normal[0] * head * 0.7, base[1] + normal[1] * head * 0.7),
                   (base[0] - normal[0] * head * 0.7, base[1] - normal[1] * head * 0.7)], fill=white)
    small = big.convert("RGBa").resize((size, size), Image.Resampling.BOX)
    return small.convert("RGBA")


def draw_doc_icon(size):
    """A generic document page with a folded corner."""
    img = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    u = size / 16
    x0, x1 = round(3 * u), round(13 * u) - 1
    y0, y1 = round(1 * u), size - 1 - round(0.5 * u)
    fold = round(3 * u)
    page = [(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)]
    d.polygon(page, fill=DOC_PAGE + (255,), outline=DOC_OUTLINE + (255,))
    d.polygon([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)], fill=DOC_FOLD + (255,),
              outline=DOC_OUTLINE + (255,))
    step = max(2, round(2 * u))
    for ly in range(y0 + fold + step, y1 - step + 1, step):
        d.line([(x0 + round(2 * u), ly), (x1 - round(2 * u), ly)], fill=DOC_LINES + (255,))
    return img


# ---------------------------------------------------------------------------------------------------
def main():
    os.chdir(os.path.dirname(os.path.abspath(__file__)))
    os.makedirs(OUT_DIR, exist_ok=True)
    for name, colours in FACES.items():
        write_bmp(name, draw_face(*colours), 24)
    for name, colours in BUTTONS.items():
        draw_button(*colours).save(os.path.join(OUT_DIR, name), "PNG", optimize=True)
    draw_wait().save(os.path.join(OUT_DIR, "wait.png"), "PNG", optimize=True)
    strip = draw_toolbar()
    write_bmp("toolbar.bmp", to_vga16(strip), 4, VGA16)
    write_bmp("toolbar_hicolor.bmp", strip, 24)
    write_ico("app.ico", [(draw_app_icon(256), 32), (draw_app_icon(64), 24), (draw_app_icon(48), 24),
                          (draw_app_icon(32), 24), (draw_app_icon(24), 8), (draw_app_icon(16), 8)])
    write_ico("doc.ico", [(draw_doc_icon(32), 4), (draw_doc_icon(16), 4),
                          (draw_doc_icon(32), 8), (draw_doc_icon(16), 8)])


if __name__ == "__main__":
    main()
