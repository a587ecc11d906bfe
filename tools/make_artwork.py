#!/usr/bin/python3
"""Generate the installer's artwork into res/art/.

Every file is drawn from code, so running the script again gives the same
bytes.  The BMP, ICO and CUR containers are written by hand with struct; PIL
is only used to rasterise text and shapes and to encode the JPEG.

    /usr/bin/python3 tools/make_artwork.py [output folder]
"""

import io
import math
import os
import struct
import sys

from PIL import Image, ImageDraw, ImageFont

MAGENTA = (255, 0, 255)
FRAME_BLUE = (28, 81, 128)

FONT_CANDIDATES = [
    "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",
    "/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf",
]


def load_font(size):
    for path in FONT_CANDIDATES:
        if os.path.exists(path):
            return ImageFont.truetype(path, size)
    return ImageFont.load_default()


# ---------------------------------------------------------------------------
# Containers
# ---------------------------------------------------------------------------

def row_stride(width, bpp):
    return ((width * bpp + 31) // 32) * 4


def dib_bits_24(img):
    """Bottom-up 24-bit BGR rows, each padded to four bytes."""
    w, h = img.size
    px = img.load()
    pad = row_stride(w, 24) - w * 3
    out = bytearray()
    for y in range(h - 1, -1, -1):
        for x in range(w):
            r, g, b = px[x, y][:3]
            out += bytes((b, g, r))
        out += b"\0" * pad
    return bytes(out)


def dib_bits_indexed(indices, width, height, bpp):
    """Bottom-up rows of palette indices (1, 4 or 8 bits per pixel)."""
    stride = row_stride(width, bpp)
    out = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray(stride)
        for x in range(width):
            v = indices[y * width + x]
            bit = x * bpp
            shift = 8 - bpp - (bit % 8)
            row[bit // 8] |= (v & ((1 << bpp) - 1)) << shift
        out += row
    return bytes(out)


def bitmap_info_header(width, height, bpp, colours_used=0, image_size=0):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bpp, 0,
                       image_size, 2835, 2835, colours_used, 0)


def write_bmp24(path, img):
    w, h = img.size
    bits = dib_bits_24(img)
    header = bitmap_info_header(w, h, 24, 0, len(bits))
    offset = 14 + len(header)
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0,
                              offset)
    with open(path, "wb") as f:
        f.write(file_header + header + bits)


def icon_image_24(img, opaque):
    """One ICO/CUR image: header with doubled height, XOR bits, AND mask.

    opaque(x, y) says whether a pixel belongs to the picture; the AND mask
    is 1 (screen shows through) elsewhere, and the XOR colour there is black
    so that the screen stays unchanged."""
    w, h = img.size
    clean = img.copy()
    px = clean.load()
    for y in range(h):
        for x in range(w):
            if not opaque(x, y):
                px[x, y] = (0, 0, 0)
    mask = [0 if opaque(x, y) else 1 for y in range(h) for x in range(w)]
    return (bitmap_info_header(w, h * 2, 24) + dib_bits_24(clean)
            + dib_bits_indexed(mask, w, h, 1))


def icon_image_indexed(indices, palette, width, height, bpp, mask):
    """One ICO/CUR image with a palette; palette entries are RGB tuples."""
    count = 1 << bpp
    pal = bytearray()
    for i in range(count):
        r, g, b = palette[i] if i < len(palette) else (0, 0, 0)
        pal += bytes((b, g, r, 0))
    return (bitmap_info_header(width, height * 2, bpp, 0)
            + bytes(pal) + dib_bits_indexed(indices, width, height, bpp)
            + dib_bits_indexed(mask, width, height, 1))


def write_icon_dir(path, kind, entries):
    """kind 1 = icon, 2 = cursor.  entries: (width, height, colour count,
    field A, field B, image bytes); for icons A/B are planes and bit count,
    for cursors they are the hot spot x and y."""
    out = bytearray(struct.pack("<HHH", 0, kind, len(entries)))
    offset = 6 + 16 * len(entries)
    blobs = []
    for w, h, colours, a, b, data in entries:
        out += struct.pack("<BBBBHHII", w % 256, h % 256, colours % 256, 0,
                           a, b, len(data), offset)
        offset += len(data)
        blobs.append(data)
    for data in blobs:
        out += data
    with open(path, "wb") as f:
        f.write(bytes(out))


# ---------------------------------------------------------------------------
# Helpers for shapes drawn without anti-aliasing
# ---------------------------------------------------------------------------

