#!/usr/bin/env python3
"""Draws the two default skins of Brimel Messenger.

Writes 24-bit uncompressed BMP files (BITMAPFILEHEADER + BITMAPINFOHEADER,
bottom-up rows padded to four bytes) into product/skins/, and the two skin.ini
texts where the build asks. Only the standard library is used and all arithmetic is on
integers, so the output is byte-for-byte the same on every run and machine.

    python3 product/tools/make_skins.py            # regenerate the pictures
    python3 product/tools/make_skins.py --check    # fail if the pictures differ
    python3 product/tools/make_skins.py --settings VERSION DIR
        # the skin.ini texts naming VERSION, into DIR/800x600 and DIR/1024x768
        # (the build gives its version and writes them beside the programs)

Layout of the output:
    skins/common/      the 17 pictures that both skins share
    skins/800x600/     main.bmp, left_panel.bmp, accept_decline.bmp
    skins/1024x768/    the same three pictures for the larger screen
Pixels in the key colour magenta (FF00FF) are transparent where the messenger
draws a picture (rounded button corners, round icons). Which files there are,
their records and the bitmaps' sizes come from the installer's file table
(src/core/installed_files.tsv).
"""

import os
import struct
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
import installed_product  # noqa: E402

KEY = (0xFF, 0x00, 0xFF)

# Palette of the default skin (R, G, B).
NAVY = (0x2A, 0x3F, 0x6B)
BLUE = (0x3C, 0x6E, 0xC8)
SKY = (0x8C, 0xB4, 0xEB)
PALE = (0xE4, 0xEA, 0xF4)
WHITE = (0xFF, 0xFF, 0xFF)
INK = (0x1E, 0x28, 0x3C)
GREEN = (0x3C, 0xA0, 0x50)
RED = (0xC8, 0x3C, 0x3C)
AMBER = (0xF0, 0xB4, 0x28)
GREY = (0x96, 0xA0, 0xB4)

# A 5 x 7 pixel font for the labels; each glyph is seven rows of five bits.
FONT = {
    "A": ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    "B": ["11110", "10001", "10001", "11110", "10001", "10001", "11110"],
    "C": ["01110", "10001", "10000", "10000", "10000", "10001", "01110"],
    "D": ["11110", "10001", "10001", "10001", "10001", "10001", "11110"],
    "E": ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    "F": ["11111", "10000", "10000", "11110", "10000", "10000", "10000"],
    "G": ["01110", "10001", "10000", "10111", "10001", "10001", "01111"],
    "H": ["10001", "10001", "10001", "11111", "10001", "10001", "10001"],
    "I": ["01110", "00100", "00100", "00100", "00100", "00100", "01110"],
    "J": ["00111", "00010", "00010", "00010", "00010", "10010", "01100"],
    "K": ["10001", "10010", "10100", "11000", "10100", "10010", "10001"],
    "L": ["10000", "10000", "10000", "10000", "10000", "10000", "11111"],
    "M": ["10001", "11011", "10101", "10101", "10001", "10001", "10001"],
    "N": ["10001", "10001", "11001", "10101", "10011", "10001", "10001"],
    "O": ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    "P": ["11110", "10001", "10001", "11110", "10000", "10000", "10000"],
    "Q": ["01110", "10001", "10001", "10001", "10101", "10010", "01101"],
    "R": ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    "S": ["01111", "10000", "10000", "01110", "00001", "00001", "11110"],
    "T": ["11111", "00100", "00100", "00100", "00100", "00100", "00100"],
    "U": ["10001", "10001", "10001", "10001", "10001", "10001", "01110"],
    "V": ["10001", "10001", "10001", "10001", "10001", "01010", "00100"],
    "W": ["10001", "10001", "10001", "10101", "10101", "10101", "01010"],
    "X": ["10001", "10001", "01010", "00100", "01010", "10001", "10001"],
    "Y": ["10001", "10001", "01010", "00100", "00100", "00100", "00100"],
    "Z": ["11111", "00001", "00010", "00100", "01000", "10000", "11111"],
    "0": ["01110", "10001", "10011", "10101", "11001", "10001", "01110"],
    "1": ["00100", "01100", "00100", "00100", "00100", "00100", "01110"],
    "2": ["01110", "10001", "00001", "00010", "00100", "01000", "11111"],
    "3": ["11111", "00010", "00100", "00010", "00001", "10001", "01110"],
    "4": ["00010", "00110", "01010", "10010", "11111", "00010", "00010"],
    "5": ["11111", "10000", "11110", "00001", "00001", "10001", "01110"],
    "6": ["00110", "01000", "10000", "11110", "10001", "10001", "01110"],
    "7": ["11111", "00001", "00010", "00100", "01000", "01000", "01000"],
    "8": ["01110", "10001", "10001", "01110", "10001", "10001", "01110"],
    "9": ["01110", "10001", "10001", "01111", "00001", "00010", "01100"],
    " ": ["00000"] * 7,
    "/": ["00001", "00010", "00010", "00100", "01000", "01000", "10000"],
    "-": ["00000", "00000", "00000", "11111", "00000", "00000", "00000"],
    ".": ["00000", "00000", "00000", "00000", "00000", "01100", "01100"],
    ":": ["00000", "01100", "01100", "00000", "01100", "01100", "00000"],
    "?": ["01110", "10001", "00001", "00010", "00100", "00000", "00100"],
    "_": ["00000", "00000", "00000", "00000", "00000", "00000", "11111"],
}


