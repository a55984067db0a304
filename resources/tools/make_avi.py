#!/usr/bin/env python3
"""Draws the shred clip shown by the progress dialog: a page fed from a folder into a shredder,
coming out as strips. Writes an RLE8 AVI (the compression the animation control plays itself)."""
import struct
import sys

WIDTH, HEIGHT, FRAMES, FPS = 304, 60, 24, 10

PALETTE = [
    (240, 240, 240),  # 0 background
    (255, 255, 255),  # 1 page
    (128, 128, 128),  # 2 page edge and lines
    (70, 74, 96),     # 3 shredder body
    (24, 24, 30),     # 4 shredder slot
    (250, 250, 250),  # 5 strip
    (170, 170, 170),  # 6 strip shade
    (210, 40, 40),    # 7 lamp on
    (110, 40, 40),    # 8 lamp off
    (240, 200, 80),   # 9 folder
    (196, 150, 40),   # 10 folder edge
]

SHREDDER_LEFT, SHREDDER_RIGHT, SHREDDER_TOP, SHREDDER_BOTTOM = 150, 196, 8, 52
PAGE_W, PAGE_H, PAGE_TOP = 30, 38, 11


def rect(px, x0, y0, x1, y1, c):
    for y in range(max(0, y0), min(HEIGHT, y1)):
        row = px[y]
        for x in range(max(0, x0), min(WIDTH, x1)):
            row[x] = c


def frame(f):
    px = [[0] * WIDTH for _ in range(HEIGHT)]
    # folder
    rect(px, 8, 18, 24, 22, 10)
    rect(px, 8, 22, 52, 50, 10)
    rect(px, 9, 23, 51, 49, 9)
    # page travelling right, hidden where it is inside the shredder
    left = 45 + (SHREDDER_LEFT - 45) * f // (FRAMES - 1)
    visible_right = min(left + PAGE_W, SHREDDER_LEFT)
    if visible_right > left:
        rect(px, left, PAGE_TOP, visible_right, PAGE_TOP + PAGE_H, 2)
        rect(px, left + 1, PAGE_TOP + 1, visible_right - (1 if visible_right == left + PAGE_W else 0),
             PAGE_TOP + PAGE_H - 1, 1)
        for line in range(PAGE_TOP + 6, PAGE_TOP + PAGE_H - 4, 5):
            rect(px, left + 5, line, min(left + PAGE_W - 5, visible_right), line + 1, 2)
    # strips leaving the shredder, as long as what has gone in
    fed = max(0, left + PAGE_W - SHREDDER_LEFT)
    length = min(WIDTH - SHREDDER_RIGHT - 4, fed * 3)
    for y in range(PAGE_TOP + 1, PAGE_TOP + PAGE_H - 1, 4):
        rect(px, SHREDDER_RIGHT, y, SHREDDER_RIGHT + length, y + 2, 5)
        rect(px, SHREDDER_RIGHT, y + 2, SHREDDER_RIGHT + length, y + 3, 6)
    # shredder with its slot and a blinking lamp
    rect(px, SHREDDER_LEFT, SHREDDER_TOP, SHREDDER_RIGHT, SHREDDER_BOTTOM, 3)
    rect(px, SHREDDER_LEFT, PAGE_TOP, SHREDDER_LEFT + 3, PAGE_TOP + PAGE_H, 4)
    rect(px, SHREDDER_RIGHT - 3, PAGE_TOP, SHREDDER_RIGHT, PAGE_TOP + PAGE_H, 4)
    rect(px, SHREDDER_LEFT + 20, SHREDDER_TOP + 3, SHREDDER_LEFT + 26, SHREDDER_TOP + 6, 7 if f % 4 < 2 else 8)
    return px


def rle8(px):
    out = bytearray()
    for y in range(HEIGHT - 1, -1, -1):  # bottom-up DIB
        row = px[y]
        x = 0
        while x < WIDTH:
            c = row[x]
            n = 1
            while x + n < WIDTH and row[x + n] == c and n < 255:
                n += 1
            out += bytes((n, c))
            x += n
        out += b"\x00\x00"
    out[-2:] = b"\x00\x01"
    return bytes(out)


def chunk(fourcc, data):
    pad = b"\x00" if len(data) % 2 else b""
    return fourcc + struct.pack("<I", len(data)) + data + pad


def riff_list(kind, fourcc, body):
    return kind + struct.pack("<I", len(body) + 4) + fourcc + body


def main(path):
    frames = [rle8(frame(f)) for f in range(FRAMES)]
    biggest = max(len(d) for d in frames)
    colours = len(PALETTE)
    bih = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 8, 1, 0, 0, 0, colours, colours)
    pal = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in PALETTE)
    avih = struct.pack("<IIIIIIIIII4I", 1000000 // FPS, biggest * FPS, 0, 0x10, FRAMES, 0, 1, biggest,
                       WIDTH, HEIGHT, 0, 0, 0, 0)
    strh = struct.pack("<4s4sIHHIIIIIIIIhhhh", b"vids", b"mrle", 0, 0, 0, 0, 1, FPS, 0, FRAMES, biggest,
                       0xFFFFFFFF, 0, 0, 0, WIDTH, HEIGHT)
    strl = riff_list(b"LIST", b"strl", chunk(b"strh", strh) + chunk(b"strf", bih + pal))
    hdrl = riff_list(b"LIST", b"hdrl", chunk(b"avih", avih) + strl)
    movi_body = b""
    index = b""
    for d in frames:
        index += struct.pack("<4sIII", b"00dc", 0x10, 4 + len(movi_body), len(d))
        movi_body += chunk(b"00dc", d)
    movi = riff_list(b"LIST", b"movi", movi_body)
    avi = riff_list(b"RIFF", b"AVI ", hdrl + movi + chunk(b"idx1", index))
    with open(path, "wb") as f:
        f.write(avi)


if __name__ == "__main__":
    main(sys.argv[1])