def lerp(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def in_rounded_rect(x, y, w, h, rtl, rtr, rbl, rbr):
    """Pixel-centre test against a rectangle whose corners are quarter
    ellipses; each radius is an (rx, ry) pair."""
    cx, cy = x + 0.5, y + 0.5
    for (rx, ry), left, top in ((rtl, True, True), (rtr, False, True),
                                (rbl, True, False), (rbr, False, False)):
        ox = rx if left else w - rx
        oy = ry if top else h - ry
        inside_x = cx < ox if left else cx > ox
        inside_y = cy < oy if top else cy > oy
        if inside_x and inside_y:
            dx = (cx - ox) / rx
            dy = (cy - oy) / ry
            return dx * dx + dy * dy <= 1.0
    return 0 <= cx < w and 0 <= cy < h


# ---------------------------------------------------------------------------
# Button strip, bitmap 208
# ---------------------------------------------------------------------------

BUTTON_W, BUTTON_H, BUTTON_FRAMES = 54, 23, 5

# (top highlight, body, bottom shade, border) per frame.
BUTTON_FACES = [
    ((235, 245, 255), (190, 218, 248), (160, 196, 238), (70, 115, 170)),    # normal
    ((220, 255, 255), (150, 232, 242), (115, 210, 225), (40, 130, 150)),    # pushed
    ((240, 240, 240), (208, 208, 208), (186, 186, 186), (130, 130, 130)),   # disabled
    ((170, 200, 245), (105, 150, 225), (80, 125, 205), (30, 60, 120)),      # hot
    ((235, 215, 250), (195, 160, 230), (170, 130, 215), (100, 60, 140)),    # unused
]

# The run-time stretch keeps top 15, bottom 6, left 15 and right 8 pixels.
# Corners are quarter ellipses that fit inside those margins, so rows 15 and
# 16 and columns 15 to 45 -- the parts that get stretched -- are uniform.
CORNER_TL, CORNER_TR = (9, 9), (8, 8)
CORNER_BL, CORNER_BR = (9, 6), (8, 6)


def button_frame(face):
    top, body, bottom, border = face
    w, h = BUTTON_W, BUTTON_H
    img = Image.new("RGB", (w, h), MAGENTA)
    px = img.load()

    def inside(x, y):
        if x < 0 or y < 0 or x >= w or y >= h:
            return False
        return in_rounded_rect(x, y, w, h, CORNER_TL, CORNER_TR,
                               CORNER_BL, CORNER_BR)

    for y in range(h):
        # Highlight fading into the body over the top margin, flat body in
        # the stretched middle rows, a shade over the bottom margin.
        if y < 15:
            colour = lerp(top, body, y / 14.0)
        elif y < 17:
            colour = body
        else:
            colour = lerp(body, bottom, (y - 16) / 6.0)
        for x in range(w):
            if not inside(x, y):
                continue
            edge = not (inside(x - 1, y) and inside(x + 1, y)
                        and inside(x, y - 1) and inside(x, y + 1))
            px[x, y] = border if edge else colour
    return img


def make_button_strip():
    strip = Image.new("RGB", (BUTTON_W * BUTTON_FRAMES, BUTTON_H), MAGENTA)
    for i, face in enumerate(BUTTON_FACES):
        strip.paste(button_frame(face), (i * BUTTON_W, 0))
    return strip


# ---------------------------------------------------------------------------
# Check-box glyphs, bitmap 229
# ---------------------------------------------------------------------------

TICK = [(3, 6), (4, 7), (5, 8), (6, 7), (7, 6), (8, 5), (9, 4)]


def checkbox_glyph(checked, hover, pressed, inactive):
    img = Image.new("RGB", (13, 13), (255, 255, 255))
    px = img.load()
    for y in range(13):
        for x in range(13):
            if x in (0, 12) or y in (0, 12):
                px[x, y] = FRAME_BLUE
                continue
            t = (x + y) / 22.0
            if inactive:
                px[x, y] = lerp((236, 236, 232), (214, 214, 208), t)
            elif pressed:
                px[x, y] = lerp((196, 196, 190), (232, 232, 226), t)
            else:
                px[x, y] = lerp((226, 226, 220), (255, 255, 255), t)
    if hover:
        for y in range(1, 12):
            for x in range(1, 12):
                if x in (1, 11) or y in (1, 11):
                    px[x, y] = (255, 198, 90)
                elif x in (2, 10) or y in (2, 10):
                    px[x, y] = (250, 220, 150)
    if checked:
        ink = (150, 150, 150) if inactive else (33, 161, 33)
        for x, y in TICK:
            for dy in (0, 1, 2):
                px[x, y + dy - 1] = ink
    return img


def make_checkbox_strip():
    # Index: 0 unchecked, 1 unchecked hover, 2 unchecked pressed,
    # 3 checked, 4 checked hover, 5 checked pressed, 6 inactive unchecked,
    # 7 inactive checked.
    looks = [
        (False, False, False, False), (False, True, False, False),
        (False, False, True, False), (True, False, False, False),
        (True, True, False, False), (True, False, True, False),
        (False, False, False, True), (True, False, False, True),
    ]
    strip = Image.new("RGB", (13 * 8, 13))
    for i, look in enumerate(looks):
        strip.paste(checkbox_glyph(*look), (13 * i, 0))
    return strip


# Radio glyphs, bitmap 230: the check-box looks made round.  Pixels outside
# the circle are magenta, the key colour, so the dialog shows through.
# ---------------------------------------------------------------------------

def radio_glyph(checked, hover, pressed, inactive):
    img = Image.new("RGB", (13, 13), MAGENTA)
    px = img.load()

    def inside(x, y):
        return math.hypot(x + 0.5 - 6.5, y + 0.5 - 6.5) <= 6.5

    def ring(x, y):
        """0 on the outline, 1 just inside it, 2 inside that, 3 deeper."""
        for depth in range(3):
            reach = depth + 1
            if any(not inside(x + dx, y + dy)
                   for dx, dy in ((-reach, 0), (reach, 0), (0, -reach),
                                  (0, reach))):
                return depth
        return 3

    for y in range(13):
        for x in range(13):
            if not inside(x, y):
                continue
            depth = ring(x, y)
            t = (x + y) / 22.0
            if depth == 0:
                px[x, y] = FRAME_BLUE
            elif hover and depth == 1:
                px[x, y] = (255, 198, 90)
            elif hover and depth == 2:
                px[x, y] = (250, 220, 150)
            elif inactive:
                px[x, y] = lerp((236, 236, 232), (214, 214, 208), t)
            elif pressed:
                px[x, y] = lerp((196, 196, 190), (232, 232, 226), t)
            else:
                px[x, y] = lerp((226, 226, 220), (255, 255, 255), t)
            if checked and math.hypot(x - 6, y - 6) <= 2.3:
                px[x, y] = (150, 150, 150) if inactive else (33, 161, 33)
    return img


def make_radio_strip():
    # The same eight looks, in the same order, as the check-box strip.
    looks = [
        (False, False, False, False), (False, True, False, False),
        (False, False, True, False), (True, False, False, False),
        (True, True, False, False), (True, False, True, False),
        (False, False, False, True), (True, False, False, True),
    ]
    strip = Image.new("RGB", (13 * 8, 13), MAGENTA)
    for i, look in enumerate(looks):
        strip.paste(radio_glyph(*look), (13 * i, 0))
    return strip


# ---------------------------------------------------------------------------
# Speech bubbles (welcome art and icon)
# ---------------------------------------------------------------------------

def draw_bubble(draw, box, fill, outline, tail_left, width=1):
    x0, y0, x1, y1 = box
    r = (y1 - y0) // 3
    draw.rounded_rectangle(box, radius=r, fill=fill, outline=outline,
                           width=width)
    h = y1 - y0
    if tail_left:
        tail = [(x0 + h * 0.35, y1 - width), (x0 + h * 0.15, y1 + h * 0.35),
                (x0 + h * 0.7, y1 - width)]
    else:
        tail = [(x1 - h * 0.35, y1 - width), (x1 - h * 0.15, y1 + h * 0.35),
                (x1 - h * 0.7, y1 - width)]
    draw.polygon(tail, fill=fill)
    draw.line([tail[0], tail[1], tail[2]], fill=outline, width=width)


def make_welcome():
    w, h = 273, 171
    img = Image.new("RGB", (w, h))
    px = img.load()
    for y in range(h):
        for x in range(w):
            t = y / (h - 1.0)
            base = lerp((214, 234, 252), (255, 255, 255), t)
            glow = max(0.0, 1.0 - math.hypot(x - 220, y - 30) / 150.0)
            px[x, y] = lerp(base, (255, 246, 214), glow * 0.6)
    d = ImageDraw.Draw(img)
    # Soft wave across the bottom.
    for x in range(w):
        top = int(146 + 6 * math.sin(x / 30.0))
        for y in range(top, h):
            t = (y - top) / max(1.0, h - top)
            px[x, y] = lerp((120, 170, 230), (60, 110, 190), t)
    draw_bubble(d, (14, 12, 124, 52), (255, 255, 255), (70, 115, 170), True,
                width=2)
    draw_bubble(d, (112, 50, 258, 86), (190, 226, 160), (80, 140, 60),
                False, width=2)
    # A third, small bubble: the other side is typing.
    draw_bubble(d, (170, 10, 214, 32), (255, 255, 255), (70, 115, 170),
                False, width=2)
    for i, cx in enumerate((181, 192, 203)):
        d.ellipse((cx - 3, 21 - 3, cx + 3, 21 + 3),
                  fill=lerp((70, 115, 170), (140, 180, 230), i / 2.0))
    small = load_font(11)
    d.text((30, 25), "Hi there!", font=small, fill=(40, 70, 120))
    d.text((128, 61), "Welcome aboard :)", font=small, fill=(40, 90, 30))
    big = load_font(20)
    text = "Brimel Messenger"
    tw = d.textlength(text, font=big)
    tx = (w - tw) / 2
    d.text((tx + 1, 112 + 1), text, font=big, fill=(255, 255, 255))
    d.text((tx, 112), text, font=big, fill=(30, 62, 120))
    return img


BLUE_BUBBLE = ((30, 80, 160), (90, 160, 240))
GREEN_BUBBLE = ((80, 140, 60), (190, 226, 160))


def supersampled_bubble(size, colours=BLUE_BUBBLE, second=None, cross=False):
    """A speech bubble with three dots, as RGB plus a coverage mask; with
    `second`, a smaller bubble of those colours behind it at the top right
    (the messenger: two people talking); with `cross`, a red cross over the
    bottom right corner (the uninstaller)."""
    s = 8
    big = size * s
    img = Image.new("RGB", (big, big), (0, 0, 0))
    cover = Image.new("L", (big, big), 0)
    d = ImageDraw.Draw(img)
    m = ImageDraw.Draw(cover)
    box = (int(big * 0.04), int(big * 0.08), int(big * 0.96), int(big * 0.70))
    tail = [(big * 0.22, big * 0.62), (big * 0.14, big * 0.95),
            (big * 0.48, big * 0.66)]
    outline = max(s, big // 20)
    if second is not None:
        back = (int(big * 0.40), 0, big - 1, int(big * 0.42))
        for drw, fill in ((d, second[0]), (m, 255)):
            drw.rounded_rectangle(back, radius=big // 6, fill=fill)
        d.rounded_rectangle((back[0] + outline, back[1] + outline,
                             back[2] - outline, back[3] - outline),
                            radius=big // 6 - outline, fill=second[1])
        box = (int(big * 0.02), int(big * 0.24), int(big * 0.84),
               int(big * 0.80))
        tail = [(big * 0.20, big * 0.74), (big * 0.12, big * 0.99),
                (big * 0.44, big * 0.78)]
    for drw, fill in ((d, colours[0]), (m, 255)):
        drw.rounded_rectangle(box, radius=big // 4, fill=fill)
        drw.polygon(tail, fill=fill)
    inner = (box[0] + outline, box[1] + outline, box[2] - outline,
             box[3] - outline)
    d.rounded_rectangle(inner, radius=big // 4 - outline, fill=colours[1])
    itail = [(big * 0.24, big * 0.60), (big * 0.19, big * 0.84),
             (big * 0.44, big * 0.62)]
    if second is not None:
        itail = [(big * 0.22, big * 0.72), (big * 0.17, big * 0.88),
                 (big * 0.40, big * 0.74)]
    d.polygon(itail, fill=colours[1])
    dot = big * 0.07
    for cx in (0.30, 0.50, 0.70):
        c = (big * cx, big * 0.39)
        if second is not None:  # centred in the front bubble
            c = (big * (cx - 0.07), big * 0.52)
        d.ellipse((c[0] - dot, c[1] - dot, c[0] + dot, c[1] + dot),
                  fill=(255, 255, 255))
    if cross:
        width = big * 0.13
        for drw, fill in ((d, (255, 255, 255)), (m, 255)):
            drw.ellipse((big * 0.50, big * 0.50, big - 1, big - 1), fill=fill)
        d.ellipse((big * 0.50 + outline, big * 0.50 + outline,
                   big - 1 - outline, big - 1 - outline), fill=(200, 40, 40))
        for a, b in (((0.62, 0.62), (0.88, 0.88)), ((0.88, 0.62), (0.62, 0.88))):
            d.line((big * a[0], big * a[1], big * b[0], big * b[1]),
                   fill=(255, 255, 255), width=int(width))
    img = img.resize((size, size), Image.BOX)
    cover = cover.resize((size, size), Image.BOX)
    return img, cover


def make_icon(path, **look):
    entries = []
    for size in (32, 16):
        img, cover = supersampled_bubble(size, **look)
        cov = cover.load()
        src = img.load()
        # Colours were averaged against black outside the shape; undo that
        # so edge pixels keep the bubble's own colour.
        rgb = Image.new("RGB", (size, size))
        out = rgb.load()
        for y in range(size):
            for x in range(size):
                a = cov[x, y]
                if a:
                    out[x, y] = tuple(min(255, int(round(c * 255.0 / a)))
                                      for c in src[x, y])
        q = rgb.quantize(colors=255, method=Image.MEDIANCUT, dither=0)
        pal = q.getpalette()[:255 * 3]
        palette = [(0, 0, 0)] + [tuple(pal[i:i + 3])
                                 for i in range(0, len(pal), 3)]
        qi = q.load()
        indices, mask = [], []
        for y in range(size):
            for x in range(size):
                opaque = cov[x, y] >= 128
                indices.append(qi[x, y] + 1 if opaque else 0)
                mask.append(0 if opaque else 1)
        data = icon_image_indexed(indices, palette, size, size, 8, mask)
        entries.append((size, size, 0, 1, 8, data))
    write_icon_dir(path, 1, entries)


# ---------------------------------------------------------------------------
# Cursors 175 and 503
# ---------------------------------------------------------------------------

ARROW = [
    "X...........",
    "XX..........",
    "XoX.........",
    "XooX........",
    "XoooX.......",
    "XooooX......",
    "XoooooX.....",
    "XooooooX....",
    "XoooooooX...",
    "XooooooooX..",
    "XoooooooooX.",
    "XooooooXXXXX",
    "XoooXooX....",
    "XooXXooX....",
    "XoX..XooX...",
    "XX...XooX...",
    "X.....XooX..",
    ".......XooX.",
    ".......XXX..",
]

HAND = [
    ".....XX.........",
    "....XooX........",
    "....XooX........",
    "....XooX........",
    "....XooX........",
    "....XooXXX......",
    "....XooXooXXX...",
    "....XooXooXooXX.",
    "....XooXooXooXoX",
    "XXX.XooooooooXoX",
    "XooXXoooooooooooX",
    "XoooXoooooooooooX",
    ".XooXoooooooooooX",
    "..XoooooooooooooX",
    "..XoooooooooooooX",
    "...XooooooooooooX",
    "...XoooooooooooX.",
    "....XooooooooooX.",
    "....XooooooooooX.",
    ".....XooooooooX..",
    ".....XooooooooX..",
    ".....XXXXXXXXXX..",
]


def art_at(art, x, y):
    if y < len(art) and x < len(art[y]):
        return art[y][x]
    return "."


def make_arrow_cursor(path):
    size = 32
    # Palette: 0 black (outline and transparent), 1..254 a white-to-pale-blue
    # ramp for the body, so the arrow reads well on the light skins.
    palette = [(0, 0, 0)] + [lerp((255, 255, 255), (196, 222, 250), i / 253.0)
                             for i in range(254)] + [(28, 81, 128)]
    indices, mask = [], []
    rows = len(ARROW)
    for y in range(size):
        for x in range(size):
            c = art_at(ARROW, x, y)
            if c == "X":
                indices.append(255)
                mask.append(0)
            elif c == "o":
                indices.append(1 + int(253 * y / (rows - 1)))
                mask.append(0)
            else:
                indices.append(0)
                mask.append(1)
    data = icon_image_indexed(indices, palette, size, size, 8, mask)
    # The arrow's tip is its hot spot.
    write_icon_dir(path, 2, [(size, size, 0, 0, 0, data)])


def make_hand_cursor(path):
    size = 32
    # Monochrome: XOR 1 with AND 0 is white, XOR 0 with AND 0 is black,
    # XOR 0 with AND 1 leaves the screen as it is.
    palette = [(0, 0, 0), (255, 255, 255)]
    indices, mask = [], []
    for y in range(size):
        for x in range(size):
            c = art_at(HAND, x, y)
            indices.append(1 if c == "o" else 0)
            mask.append(0 if c in "Xo" else 1)
    data = icon_image_indexed(indices, palette, size, size, 1, mask)
    # The tip of the index finger, x 6 on the top row, is the hot spot.
    assert art_at(HAND, 6, 0) == "X"
    write_icon_dir(path, 2, [(size, size, 2, 6, 0, data)])


# ---------------------------------------------------------------------------
# Background pictures "A" 300 and "A" 301
# ---------------------------------------------------------------------------

def periodic_pattern(w, h, base, accent, seed_dots):
    """A picture whose pattern repeats every (w - 1, h - 1) pixels.

    The background painter lays tiles one pixel closer than their size, so
    the last column and row of a tile lie under the first of the next one;
    making them equal hides the seam."""
    pw, ph = w - 1, h - 1
    img = Image.new("RGB", (w, h))
    px = img.load()
    # Deterministic pseudo-random dot positions on the torus pw x ph.
    state = seed_dots
    dots = []
    for _ in range(28):
        state = (state * 1103515245 + 12345) & 0x7FFFFFFF
        dx = state % pw
        state = (state * 1103515245 + 12345) & 0x7FFFFFFF
        dy = state % ph
        state = (state * 1103515245 + 12345) & 0x7FFFFFFF
        r = 4 + state % 9
        dots.append((dx, dy, r))
    for y in range(h):
        for x in range(w):
            tx, ty = x % pw, y % ph
            u = 2 * math.pi * tx / pw
            v = 2 * math.pi * ty / ph
            wave = (math.sin(u * 2 + v) * 0.5 + math.sin(v * 3 - u) * 0.3
                    + math.cos(u * 5) * 0.2)
            t = 0.5 + 0.25 * wave
            colour = lerp(base, accent, max(0.0, min(1.0, t)))
            for dx, dy, r in dots:
                ddx = min(abs(tx - dx), pw - abs(tx - dx))
                ddy = min(abs(ty - dy), ph - abs(ty - dy))
                dist = math.hypot(ddx, ddy)
                if dist < r:
                    k = 0.35 * (1.0 - dist / r)
                    colour = lerp(colour, (255, 255, 255), k)
            px[x, y] = colour
    return img


def make_background_jpeg(path):
    img = periodic_pattern(300, 200, (222, 236, 250), (198, 220, 244), 801)
    # Fine diagonal weave, also periodic, gives the paper some texture.
    px = img.load()
    for y in range(200):
        for x in range(300):
            tx, ty = x % 299, y % 199
            if (tx * 7 + ty * 13) % 23 == 0:
                px[x, y] = lerp(px[x, y], (170, 200, 235), 0.45)
    buf = io.BytesIO()
    img.save(buf, "JPEG", quality=85, optimize=False, progressive=False,
             subsampling=2)
    with open(path, "wb") as f:
        f.write(buf.getvalue())


def make_tile():
    return periodic_pattern(63, 61, (20, 40, 96), (34, 64, 136), 604)


# ---------------------------------------------------------------------------

def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..",
                                                             "res", "art")
    os.makedirs(out, exist_ok=True)
    make_icon(os.path.join(out, "app.ico"))
    make_arrow_cursor(os.path.join(out, "arrow.cur"))
    make_hand_cursor(os.path.join(out, "hand.cur"))
    write_bmp24(os.path.join(out, "welcome.bmp"), make_welcome())
    write_bmp24(os.path.join(out, "button.bmp"), make_button_strip())
    write_bmp24(os.path.join(out, "checkbox.bmp"), make_checkbox_strip())
    write_bmp24(os.path.join(out, "radio.bmp"), make_radio_strip())
    make_background_jpeg(os.path.join(out, "background.jpg"))
    write_bmp24(os.path.join(out, "tile.bmp"), make_tile())
    # The product's own programs carry icons in the same style.
    product = os.path.join(here, "..", "product", "art")
    os.makedirs(product, exist_ok=True)
    make_icon(os.path.join(product, "messenger.ico"), colours=BLUE_BUBBLE,
              second=GREEN_BUBBLE)
    make_icon(os.path.join(product, "uninstaller.ico"), cross=True)


if __name__ == "__main__":
    main()
