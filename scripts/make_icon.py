#!/usr/bin/env python3
# Draws the Adrelo Viewer program icon and writes it as resources/adrelo.ico.
"""Generate the program icon: a monitor whose screen shows a small network.

Usage: python3 scripts/make_icon.py [output-path]
       python3 scripts/make_icon.py --check [icon-path] [--preview folder]

The icon holds the picture in 32-bit colour with an alpha channel at 256,
64, 48, 40, 32, 24, 20 and 16 pixels, in that order, largest first, each
stored as a PNG: Windows reads PNG images of any size in an icon since
Vista, and they keep the exe small.  After them come the two 256-colour
images, 32x32 and 16x16, with an AND mask, for 256-colour displays and for
readers that know no PNG.

Every size is drawn on its own grid, not scaled from another.  Shapes are
sampled 4x4 per pixel: up to 32 pixels every edge lies on a whole pixel, so
the picture stays crisp; the larger sizes have rounded corners, which come
out anti-aliased.  A dark outline with a light rim inside it keeps the
silhouette clear on light and on dark taskbars.

--check reads an icon back, checks its directory and images, and prints one
line per image with the contrast of its edge against a light (#F3F3F3) and
a dark (#202020) taskbar; --preview also writes each image over both
taskbar colours, four times enlarged, as PNG files into the folder.

Only the standard library is used and nothing depends on time or
environment, so every run writes the same bytes.
"""

import math
import struct
import sys
import zlib
from pathlib import Path

# Palette entries as (red, green, blue).  Index 0 must stay black: transparent
# pixels store index 0 in the colour bitmap, and Windows XORs that bitmap onto
# the screen where the AND mask is set, so black leaves the background as is.
PALETTE = [
    (0x00, 0x00, 0x00),  # 0: transparent fill
    (0x1E, 0x23, 0x2B),  # 1: outline
    (0x55, 0x5E, 0x6B),  # 2: monitor bezel
    (0x9B, 0xA5, 0xB3),  # 3: bezel highlight, stand
    (0x0F, 0x46, 0x96),  # 4: screen
    (0x2F, 0x7C, 0xD4),  # 5: screen glare
    (0xFF, 0xFF, 0xFF),  # 6: network nodes and links
    (0x3C, 0xC8, 0x5A),  # 7: this computer's node
]
OUTLINE, BEZEL, LIGHT, SCREEN, GLARE, WHITE, GREEN = range(1, 8)