class Canvas:
    def __init__(self, width, height, colour=KEY):
        self.width = width
        self.height = height
        self.pixels = [[colour] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def fill(self, x0, y0, x1, y1, colour):
        """Fills the rectangle [x0, x1) x [y0, y1)."""
        for y in range(max(0, y0), min(self.height, y1)):
            row = self.pixels[y]
            for x in range(max(0, x0), min(self.width, x1)):
                row[x] = colour

    def vgradient(self, x0, y0, x1, y1, top, bottom):
        span = max(1, y1 - y0 - 1)
        for y in range(y0, y1):
            t = y - y0
            colour = tuple((a * (span - t) + b * t) // span for a, b in zip(top, bottom))
            self.fill(x0, y, x1, y + 1, colour)

    def hgradient(self, x0, y0, x1, y1, left, right):
        span = max(1, x1 - x0 - 1)
        for x in range(x0, x1):
            t = x - x0
            colour = tuple((a * (span - t) + b * t) // span for a, b in zip(left, right))
            self.fill(x, y0, x + 1, y1, colour)

    def frame(self, x0, y0, x1, y1, colour):
        self.fill(x0, y0, x1, y0 + 1, colour)
        self.fill(x0, y1 - 1, x1, y1, colour)
        self.fill(x0, y0, x0 + 1, y1, colour)
        self.fill(x1 - 1, y0, x1, y1, colour)

    def round_corners(self, x0, y0, x1, y1, radius, colour=KEY):
        """Paints the outside of rounded corners in `colour` (the key colour)."""
        for dy in range(radius):
            for dx in range(radius):
                # Distance from the corner circle's centre, compared squared.
                cx = radius - dx - 1
                cy = radius - dy - 1
                if cx * cx + cy * cy >= radius * radius - radius // 2:
                    self.put(x0 + dx, y0 + dy, colour)
                    self.put(x1 - 1 - dx, y0 + dy, colour)
                    self.put(x0 + dx, y1 - 1 - dy, colour)
                    self.put(x1 - 1 - dx, y1 - 1 - dy, colour)

    def disc(self, cx2, cy2, r2, colour):
        """Fills a disc; centre and radius are given doubled for half pixels."""
        for y in range(self.height):
            for x in range(self.width):
                dx = 2 * x + 1 - cx2
                dy = 2 * y + 1 - cy2
                if dx * dx + dy * dy <= r2 * r2:
                    self.pixels[y][x] = colour

    def text(self, x, y, label, colour, scale=1):
        for ch in label.upper():
            glyph = FONT.get(ch, FONT["?"])
            for gy, bits in enumerate(glyph):
                for gx, bit in enumerate(bits):
                    if bit == "1":
                        self.fill(x + gx * scale, y + gy * scale, x + (gx + 1) * scale, y + (gy + 1) * scale,
                                  colour)
            x += 6 * scale

    def text_centered(self, x0, y0, x1, y1, label, colour, scale=1):
        width = (6 * len(label) - 1) * scale
        height = 7 * scale
        self.text(x0 + (x1 - x0 - width) // 2, y0 + (y1 - y0 - height) // 2, label, colour, scale)

    def paste(self, other, x, y):
        for row in range(other.height):
            for col in range(other.width):
                self.put(x + col, y + row, other.pixels[row][col])

    def bmp(self):
        stride = (self.width * 3 + 3) & ~3
        pad = b"\0" * (stride - self.width * 3)
        rows = []
        for row in reversed(self.pixels):  # bottom-up
            rows.append(b"".join(bytes((b, g, r)) for r, g, b in row) + pad)
        image = b"".join(rows)
        info = struct.pack("<IiiHHIIiiII", 40, self.width, self.height, 1, 24, 0, len(image), 2835, 2835, 0, 0)
        header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(image), 0, 0, 14 + len(info))
        return header + info + image


def button(width, height, label, top=SKY, bottom=BLUE, ink=WHITE, radius=4):
    c = Canvas(width, height)
    c.vgradient(0, 0, width, height, top, bottom)
    c.frame(0, 0, width, height, NAVY)
    c.fill(1, 1, width - 1, 2, tuple(min(255, v + 40) for v in top))  # highlight line
    if label:
        c.text_centered(0, 0, width, height, label, ink)
    c.round_corners(0, 0, width, height, radius)
    return c


def caption_button(symbol):
    c = button(25, 17, "", radius=3)
    if symbol == "close":
        for i in range(7):
            c.put(9 + i, 5 + i, WHITE)
            c.put(10 + i, 5 + i, WHITE)
            c.put(15 - i, 5 + i, WHITE)
            c.put(16 - i, 5 + i, WHITE)
    elif symbol == "minimize":
        c.fill(8, 11, 17, 13, WHITE)
    elif symbol == "settings":
        c.disc(25, 17, 11, WHITE)
        c.disc(25, 17, 5, BLUE)
        for dx, dy in ((0, -6), (0, 6), (-6, 0), (6, 0)):
            c.fill(12 + dx, 8 + dy, 13 + dx + 1, 9 + dy + 1, WHITE)
    return c


def format_button(label, width=31):
    c = button(width, 23, "", top=PALE, bottom=SKY, radius=3)
    c.text_centered(0, 0, width, 23, label, INK, scale=2)
    if label == "U":
        c.fill(9, 19, 22, 20, INK)
    return c


def smiley():
    c = Canvas(31, 23)
    c.disc(31, 23, 21, INK)
    c.disc(31, 23, 19, AMBER)
    c.fill(11, 7, 13, 10, INK)
    c.fill(18, 7, 20, 10, INK)
    for x in range(10, 21):
        dx = x - 15
        c.put(x, 14 + (25 - dx * dx) // 12, INK)
        c.put(x, 15 + (25 - dx * dx) // 12, INK)
    return c


def accept_decline(width):
    c = Canvas(width, 30)
    c.vgradient(0, 0, width, 30, PALE, SKY)
    c.frame(0, 0, width, 30, NAVY)
    c.text(8, 11, "FILE TRANSFER REQUEST", INK)
    c.paste(button(103, 20, "ACCEPT", top=(0x8C, 0xDC, 0x96), bottom=GREEN), width - 2 * 103 - 14, 5)
    c.paste(button(103, 20, "DECLINE", top=(0xF0, 0x96, 0x8C), bottom=RED), width - 103 - 6, 5)
    c.round_corners(0, 0, width, 30, 5)
    return c


def left_panel(height):
    width = 301
    c = Canvas(width, height)
    c.vgradient(0, 0, width, height, PALE, (0xC8, 0xD7, 0xEB))
    c.hgradient(0, 0, width, 40, NAVY, BLUE)
    c.text(12, 12, "BRIMEL", WHITE, scale=2)
    c.text(100, 19, "MESSENGER", SKY)
    # The user's own status line.
    c.fill(8, 48, width - 8, 78, WHITE)
    c.frame(8, 48, width - 8, 78, GREY)
    c.disc(2 * 24, 2 * 63, 12, GREEN)
    c.text(38, 55, "ONLINE", INK)
    # Friends list.
    c.fill(8, 86, width - 8, height - 70, WHITE)
    c.frame(8, 86, width - 8, height - 70, GREY)
    c.hgradient(9, 87, width - 9, 105, SKY, PALE)
    c.text(16, 93, "FRIENDS", INK)
    statuses = [GREEN, GREEN, AMBER, GREY, GREEN, GREY, AMBER, GREY]
    y = 114
    for i in range(40):
        if y + 18 > height - 74:
            break
        colour = statuses[i % len(statuses)]
        c.disc(2 * 22, 2 * y + 14, 10, colour)
        c.fill(34, y + 4, 34 + 60 + (i * 37) % 110, y + 6, (0xB4, 0xBE, 0xD2))
        c.fill(34, y + 9, 34 + 40 + (i * 53) % 80, y + 10, (0xD2, 0xDA, 0xE6))
        y += 22
    # Bottom area where the find and import buttons sit.
    c.hgradient(0, height - 62, width, height, BLUE, NAVY)
    c.round_corners(0, 0, width, height, 8)
    return c


def main_window(width, height):
    c = Canvas(width, height)
    c.vgradient(0, 0, width, height, (0xD2, 0xDE, 0xF0), (0xA8, 0xBE, 0xE1))
    c.hgradient(0, 0, width, 30, NAVY, BLUE)
    c.text(12, 8, "BRIMEL MESSENGER", WHITE, scale=2)
    # Conversation history.
    history_bottom = height - 150
    c.fill(10, 72, width - 10, history_bottom, WHITE)
    c.frame(10, 72, width - 10, history_bottom, GREY)
    y = 84
    line = 0
    while y + 14 < history_bottom - 8:
        mine = (line // 3) % 2 == 0
        colour = BLUE if mine else GREEN
        c.fill(20, y, 20 + 46, y + 2, colour)
        c.fill(74, y, 74 + 120 + (line * 71) % (width - 220), y + 2, (0xC8, 0xD0, 0xDC))
        y += 16 if line % 3 != 2 else 26
        line += 1
    # Formatting tool bar and the message box.
    c.hgradient(10, history_bottom + 6, width - 10, history_bottom + 34, PALE, SKY)
    c.fill(10, history_bottom + 40, width - 10, height - 40, WHITE)
    c.frame(10, history_bottom + 40, width - 10, height - 40, GREY)
    c.round_corners(0, 0, width, height, 8)
    return c


# The drawing of each picture that both skins share, at its size in the
# installer's file table.
DRAW = {
    "bold.bmp": lambda w, h: format_button("B", w),
    "accept.bmp": lambda w, h: button(w, h, "ACCEPT", top=(0x8C, 0xDC, 0x96), bottom=GREEN),
    "action.bmp": lambda w, h: button(w, h, "ACTION"),
    "settings.bmp": lambda w, h: caption_button("settings"),
    "close.bmp": lambda w, h: caption_button("close"),
    "decline.bmp": lambda w, h: button(w, h, "DECLINE", top=(0xF0, 0x96, 0x8C), bottom=RED),
    "find_friends.bmp": lambda w, h: button(w, h, "FIND FRIENDS"),
    "font.bmp": lambda w, h: format_button("F", w),
    "help.bmp": lambda w, h: button(w, h, "HELP"),
    "italic.bmp": lambda w, h: format_button("I", w),
    "minimize.bmp": lambda w, h: caption_button("minimize"),
    "my_profile.bmp": lambda w, h: button(w, h, "MY PROFILE"),
    "send.bmp": lambda w, h: button(w, h, "SEND", top=(0x8C, 0xDC, 0x96), bottom=GREEN),
    "smiley.bmp": lambda w, h: smiley(),
    "underline.bmp": lambda w, h: format_button("U", w),
    "voice_video.bmp": lambda w, h: button(w, h, "VOICE/VIDEO"),
    "import_friends.bmp": lambda w, h: button(w, h, "IMPORT FRIENDS"),
}


def hex_colour(rgb):
    return "%02X%02X%02X" % rgb


def skin_ini(resolution, main_w, main_h, left_h, bar_w, version):
    """The skin description the messenger reads: pictures, colours, places."""
    screen_w, screen_h = resolution.split("x")
    history_bottom = main_h - 150
    lines = [
        "; Brimel Messenger skin description",
        "; Colours are RRGGBB; FF00FF marks transparent pixels in every picture.",
        "",
        "[Skin]",
        "Name=Default - %s" % resolution,
        "Author=Brimel, Inc.",
        "Version=%s" % version,
        "ScreenWidth=%s" % screen_w,
        "ScreenHeight=%s" % screen_h,
        "KeyColor=FF00FF",
        "Font=MS Sans Serif",
        "FontSize=8",
        "",
        "[Colors]",
        "Background=%s" % hex_colour(PALE),
        "Caption=%s" % hex_colour(NAVY),
        "CaptionText=%s" % hex_colour(WHITE),
        "Text=%s" % hex_colour(INK),
        "Link=%s" % hex_colour(BLUE),
        "OwnName=%s" % hex_colour(BLUE),
        "FriendName=%s" % hex_colour(GREEN),
        "Online=%s" % hex_colour(GREEN),
        "Away=%s" % hex_colour(AMBER),
        "Offline=%s" % hex_colour(GREY),
        "Selection=%s" % hex_colour(SKY),
        "",
        "[ContactList]",
        "Bitmap=left_panel.bmp",
        "Width=301",
        "Height=%d" % left_h,
        "CaptionHeight=40",
        "StatusRect=8,48,293,78",
        "ListRect=9,105,292,%d" % (left_h - 71),
        "ItemHeight=22",
        "",
        "[Conversation]",
        "Bitmap=main.bmp",
        "Width=%d" % main_w,
        "Height=%d" % main_h,
        "CaptionHeight=30",
        "HistoryRect=11,73,%d,%d" % (main_w - 11, history_bottom - 1),
        "EditRect=11,%d,%d,%d" % (history_bottom + 41, main_w - 11, main_h - 41),
        "",
        "[FileTransfer]",
        "Bitmap=accept_decline.bmp",
        "Width=%d" % bar_w,
        "Height=30",
        "Accept=%d,5,103,20" % (bar_w - 220),
        "Decline=%d,5,103,20" % (bar_w - 109),
        "",
    ]
    # Buttons: window, picture, left, top (negative values count from the
    # right or bottom edge), width, height.
    buttons = [
        ("Minimize", "ContactList", "minimize.bmp", -88, 12, 25, 17),
        ("Settings", "ContactList", "settings.bmp", -60, 12, 25, 17),
        ("Close", "ContactList", "close.bmp", -32, 12, 25, 17),
        ("MyProfile", "ContactList", "my_profile.bmp", 8, -56, 103, 20),
        ("FindFriends", "ContactList", "find_friends.bmp", 8, -31, 106, 23),
        ("ImportFriends", "ContactList", "import_friends.bmp", -111, -56, 103, 19),
        ("Help", "ContactList", "help.bmp", -51, -31, 43, 23),
        ("ConvMinimize", "Conversation", "minimize.bmp", -60, 7, 25, 17),
        ("ConvClose", "Conversation", "close.bmp", -32, 7, 25, 17),
        ("VoiceVideo", "Conversation", "voice_video.bmp", 10, 40, 104, 20),
        ("Action", "Conversation", "action.bmp", 122, 40, 80, 20),
        ("Accept", "Conversation", "accept.bmp", -226, 40, 103, 20),
        ("Decline", "Conversation", "decline.bmp", -113, 40, 103, 20),
        ("Bold", "Conversation", "bold.bmp", 14, history_bottom - main_h + 9, 31, 23),
        ("Italic", "Conversation", "italic.bmp", 48, history_bottom - main_h + 9, 31, 23),
        ("Underline", "Conversation", "underline.bmp", 82, history_bottom - main_h + 9, 31, 23),
        ("Font", "Conversation", "font.bmp", 116, history_bottom - main_h + 9, 38, 23),
        ("Smiley", "Conversation", "smiley.bmp", 157, history_bottom - main_h + 9, 31, 23),
        ("Send", "Conversation", "send.bmp", -145, -35, 135, 27),
    ]
    for name, window, picture, left, top, width, height in buttons:
        lines += [
            "[Button.%s]" % name,
            "Window=%s" % window,
            "Bitmap=%s" % picture,
            "Left=%d" % left,
            "Top=%d" % top,
            "Width=%d" % width,
            "Height=%d" % height,
            "",
        ]
    return ("\r\n".join(lines)).encode("ascii")


def _skin_rows():
    """The rows of the installer's file table whose stand-in is a skin file,
    each stand-in once, with the rows of the same folder by name."""
    rows = [row for row in installed_product.rows() if row.source.startswith("skins/")]
    done = set()
    for row in rows:
        if row.source in done:
            continue
        done.add(row.source)
        resolution, name = row.source.split("/")[1:]
        yield row, resolution, name, {other.name: other for other in rows if other.folder == row.folder}


def settings(version):
    """The skin.ini texts naming VERSION: (record, path under skins/, bytes)."""
    result = []
    for row, resolution, name, size in _skin_rows():
        if name == "skin.ini":
            main = size["main.bmp"]
            result.append((row.record, row.source[len("skins/"):],
                           skin_ini(resolution, main.width, main.height, size["left_panel.bmp"].height,
                                    size["accept_decline.bmp"].width, version)))
    return result


def write_settings(version, folder):
    """Written only when they differ, so that an unchanged text keeps its time."""
    for _, path, data in settings(version):
        target = os.path.join(folder, path)
        try:
            with open(target, "rb") as f:
                if f.read() == data:
                    continue
        except OSError:
            pass
        os.makedirs(os.path.dirname(target), exist_ok=True)
        with open(target, "wb") as f:
            f.write(data)


def outputs():
    """Every picture: (record, path under skins/, bytes), at the sizes of the
    installer's file table."""
    result = []
    for row, resolution, name, _ in _skin_rows():
        if resolution == "common":
            data = DRAW[name](row.width, row.height).bmp()
        elif name == "main.bmp":
            data = main_window(row.width, row.height).bmp()
        elif name == "left_panel.bmp":
            data = left_panel(row.height).bmp()
        elif name == "accept_decline.bmp":
            data = accept_decline(row.width).bmp()
        else:
            continue
        result.append((row.record, row.source[len("skins/"):], data))
    return sorted(result)


def main(argv):
    if argv[:1] == ["--settings"] and len(argv) == 3:
        write_settings(argv[1], argv[2])
        return 0
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "skins")
    check = "--check" in argv
    differ = []
    for record, path, data in outputs():
        target = os.path.join(root, path)
        if check:
            try:
                with open(target, "rb") as f:
                    same = f.read() == data
            except OSError:
                same = False
            if not same:
                differ.append(path)
            continue
        os.makedirs(os.path.dirname(target), exist_ok=True)
        with open(target, "wb") as f:
            f.write(data)
        print("%d %s %d bytes" % (record, path, len(data)))
    if differ:
        print("out of date: " + ", ".join(differ), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
