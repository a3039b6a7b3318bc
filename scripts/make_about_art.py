#!/usr/bin/env python3
# Draws the About window's artwork: resources/about.gif and resources/hand.cur.
"""Generate the About window's picture and the link's hand cursor.

Usage: python3 scripts/make_about_art.py [output-folder]

about.gif is a 142 x 113 picture with a full 256-colour palette: the
program's monitor (as in the program icon) on a sky gradient, its screen
showing a small network.  hand.cur is a 32 x 32 two-colour cursor, a
pointing hand whose hot spot (12, 9) is the tip of the index finger.  Only
the standard library is used and every run writes the same bytes.
"""

import struct
import sys
from pathlib import Path

WIDTH, HEIGHT = 142, 113

# The palette: a 160-step sky, a 64-step screen, then fixed colours; the rest
# of the 256 entries is black.
SKY, SKY_STEPS = 0, 160
SCREEN, SCREEN_STEPS = 160, 64
FIXED = [
    (0x1E, 0x23, 0x2B),  # outline
    (0x55, 0x5E, 0x6B),  # monitor bezel
    (0x9B, 0xA5, 0xB3),  # bezel highlight, stand
    (0xFF, 0xFF, 0xFF),  # network nodes and links
    (0x3C, 0xC8, 0x5A),  # this computer's node
    (0x7D, 0x8C, 0x9C),  # shadow under the stand
]
OUTLINE, BEZEL, LIGHT, WHITE, GREEN, SHADOW = range(224, 224 + len(FIXED))