class Canvas:
    """A square grid of palette indices; None marks a transparent pixel."""

    def __init__(self, size):
        self.size = size
        self.pixels = [[None] * size for _ in range(size)]

    def fill(self, x0, y0, x1, y1, colour):
        """Fill the rectangle with inclusive corners (x0, y0) and (x1, y1)."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.pixels[y][x] = colour

    def box(self, x0, y0, x1, y1, colour, border=OUTLINE):
        """A filled rectangle with a one-pixel border."""
        self.fill(x0, y0, x1, y1, border)
        self.fill(x0 + 1, y0 + 1, x1 - 1, y1 - 1, colour)

    def set(self, x, y, colour):
        self.pixels[y][x] = colour


def draw_32():
    c = Canvas(32)
    # Stand first, so the monitor's bottom edge overlaps the neck.
    c.box(12, 22, 19, 27, LIGHT)
    c.box(7, 26, 24, 30, LIGHT)
    c.fill(8, 27, 23, 27, WHITE)  # catch light on the base
    # Monitor body with a lighter top edge, then the screen inside it.
    c.box(0, 2, 31, 24, BEZEL)
    c.fill(1, 3, 30, 3, LIGHT)
    c.box(3, 5, 28, 21, SCREEN)
    c.fill(4, 6, 27, 7, GLARE)
    # The network: this computer on top, linked by a bus to two others.
    c.box(12, 7, 19, 11, GREEN, border=WHITE)
    c.fill(15, 12, 16, 13, WHITE)
    c.fill(8, 14, 23, 14, WHITE)
    c.fill(8, 15, 9, 15, WHITE)
    c.fill(22, 15, 23, 15, WHITE)
    c.box(5, 16, 12, 19, GLARE, border=WHITE)
    c.box(19, 16, 26, 19, GLARE, border=WHITE)
    return c


def draw_16():
    c = Canvas(16)
    c.box(5, 12, 10, 14, LIGHT)
    c.fill(2, 14, 13, 15, OUTLINE)
    c.fill(3, 14, 12, 14, LIGHT)
    c.box(0, 0, 15, 12, BEZEL)
    c.box(1, 1, 14, 11, SCREEN, border=BEZEL)
    c.fill(2, 2, 13, 2, GLARE)
    # Same network as the large image, but with one-pixel links and solid
    # nodes: at this size a frame around a node would swallow its inside.
    c.fill(6, 3, 9, 4, GREEN)
    c.fill(7, 5, 8, 5, WHITE)
    c.fill(4, 6, 11, 6, WHITE)
    c.set(4, 7, WHITE)
    c.set(11, 7, WHITE)
    c.fill(3, 8, 5, 9, WHITE)
    c.fill(10, 8, 12, 9, WHITE)
    return c


# The 32-bit images.  They use the palette's colours; index 0 is transparent.
SAMPLES = 4  # per pixel along each axis


class Art:
    """A square picture kept as colour indices on a grid SAMPLES times finer
    than its pixels.  Shapes take pixel coordinates, x1 and y1 exclusive, and
    cover the samples whose centres lie inside them, so a shape on whole
    pixels comes out crisp and any other gets edges of partial coverage."""

    def __init__(self, size):
        self.size = size
        self.side = size * SAMPLES
        self.grid = bytearray(self.side * self.side)

    def rect(self, x0, y0, x1, y1, colour, radius=0):
        """A rectangle, its corners rounded with the given radius."""
        first = math.ceil(y0 * SAMPLES - 0.5)
        last = math.ceil(y1 * SAMPLES - 0.5)
        for row in range(max(first, 0), min(last, self.side)):
            y = (row + 0.5) / SAMPLES
            inset = 0
            if radius:
                dy = max(y0 + radius - y, y - (y1 - radius), 0)
                inset = radius - math.sqrt(max(radius * radius - dy * dy, 0))
            left = max(math.ceil((x0 + inset) * SAMPLES - 0.5), 0)
            right = min(math.ceil((x1 - inset) * SAMPLES - 0.5), self.side)
            if right > left:
                start = row * self.side
                self.grid[start + left:start + right] = bytes([colour]) * (right - left)

    def box(self, x0, y0, x1, y1, colour, border=OUTLINE, width=1, radius=0):
        """A filled rectangle inside a border of the given width."""
        self.rect(x0, y0, x1, y1, border, radius)
        self.rect(x0 + width, y0 + width, x1 - width, y1 - width, colour,
                  max(radius - width, 0))

    def rgba(self):
        """The pixels as RGBA rows: each the mean of its samples, weighted by
        coverage, with the coverage as alpha."""
        n = SAMPLES * SAMPLES
        out = bytearray()
        for y in range(self.size):
            rows = [self.grid[(y * SAMPLES + k) * self.side:][:self.side]
                    for k in range(SAMPLES)]
            for x in range(self.size):
                cell = b"".join(r[x * SAMPLES:(x + 1) * SAMPLES] for r in rows)
                if cell.count(cell[0]) == n:
                    out += bytes(PALETTE[cell[0]]) + (b"\xff" if cell[0] else b"\0")
                    continue
                shown = [PALETTE[i] for i in cell if i]
                if not shown:
                    out += b"\0\0\0\0"
                    continue
                k = len(shown)
                out += bytes((2 * sum(c[j] for c in shown) + k) // (2 * k)
                             for j in range(3))
                out.append((510 * k + n) // (2 * n))
        return bytes(out)


def monitor(a, body, radius, edge, bezel, screen, frame, glare):
    """The monitor: an outline and inside it a light rim, each `edge` wide,
    round the body; the bezel; the screen in a dark frame (none if `frame`
    is 0) with a band of glare along its top."""
    x0, y0, x1, y1 = body
    a.box(x0, y0, x1, y1, LIGHT, width=edge, radius=radius)
    a.rect(*bezel, BEZEL, radius=max(radius - 2 * edge, 0))
    s0, t0, s1, t1 = screen
    inner = max(radius - 2 * edge - frame, 0)
    if frame:
        a.box(s0, t0, s1, t1, SCREEN, width=frame, radius=inner + frame)
    else:
        a.rect(s0, t0, s1, t1, SCREEN)
    # The glare's top corners follow the screen's, its lower ones are square.
    a.rect(s0 + frame, t0 + frame, s1 - frame, t0 + frame + glare, GLARE,
           radius=inner)
    a.rect(s0 + frame, t0 + frame + glare / 2, s1 - frame, t0 + frame + glare,
           GLARE)


def network(a, top, left, right, bus, link, drop, border, radius=0):
    """This computer's node `top` with a link down to the bus, whose ends
    drop to the nodes `left` and `right`.  Nodes are white frames `border`
    wide, or solid when it is 0."""
    middle = (top[0] + top[2]) / 2
    a.rect(middle - link / 2, top[3], middle + link / 2, bus[1], WHITE)
    a.rect(*bus, WHITE)
    a.rect(bus[0], bus[3], bus[0] + drop, left[1], WHITE)
    a.rect(bus[2] - drop, bus[3], bus[2], right[1], WHITE)
    for node, fill in ((top, GREEN), (left, GLARE), (right, GLARE)):
        if border:
            a.box(*node, fill, border=WHITE, width=border, radius=radius)
        else:
            a.rect(*node, GREEN if node is top else WHITE)


def stand(a, neck, base, width=1, shine=1, radius=0):
    """The neck and the base under the monitor, light inside an outline,
    with a white catch light `shine` high along the top of the base."""
    a.box(*neck, LIGHT, width=width)
    x0, y0, x1, y1 = base
    a.box(x0, y0, x1, y1, LIGHT, width=width, radius=radius)
    if shine:
        a.rect(x0 + width, y0 + width, x1 - width, y0 + width + shine, WHITE,
               radius=max(radius - width, 0))


def art_16():
    a = Art(16)
    # As the 256-colour image, with the bezel turned into the light rim that
    # shows against a dark taskbar, and the same two-row base: light over
    # the outline, with no room for an outline above it.
    a.box(5, 12, 11, 15, LIGHT)
    a.rect(2, 14, 14, 16, OUTLINE)
    a.rect(3, 14, 13, 15, LIGHT)
    monitor(a, (0, 0, 16, 13), 0, 1, (2, 2, 14, 11), (2, 2, 14, 11), 0, 1)
    network(a, top=(6, 3, 10, 5), left=(3, 8, 6, 10), right=(10, 8, 13, 10),
            bus=(4, 6, 12, 7), link=2, drop=1, border=0)
    return a


def art_20():
    a = Art(20)
    stand(a, neck=(7, 14, 13, 18), base=(3, 17, 17, 20), shine=0)
    monitor(a, (0, 0, 20, 15), 0, 1, (2, 2, 18, 13), (3, 3, 17, 12), 0, 1)
    network(a, top=(7, 4, 13, 6), left=(4, 9, 8, 11), right=(12, 9, 16, 11),
            bus=(5, 7, 15, 8), link=2, drop=2, border=0)
    return a


def art_24():
    a = Art(24)
    stand(a, neck=(9, 17, 15, 21), base=(5, 20, 19, 24))
    monitor(a, (0, 0, 24, 19), 0, 1, (2, 2, 22, 17), (3, 3, 21, 16), 1, 1)
    network(a, top=(9, 4, 15, 8), left=(5, 11, 10, 14), right=(14, 11, 19, 14),
            bus=(7, 9, 17, 10), link=2, drop=1, border=1)
    return a


def art_32():
    a = Art(32)
    # The 256-colour image's geometry, with a light rim all round.
    stand(a, neck=(12, 22, 20, 28), base=(7, 26, 25, 31))
    monitor(a, (0, 2, 32, 25), 0, 1, (2, 4, 30, 23), (3, 5, 29, 22), 1, 2)
    network(a, top=(12, 7, 20, 12), left=(5, 16, 13, 20), right=(19, 16, 27, 20),
            bus=(8, 14, 24, 15), link=2, drop=2, border=1)
    return a


def art_40():
    a = Art(40)
    stand(a, neck=(15, 29, 25, 34), base=(9, 33, 31, 39), radius=1)
    monitor(a, (0, 2, 40, 31), 2, 1, (2, 4, 38, 29), (4, 5, 36, 27), 1, 3)
    network(a, top=(15, 7, 25, 14), left=(6, 20, 16, 25), right=(24, 20, 34, 25),
            bus=(10, 16, 30, 18), link=2, drop=2, border=1)
    return a


def art_48():
    a = Art(48)
    stand(a, neck=(18, 36, 30, 41), base=(11, 40, 37, 47), radius=1.5)
    monitor(a, (0, 3, 48, 38), 3, 1, (2, 5, 46, 36), (5, 7, 43, 33), 1, 3)
    network(a, top=(18, 10, 30, 18), left=(7, 25, 19, 31), right=(29, 25, 41, 31),
            bus=(12, 21, 36, 23), link=2, drop=2, border=2, radius=0.5)
    return a


def art_64():
    a = Art(64)
    stand(a, neck=(24, 44, 40, 56), base=(14, 52, 50, 62), width=2, shine=2,
          radius=2)
    monitor(a, (0, 4, 64, 50), 4, 2, (4, 8, 60, 46), (6, 10, 58, 44), 2, 4)
    network(a, top=(24, 14, 40, 24), left=(10, 32, 26, 40), right=(38, 32, 54, 40),
            bus=(16, 27, 48, 30), link=4, drop=4, border=2, radius=1)
    return a


def art_256():
    a = Art(256)
    # Flat, with rounded corners and even strokes; large areas of one colour
    # also keep the PNG small.
    stand(a, neck=(96, 176, 160, 224), base=(56, 208, 200, 248), width=6,
          shine=8, radius=10)
    monitor(a, (0, 16, 256, 200), 18, 6, (12, 28, 244, 188), (24, 38, 232, 176),
            6, 14)
    network(a, top=(96, 54, 160, 96), left=(40, 128, 104, 162),
            right=(152, 128, 216, 162), bus=(66, 108, 190, 120), link=12,
            drop=12, border=8, radius=8)
    return a


# Largest first: the order of the images in the file.
ART = [art_256, art_64, art_48, art_40, art_32, art_24, art_20, art_16]


def chunk(kind, data):
    return (struct.pack(">I", len(data)) + kind + data
            + struct.pack(">I", zlib.crc32(kind + data)))


def predict(kind, a, b, c):
    """The PNG row filter's guess at a byte from its left (a), upper (b) and
    upper-left (c) neighbours."""
    if kind == 1:
        return a
    if kind == 2:
        return b
    if kind == 3:
        return (a + b) // 2
    if kind == 4:
        p = a + b - c
        pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
        return a if pa <= pb and pa <= pc else b if pb <= pc else c
    return 0


def filtered(kind, line, prior):
    """An RGBA row as the filter stores it: each byte less its guess."""
    return bytes((line[i] - predict(kind, line[i - 4] if i >= 4 else 0, prior[i],
                                    prior[i - 4] if i >= 4 else 0)) & 0xFF
                 for i in range(len(line)))


def unfiltered(kind, line, prior):
    out = bytearray(line)
    for i in range(len(out)):
        out[i] = (out[i] + predict(kind, out[i - 4] if i >= 4 else 0, prior[i],
                                   prior[i - 4] if i >= 4 else 0)) & 0xFF
    return bytes(out)


def png(size, rgba):
    """An RGBA PNG with only the critical chunks.  Each of the five row
    filters is tried on the whole image and the smallest result kept."""
    stride = 4 * size
    rows = [rgba[y * stride:(y + 1) * stride] for y in range(size)]
    best = None
    for kind in range(5):
        prior = bytes(stride)
        data = bytearray()
        for row in rows:
            data.append(kind)
            data += filtered(kind, row, prior)
            prior = row
        packed = zlib.compress(bytes(data), 9)
        if best is None or len(packed) < len(best):
            best = packed
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", best)
            + chunk(b"IEND", b""))


def dib(canvas):
    """One ICO image: BITMAPINFOHEADER, palette, colour bitmap, AND mask."""
    size = canvas.size
    xor_stride = (size + 3) // 4 * 4
    and_stride = (size + 31) // 32 * 4
    xor_rows, and_rows = [], []
    # DIB rows run bottom-up.
    for row in reversed(canvas.pixels):
        xor = bytearray(xor_stride)
        mask = bytearray(and_stride)
        for x, index in enumerate(row):
            if index is None:
                mask[x // 8] |= 0x80 >> (x % 8)  # set bit = transparent
            else:
                xor[x] = index
        xor_rows.append(bytes(xor))
        and_rows.append(bytes(mask))
    pixels = b"".join(xor_rows) + b"".join(and_rows)
    # biHeight covers the colour bitmap and the mask stacked on each other.
    # 8 bits a pixel, but only the palette's own colours stored (biClrUsed):
    # the 256-entry table would be mostly black padding.
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 8, 0,
                         len(pixels), 0, 0, len(PALETTE), 0)
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    return header + palette + pixels


def ico(images):
    """The icon file from (size, bits per pixel, image data) triples."""
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, bits, data in images:
        # Width 0 means 256; colour count 0 means 256 colours or more.
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0,
                           1, bits, len(data), offset)
        offset += len(data)
    return out + b"".join(data for _, _, data in images)


def build():
    images = []
    for draw in ART:
        art = draw()
        images.append((art.size, 32, png(art.size, art.rgba())))
    for canvas in (draw_32(), draw_16()):
        images.append((canvas.size, 8, dib(canvas)))
    return ico(images)


# Reading an icon back.

TASKBARS = (("light", (0xF3, 0xF3, 0xF3)), ("dark", (0x20, 0x20, 0x20)))


def read_png(data):
    """The size and RGBA pixels of a PNG as png() writes it; raises
    ValueError on anything else."""
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("no PNG signature")
    at, kinds, idat = 8, [], b""
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        (crc,) = struct.unpack(">I", data[at + 8 + length:at + 12 + length])
        if crc != zlib.crc32(kind + body):
            raise ValueError("bad CRC in " + kind.decode())
        kinds.append(kind)
        if kind == b"IHDR":
            width, height, depth, colour, *rest = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        at += 12 + length
    if kinds[0] != b"IHDR" or kinds[-1] != b"IEND" or set(kinds[1:-1]) != {b"IDAT"}:
        raise ValueError("chunks " + b" ".join(kinds).decode())
    if (depth, colour, rest) != (8, 6, [0, 0, 0]) or width != height:
        raise ValueError("not a square 8-bit RGBA image")
    raw, stride = zlib.decompress(idat), 4 * width
    if len(raw) != height * (stride + 1):
        raise ValueError("image data of the wrong length")
    rows, prior = [], bytes(stride)
    for y in range(height):
        line = raw[y * (stride + 1):(y + 1) * (stride + 1)]
        if line[0] > 4:
            raise ValueError("unknown row filter")
        prior = unfiltered(line[0], line[1:], prior)
        rows.append(prior)
    return width, b"".join(rows)


def read_dib(data):
    """The size and RGBA pixels of an 8-bit DIB with its AND mask."""
    size, width, height, planes, bits = struct.unpack("<IiiHH", data[:16])
    if (size, planes, bits, height) != (40, 1, 8, 2 * width):
        raise ValueError("not an 8-bit icon bitmap")
    colours = struct.unpack("<I", data[32:36])[0] or 256
    palette = data[40:40 + 4 * colours]
    xor_at = 40 + 4 * colours
    xor_stride, and_stride = (width + 3) // 4 * 4, (width + 31) // 32 * 4
    and_at = xor_at + xor_stride * width
    if len(data) != and_at + and_stride * width:
        raise ValueError("bitmap of the wrong length")
    out = bytearray()
    for y in reversed(range(width)):
        for x in range(width):
            if data[and_at + y * and_stride + x // 8] & (0x80 >> (x % 8)):
                out += b"\0\0\0\0"
            else:
                b, g, r = palette[4 * data[xor_at + y * xor_stride + x]:][:3]
                out += bytes((r, g, b, 255))
    return width, bytes(out)


def over(rgba, background):
    """The pixels composited over a background colour, as RGB triples."""
    out = []
    for i in range(0, len(rgba), 4):
        alpha = rgba[i + 3]
        out.append(tuple((rgba[i + j] * alpha + background[j] * (255 - alpha) + 127)
                         // 255 for j in range(3)))
    return out


def luminance(rgb):
    def linear(v):
        v /= 255
        return v / 12.92 if v <= 0.04045 else ((v + 0.055) / 1.055) ** 2.4
    r, g, b = (linear(v) for v in rgb)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def edge_contrast(size, rgba, background):
    """The mean and the least contrast ratio of the silhouette's edge against
    the background.  Along the border of the opaque shape (alpha 128 or
    more), each border pixel scores the strongest contrast found within a
    twentieth of the size inside the shape: a dark outline counts on a light
    taskbar, the light rim behind it on a dark one."""
    inside = [rgba[4 * i + 3] >= 128 for i in range(size * size)]
    shade = [luminance(c) for c in over(rgba, background)]
    ground = luminance(background)
    ratio = [(max(s, ground) + 0.05) / (min(s, ground) + 0.05) for s in shade]
    reach = max(1, round(size / 20))
    scores = []
    for y in range(size):
        for x in range(size):
            if not inside[y * size + x]:
                continue
            near = [(x + dx, y + dy) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))]
            if all(0 <= u < size and 0 <= v < size and inside[v * size + u]
                   for u, v in near):
                continue
            scores.append(max(
                ratio[v * size + u]
                for v in range(max(y - reach, 0), min(y + reach + 1, size))
                for u in range(max(x - reach, 0), min(x + reach + 1, size))
                if inside[v * size + u]))
    return sum(scores) / len(scores), min(scores)


def check(path, preview=None):
    """Parse an icon back and print one line per image; exit non-zero on the
    first fault."""
    data = Path(path).read_bytes()
    reserved, kind, count = struct.unpack("<HHH", data[:6])
    if (reserved, kind) != (0, 1):
        sys.exit(f"{path}: not an icon file")
    end = 6 + 16 * count
    print(f"{path}: {len(data)} bytes, {count} images")
    for n in range(count):
        width, height, colours, zero, planes, bits, length, offset = \
            struct.unpack("<BBBBHHII", data[6 + 16 * n:22 + 16 * n])
        image = data[offset:offset + length]
        try:
            if offset != end or len(image) != length:
                raise ValueError(f"stored at {offset}, expected at {end}")
            if (colours, zero, planes) != (0, 0, 1) or width != height:
                raise ValueError("bad directory entry")
            if image[:4] == b"\x89PNG":
                size, rgba = read_png(image)
                form = "PNG"
                if bits != 32:
                    raise ValueError("a PNG image needs bit count 32")
                alphas = set(rgba[3::4])
                if 0 not in alphas or 255 not in alphas:
                    raise ValueError("no transparent or no opaque pixels")
            else:
                size, rgba = read_dib(image)
                form = "DIB"
                if bits != 8:
                    raise ValueError("a 256-colour image needs bit count 8")
            if size % 256 != width:
                raise ValueError(f"image is {size} px, its entry {width or 256}")
        except ValueError as fault:
            sys.exit(f"image {n}: {fault}")
        end = offset + length
        scores = []
        for name, background in TASKBARS:
            mean, least = edge_contrast(size, rgba, background)
            scores.append(f"{name} {mean:5.2f} (least {least:5.2f})")
        print(f"{size:3}x{size:<3} {bits:2}-bit {form} {length:5} bytes   "
              f"edge contrast: " + ", ".join(scores))
        if preview:
            write_preview(Path(preview) / f"{n}-{size}-{bits}bit.png", size, rgba)
    if end != len(data):
        sys.exit(f"{len(data) - end} bytes after the last image")


def write_preview(path, size, rgba, scale=4):
    """The image over both taskbar colours side by side, enlarged."""
    path.parent.mkdir(parents=True, exist_ok=True)
    halves = [over(rgba, background) for _, background in TASKBARS]
    side = size * scale
    pixels = bytearray()
    for y in range(side):
        for half in halves:
            for x in range(side):
                pixels += bytes(half[(y // scale) * size + x // scale]) + b"\xff"
    # One fast filterless PNG: previews are large and only looked at.
    raw = b"".join(b"\0" + pixels[y * 8 * side:(y + 1) * 8 * side] for y in range(side))
    header = struct.pack(">IIBBBBB", 2 * side, side, 8, 6, 0, 0, 0)
    path.write_bytes(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
                     + chunk(b"IDAT", zlib.compress(raw, 6)) + chunk(b"IEND", b""))


def main(argv):
    root = Path(__file__).resolve().parent.parent
    default = root / "resources" / "adrelo.ico"
    args = argv[1:]
    if args[:1] == ["--check"]:
        args, preview = args[1:], None
        if args[-2:-1] == ["--preview"]:
            args, preview = args[:-2], args[-1]
        if len(args) > 1:
            sys.exit("usage: make_icon.py --check [icon-path] [--preview folder]")
        check(args[0] if args else default, preview)
        return
    if len(args) > 1:
        sys.exit("usage: make_icon.py [output-path]")
    target = Path(args[0]) if args else default
    target.write_bytes(build())


if __name__ == "__main__":
    main(sys.argv)
