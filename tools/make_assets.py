#!/usr/bin/env python3
"""Draws Vantor's skins, icon and click sounds into ui/res/ (Python 3 standard library only).

    python3 tools/make_assets.py [output folder]

The generated files are committed, so a build never needs this script; run it again after
changing a picture here. Everything is deterministic: the same script gives the same bytes.

Skins: a dark blue, cloudy texture with a title strip along the top (17 pixels, as high as the
panels' drag strips, closed by a thin line) carrying the title in light blue capitals; the
greetings panel adds a column of names and the splash panel is a starry sky with the program's
name, all in glowing green letters.
"""
import math
import os
import random
import struct
import sys
import wave

# ---------------------------------------------------------------------------------------------
# A 5 x 7 pixel font of capitals, digits and the few signs the pictures use.

GLYPHS = {
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
    "3": ["11110", "00001", "00001", "01110", "00001", "00001", "11110"],
    "4": ["00010", "00110", "01010", "10010", "11111", "00010", "00010"],
    "5": ["11111", "10000", "11110", "00001", "00001", "10001", "01110"],
    "6": ["00110", "01000", "10000", "11110", "10001", "10001", "01110"],
    "7": ["11111", "00001", "00010", "00100", "01000", "01000", "01000"],
    "8": ["01110", "10001", "10001", "01110", "10001", "10001", "01110"],
    "9": ["01110", "10001", "10001", "01111", "00001", "00010", "01100"],
    ".": ["00000", "00000", "00000", "00000", "00000", "01100", "01100"],
    ",": ["00000", "00000", "00000", "00000", "01100", "00100", "01000"],
    ":": ["00000", "01100", "01100", "00000", "01100", "01100", "00000"],
    "-": ["00000", "00000", "00000", "11111", "00000", "00000", "00000"],
    "!": ["00100", "00100", "00100", "00100", "00100", "00000", "00100"],
    "'": ["00100", "00100", "01000", "00000", "00000", "00000", "00000"],
    "/": ["00001", "00001", "00010", "00100", "01000", "10000", "10000"],
    " ": ["00000"] * 7,
}
GLYPH_W, GLYPH_H, GLYPH_GAP = 5, 7, 1


def text_width(text, scale=1, spacing=GLYPH_GAP):
    return len(text) * (GLYPH_W + spacing) * scale - spacing * scale if text else 0


def text_mask(width, height, items):
    """A coverage mask (0..1 floats) with each (text, x, y, scale, spacing) drawn into it."""
    mask = [[0.0] * width for _ in range(height)]
    for text, x0, y0, scale, spacing in items:
        x = x0
        for ch in text.upper():
            rows = GLYPHS[ch]
            for gy, row in enumerate(rows):
                for gx, bit in enumerate(row):
                    if bit != "1":
                        continue
                    for sy in range(scale):
                        for sx in range(scale):
                            px, py = x + gx * scale + sx, y0 + gy * scale + sy
                            if 0 <= px < width and 0 <= py < height:
                                mask[py][px] = 1.0
            x += (GLYPH_W + spacing) * scale
    return mask


def blur(mask, radius):
    """A box blur run twice (close to a gaussian): the glow around the letters."""
    h, w = len(mask), len(mask[0])
    out = mask
    for _ in range(2):
        rows = []
        for y in range(h):
            row, acc = [], 0.0
            line = out[y]
            prefix = [0.0]
            for v in line:
                acc += v
                prefix.append(acc)
            for x in range(w):
                a, b = max(0, x - radius), min(w, x + radius + 1)
                row.append((prefix[b] - prefix[a]) / (2 * radius + 1))
            rows.append(row)
        cols = [[0.0] * w for _ in range(h)]
        for x in range(w):
            prefix, acc = [0.0], 0.0
            for y in range(h):
                acc += rows[y][x]
                prefix.append(acc)
            for y in range(h):
                a, b = max(0, y - radius), min(h, y + radius + 1)
                cols[y][x] = (prefix[b] - prefix[a]) / (2 * radius + 1)
        out = cols
    return out


# ---------------------------------------------------------------------------------------------
# Pictures: lists of rows of (r, g, b) floats.


def blank(width, height, color):
    return [[tuple(color) for _ in range(width)] for _ in range(height)]


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def value_noise(width, height, seed, cell):
    """Smoothly interpolated random values on a grid of `cell` pixels."""
    rnd = random.Random(seed)
    gw, gh = width // cell + 2, height // cell + 2
    grid = [[rnd.random() for _ in range(gw)] for _ in range(gh)]

    def smooth(t):
        return t * t * (3 - 2 * t)

    out = []
    for y in range(height):
        gy, fy = divmod(y / cell, 1)
        gy = int(gy)
        sy = smooth(fy)
        row = []
        for x in range(width):
            gx, fx = divmod(x / cell, 1)
            gx = int(gx)
            sx = smooth(fx)
            top = grid[gy][gx] + (grid[gy][gx + 1] - grid[gy][gx]) * sx
            bottom = grid[gy + 1][gx] + (grid[gy + 1][gx + 1] - grid[gy + 1][gx]) * sx
            row.append(top + (bottom - top) * sy)
        out.append(row)
    return out