def blend(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def palette():
    colours = [blend((0x8E, 0xC5, 0xF0), (0xF4, 0xF8, 0xFC), i / (SKY_STEPS - 1))
               for i in range(SKY_STEPS)]
    colours += [blend((0x2F, 0x7C, 0xD4), (0x0B, 0x32, 0x78), i / (SCREEN_STEPS - 1))
                for i in range(SCREEN_STEPS)]
    colours += FIXED
    return colours + [(0, 0, 0)] * (256 - len(colours))


def line(pixels, x0, y0, x1, y1, colour, width=1):
    steps = max(abs(x1 - x0), abs(y1 - y0))
    for s in range(steps + 1):
        x = x0 + round((x1 - x0) * s / steps)
        y = y0 + round((y1 - y0) * s / steps)
        for dy in range(width):
            for dx in range(width):
                pixels[y + dy][x + dx] = colour


def disc(pixels, cx, cy, r, colour):
    for y in range(cy - r, cy + r + 1):
        for x in range(cx - r, cx + r + 1):
            if (x - cx) ** 2 + (y - cy) ** 2 <= r * r + r:
                pixels[y][x] = colour


def fill(pixels, x0, y0, x1, y1, colour):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            pixels[y][x] = colour


def draw_picture():
    # The sky darkens towards the top-left corner.
    pixels = [[SKY + min(SKY_STEPS - 1, (x + 2 * y) * SKY_STEPS // (WIDTH + 2 * HEIGHT))
               for x in range(WIDTH)] for y in range(HEIGHT)]
    # Shadow, stand, then the monitor over the stand's neck.
    for y in range(101, 109):
        for x in range(30, 112):
            if ((x - 71) / 41) ** 2 + ((y - 105) / 4) ** 2 <= 1:
                pixels[y][x] = SHADOW
    fill(pixels, 60, 84, 81, 97, OUTLINE)
    fill(pixels, 61, 84, 80, 96, LIGHT)
    fill(pixels, 40, 96, 101, 104, OUTLINE)
    fill(pixels, 41, 97, 100, 103, LIGHT)
    fill(pixels, 42, 98, 99, 98, WHITE)
    fill(pixels, 16, 6, 125, 86, OUTLINE)
    fill(pixels, 17, 7, 124, 85, BEZEL)
    fill(pixels, 18, 8, 123, 9, LIGHT)
    fill(pixels, 24, 14, 117, 79, OUTLINE)
    for y in range(15, 79):
        for x in range(25, 117):
            pixels[y][x] = SCREEN + (y - 15) * SCREEN_STEPS // 64
    # The network: this computer in the middle, linked to four others.
    centre = (70, 46)
    others = [(42, 28), (98, 28), (42, 66), (98, 66)]
    for x, y in others:
        line(pixels, centre[0], centre[1], x, y, WHITE, width=2)
    for x, y in others:
        disc(pixels, x, y, 6, WHITE)
        disc(pixels, x, y, 4, SCREEN + 8)
    disc(pixels, centre[0], centre[1], 9, WHITE)
    disc(pixels, centre[0], centre[1], 7, GREEN)
    return pixels


def lzw(indices, min_code_size=8):
    """GIF's variable-width LZW, codes packed from the low bit up."""
    clear, end = 1 << min_code_size, (1 << min_code_size) + 1
    out, bits, count = bytearray(), 0, 0

    def emit(code, width):
        nonlocal bits, count
        bits |= code << count
        count += width
        while count >= 8:
            out.append(bits & 0xFF)
            bits >>= 8
            count -= 8

    width, table, next_code = min_code_size + 1, {}, end + 1
    emit(clear, width)
    prefix = indices[0]
    for index in indices[1:]:
        key = (prefix, index)
        if key in table:
            prefix = table[key]
            continue
        emit(prefix, width)
        if next_code < 4096:
            table[key] = next_code
            next_code += 1
            # The decoder widens its codes one entry later than it adds them.
            if next_code > (1 << width) and width < 12:
                width += 1
        else:
            emit(clear, width)
            width, table, next_code = min_code_size + 1, {}, end + 1
        prefix = index
    emit(prefix, width)
    emit(end, width)
    if count:
        out.append(bits & 0xFF)
    return bytes(out)


def gif(pixels):
    colours = palette()
    data = lzw([index for row in pixels for index in row])
    blocks = b"".join(bytes((len(data[i:i + 255]),)) + data[i:i + 255]
                      for i in range(0, len(data), 255))
    # Global table of 2^(7+1) colours, 8 bits per primary.
    screen = struct.pack("<HHBBB", WIDTH, HEIGHT, 0xF7, 0, 0)
    image = struct.pack("<BHHHHB", 0x2C, 0, 0, WIDTH, HEIGHT, 0)
    return (b"GIF89a" + screen + b"".join(bytes(c) for c in colours) + image +
            bytes((8,)) + blocks + b"\x00\x3B")


def draw_hand():
    """The hand as a set of white pixels; the black outline is every pixel
    beside it, plus the lines that part the folded fingers."""
    white = set()

    def area(x0, y0, x1, y1):
        white.update((x, y) for x in range(x0, x1 + 1) for y in range(y0, y1 + 1))

    area(11, 10, 13, 21)     # index finger, pointing up
    white.add((12, 9))       # its rounded tip: the hot spot
    area(15, 14, 16, 21)     # three folded fingers
    area(18, 15, 19, 21)
    area(21, 16, 22, 22)
    area(11, 22, 22, 27)     # palm
    area(8, 19, 10, 24)      # thumb
    area(12, 29, 21, 30)     # cuff
    black = {(x + dx, y + dy) for x, y in white for dx in (-1, 0, 1) for dy in (-1, 0, 1)}
    black -= white
    black.update((x, y) for x in (14, 17, 20) for y in range(15, 22))
    black.update((x, 28) for x in range(12, 22))
    white -= black
    return white, black


def cursor():
    white, black = draw_hand()
    xor_rows, and_rows = [], []
    for y in reversed(range(32)):  # DIB rows run bottom-up
        xor, mask = 0, 0
        for x in range(32):
            bit = 1 << (31 - x)
            if (x, y) in white:
                xor |= bit
            elif (x, y) not in black:
                mask |= bit  # set: the screen shows through
        xor_rows.append(struct.pack(">I", xor))
        and_rows.append(struct.pack(">I", mask))
    bits = b"".join(xor_rows) + b"".join(and_rows)
    # biHeight counts the colour bitmap and the mask stacked on each other.
    header = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 1, 0, len(bits), 0, 0, 2, 0)
    colours = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    image = header + colours + bits
    # A cursor directory keeps the hot spot where an icon has planes and bit count.
    directory = struct.pack("<HHH", 0, 2, 1) + struct.pack(
        "<BBBBHHII", 32, 32, 2, 0, 12, 9, len(image), 22)
    return directory + image


def main(argv):
    if len(argv) > 2:
        sys.exit("usage: make_about_art.py [output-folder]")
    root = Path(__file__).resolve().parent.parent
    folder = Path(argv[1]) if len(argv) == 2 else root / "resources"
    (folder / "about.gif").write_bytes(gif(draw_picture()))
    (folder / "hand.cur").write_bytes(cursor())


if __name__ == "__main__":
    main(sys.argv)
