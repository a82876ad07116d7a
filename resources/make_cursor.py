#!/usr/bin/env python3
"""Writes hand.cur, Orvandel's pointing-hand cursor for hyperlinks, from the grid below.

A 32x32 Windows cursor, 16 colours (4 bits a pixel), hot spot (5, 0): the top of the index
finger. The file is one ICONDIR (type 2 = cursor) with one entry, then a DIB: BITMAPINFOHEADER
(height doubled for the XOR and AND bitmaps), the 16-colour palette, the XOR bitmap and the
1-bit AND mask, both bottom-up with rows padded to 4 bytes.

    python3 make_cursor.py OUT.cur [--xpm PREVIEW.xpm]

--xpm also writes the grid as an XPM picture, to look at (ImageMagick converts it to PNG).
"""
import struct
import sys

# X black outline, o white fill, . transparent (AND bit set, XOR colour 0).
HAND = """
.....XX.........................
....XooX........................
....XooX........................
....XooX........................
....XooX........................
....XooXXX......................
....XooXooXXX...................
....XooXooXooXXX................
.XX.XooXooXooXooX...............
XooXXooXooXooXooX...............
XoooXoooooooooooX...............
XoooooooooooooooX...............
.XooooooooooooooX...............
.XooooooooooooooX...............
..XoooooooooooooX...............
..XooooooooooooX................
...XoooooooooooX................
...XoooooooooooX................
....XoooooooooX.................
....XoooooooooX.................
....XXXXXXXXXXX.................
"""
SIZE = 32
HOTSPOT = (5, 0)

# The standard 16-colour VGA palette, as RGBQUAD (blue, green, red, 0).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, WHITE = 0, 15


def grid():
    rows = [r for r in HAND.strip("\n").split("\n")]
    rows += ["." * SIZE] * (SIZE - len(rows))
    for y, row in enumerate(rows):
        if len(row) != SIZE or set(row) - set("Xo."):
            raise SystemExit(f"make_cursor: row {y} of the hand is not {SIZE} of X, o and .")
    x, y = HOTSPOT
    if rows[y][x] != "X" or any(c != "." for c in rows[y][:x]) or any("X" in r or "o" in r for r in rows[:y]):
        raise SystemExit("make_cursor: the hot spot is not the fingertip's first pixel")
    return rows


def cursor(rows):
    xor = bytearray()
    mask = bytearray()
    for row in reversed(rows):  # bottom-up
        nibbles = [WHITE if c == "o" else BLACK for c in row]
        xor += bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, SIZE, 2))
        bits = 0
        for c in row:
            bits = (bits << 1) | (1 if c == "." else 0)
        mask += bits.to_bytes(SIZE // 8, "big")
    # rows are 16 and 4 bytes: already multiples of 4
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    dib = header + palette + bytes(xor) + bytes(mask)
    icondir = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, HOTSPOT[0], HOTSPOT[1], len(dib), 6 + 16)
    return icondir + entry + dib


def xpm(rows):
    lines = ["/* XPM */", "static char *hand[] = {", f'"{SIZE} {SIZE} 3 1",',
             '". c None",', '"X c #000000",', '"o c #FFFFFF",']
    lines += [f'"{r}",' for r in rows]
    lines[-1] = lines[-1].rstrip(",")
    return "\n".join(lines + ["};"]) + "\n"


def main(argv):
    if len(argv) not in (2, 4) or (len(argv) == 4 and argv[2] != "--xpm"):
        raise SystemExit(__doc__)
    rows = grid()
    with open(argv[1], "wb") as f:
        f.write(cursor(rows))
    if len(argv) == 4:
        with open(argv[3], "w") as f:
            f.write(xpm(rows))


if __name__ == "__main__":
    main(sys.argv)