def clouds(width, height, seed):
    """The dark blue, cloudy texture of every panel."""
    layers = [(48, 0.5), (24, 0.27), (12, 0.15), (6, 0.08)]
    fields = [value_noise(width, height, seed * 31 + i, cell) for i, (cell, _) in enumerate(layers)]
    deep, light = (6, 9, 40), (34, 52, 128)
    pic = []
    for y in range(height):
        row = []
        for x in range(width):
            v = sum(f[y][x] * wgt for f, (_, wgt) in zip(fields, layers))
            v = max(0.0, min(1.0, (v - 0.25) / 0.6))
            row.append(mix(deep, light, v * v))
        pic.append(row)
    return pic


def paint_mask(pic, mask, color, strength=1.0):
    for y, row in enumerate(mask):
        for x, m in enumerate(row):
            if m > 0:
                pic[y][x] = mix(pic[y][x], color, min(1.0, m * strength))


def glow_text(pic, items, core=(150, 255, 150), halo=(40, 230, 80), radius=2, halo_strength=2.2):
    """Letters in bright green with a soft green halo, as if lit from within."""
    h, w = len(pic), len(pic[0])
    mask = text_mask(w, h, items)
    paint_mask(pic, blur(mask, radius), halo, halo_strength)
    paint_mask(pic, mask, core)


TITLE_STRIP = 17  # pixels: the drag strips are 255 twips high
TITLE_INK = (156, 208, 255)
LINE = (65, 139, 207)


def title_strip(pic, title):
    """The strip along the top: a little darker, the title in light blue capitals, a thin line."""
    w = len(pic[0])
    for y in range(TITLE_STRIP):
        for x in range(w):
            pic[y][x] = mix(pic[y][x], (4, 6, 28), 0.45)
    h = len(pic)
    shadow = text_mask(w, h, [(title, 7, 6, 1, GLYPH_GAP)])
    paint_mask(pic, shadow, (0, 0, 10), 0.9)
    paint_mask(pic, text_mask(w, h, [(title, 6, 5, 1, GLYPH_GAP)]), TITLE_INK)
    for x in range(w):
        pic[TITLE_STRIP][x] = mix(pic[TITLE_STRIP][x], LINE, 0.85)
        pic[TITLE_STRIP + 1][x] = mix(pic[TITLE_STRIP + 1][x], (0, 0, 0), 0.35)


def frame(pic):
    """A thin edge, lighter at the top left and darker at the bottom right: a raised panel."""
    h, w = len(pic), len(pic[0])
    for x in range(w):
        pic[0][x] = mix(pic[0][x], LINE, 0.7)
        pic[h - 1][x] = mix(pic[h - 1][x], (0, 0, 0), 0.6)
    for y in range(h):
        pic[y][0] = mix(pic[y][0], LINE, 0.7)
        pic[y][w - 1] = mix(pic[y][w - 1], (0, 0, 0), 0.6)


def skin(width, height, title, seed):
    pic = clouds(width, height, seed)
    title_strip(pic, title)
    frame(pic)
    return pic


def greet_skin():
    pic = skin(144, 144, "Vantor v 2.0", 5)
    names = ["NIGHTOWL", "BYTERIDER", "QUASAR", "MAILHAWK", "ZEPHYR", "LUMEN"]
    items = [(n, 10, 30 + i * 17, 1, 2) for i, n in enumerate(names)]
    glow_text(pic, items, radius=2, halo_strength=1.6)
    return pic


def stars(width, height, seed):
    """A dark blue night sky: a faint haze and stars of a few sizes."""
    rnd = random.Random(seed)
    haze = value_noise(width, height, seed + 7, 40)
    pic = []
    for y in range(height):
        row = []
        for x in range(width):
            t = y / height
            base = mix((3, 5, 30), (12, 20, 72), t)
            row.append(mix(base, (30, 42, 110), max(0.0, haze[y][x] - 0.55) * 1.5))
        pic.append(row)
    for _ in range(260):
        x, y = rnd.randrange(width), rnd.randrange(height)
        b = rnd.random() ** 2.5
        col = mix((90, 110, 170), (255, 255, 255), b)
        pic[y][x] = mix(pic[y][x], col, 0.4 + 0.6 * b)
        if b > 0.55:  # the bright ones get a small cross of light
            for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                if 0 <= x + dx < width and 0 <= y + dy < height:
                    pic[y + dy][x + dx] = mix(pic[y + dy][x + dx], col, 0.35)
    return pic


def intro_skin():
    w, h = 310, 216
    pic = stars(w, h, 11)

    def centred(text, y, scale, spacing=GLYPH_GAP):
        return (text, (w - text_width(text, scale, spacing)) // 2, y, scale, spacing)

    glow_text(pic, [centred("VANTOR", 38, 6, 1)], radius=4, halo_strength=2.0)
    glow_text(pic, [centred("V 2.0", 96, 3)], radius=3, halo_strength=1.8)
    glow_text(pic, [centred("BY:", 132, 2)], radius=2, halo_strength=1.6)
    glow_text(pic, [centred("SKARNEL", 152, 3)], radius=3, halo_strength=1.8)
    glow_text(pic, [centred("YOUR MAIL REQUESTS, RIGHT ON TIME", 198, 1)], radius=2,
              halo_strength=1.3)
    frame(pic)
    return pic


def write_bmp(path, pic):
    """A 24-bit, bottom-up Windows bitmap."""
    h, w = len(pic), len(pic[0])
    stride = (w * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(pic):
        for r, g, b in row:
            data += bytes((clamp(b), clamp(g), clamp(r)))
        data += b"\0" * (stride - w * 3)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), 3780, 3780, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


def clamp(v):
    return max(0, min(255, int(round(v))))


# ---------------------------------------------------------------------------------------------
# The icon: a green "V" glowing on a dark blue rounded square, at 32 and 16 pixels.


def icon_image(size):
    s = size / 32.0
    pixels = []
    for y in range(size):
        row = []
        for x in range(size):
            # Coverage of the rounded square, sampled 4 x 4 for soft edges.
            cover, letter = 0.0, 0.0
            for sy in range(4):
                for sx in range(4):
                    px, py = (x + (sx + 0.5) / 4) / s, (y + (sy + 0.5) / 4) / s
                    dx = max(0.0, abs(px - 16) - 11)
                    dy = max(0.0, abs(py - 16) - 11)
                    if math.hypot(dx, dy) <= 4.5:
                        cover += 1
                    if in_v(px, py):
                        letter += 1
            cover /= 16
            letter /= 16
            t = y / size
            base = mix((30, 50, 130), (6, 10, 46), t)
            col = mix(base, (140, 255, 150), letter)
            row.append((col, cover))
        pixels.append(row)
    # The edge of the square in the label buttons' blue.
    return pixels


def in_v(px, py):
    """The letter V of the icon, in the 32-pixel design's coordinates."""
    if not 7 <= py <= 25:
        return False
    t = (py - 7) / 18  # 0 at the top, 1 at the point
    centre_left = 8 + 8 * t
    centre_right = 24 - 8 * t
    half = 2.6 - 0.6 * t
    return abs(px - centre_left) <= half or abs(px - centre_right) <= half


def write_ico(path, sizes):
    images = []
    for size in sizes:
        pixels = icon_image(size)
        xor = bytearray()
        for row in reversed(pixels):
            for (r, g, b), a in row:
                xor += bytes((clamp(b), clamp(g), clamp(r), clamp(a * 255)))
        mask_stride = ((size + 31) // 32) * 4
        andmask = bytearray()
        for row in reversed(pixels):
            bits = bytearray(mask_stride)
            for x, (_, a) in enumerate(row):
                if a < 0.5:
                    bits[x // 8] |= 0x80 >> (x % 8)
            andmask += bits
        info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(andmask),
                           0, 0, 0, 0)
        images.append((size, info + xor + andmask))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, blob in images:
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    for _, blob in images:
        out += blob
    with open(path, "wb") as f:
        f.write(out)


# ---------------------------------------------------------------------------------------------
# The click sounds: short, soft, 16-bit PCM mono.

RATE = 22050


def write_wav(path, samples):
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(b"".join(struct.pack("<h", max(-32767, min(32767, int(v * 32767))))
                               for v in samples))


def press_sound():
    """A short, dry click: a falling tone with a fast decay, 35 ms."""
    n = int(RATE * 0.035)
    out = []
    for i in range(n):
        t = i / RATE
        f = 2200 - 900 * (i / n)
        env = math.exp(-t * 140) * min(1.0, i / 20)
        out.append(0.55 * env * math.sin(2 * math.pi * f * t))
    return out


def popup_sound():
    """Two quick rising blips, 90 ms: something opens."""
    out = []
    for f0, length in ((880, 0.04), (1320, 0.05)):
        n = int(RATE * length)
        for i in range(n):
            t = i / RATE
            env = math.sin(math.pi * i / n) ** 1.5
            out.append(0.45 * env * math.sin(2 * math.pi * f0 * (1 + 0.15 * i / n) * t))
    return out


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "ui", "res")
    os.makedirs(out, exist_ok=True)
    skins = {
        "skin_head.bmp": lambda: skin(288, 94, "Vantor v 2.0 by: Skarnel", 1),
        "skin_reqlist.bmp": lambda: skin(432, 216, "Vantor v 2.0 - Request List", 2),
        "skin_dltool.bmp": lambda: skin(432, 180, "Vantor v 2.0 - DL Tool", 3),
        "skin_greet.bmp": greet_skin,
        "skin_intro.bmp": intro_skin,
    }
    for name, draw in skins.items():
        write_bmp(os.path.join(out, name), draw())
    write_ico(os.path.join(out, "vantor.ico"), [32, 16])
    write_wav(os.path.join(out, "press.wav"), press_sound())
    write_wav(os.path.join(out, "popup.wav"), popup_sound())
    print("assets written to", os.path.normpath(out))


if __name__ == "__main__":
    main()
