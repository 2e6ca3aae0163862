#!/usr/bin/env python3
"""Draws the five 16x16 pictures of the work-file image list as PNG files.

Run from this folder; the PNGs are committed, so the build does not need Python.
"""
import struct
import zlib

W = H = 16
CLEAR = (0, 0, 0, 0)
OUTLINE = (64, 64, 64, 255)
PAPER = (255, 255, 255, 255)
FOLD = (200, 200, 200, 255)
LINE = (90, 120, 200, 255)
FOLDER = (240, 200, 80, 255)
FOLDER_DARK = (190, 140, 30, 255)
FOLDER_BACK = (220, 170, 50, 255)
GREEN = (30, 150, 40, 255)
GREEN_LIGHT = (90, 200, 90, 255)


def canvas():
    return [[CLEAR] * W for _ in range(H)]


def put(c, x, y, colour):
    if 0 <= x < W and 0 <= y < H:
        c[y][x] = colour


def fill(c, x0, y0, x1, y1, colour):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            put(c, x, y, colour)


def frame(c, x0, y0, x1, y1, colour):
    for x in range(x0, x1 + 1):
        put(c, x, y0, colour)
        put(c, x, y1, colour)
    for y in range(y0, y1 + 1):
        put(c, x0, y, colour)
        put(c, x1, y, colour)


def line(c, x0, y0, x1, y1, colour):
    dx, dy = abs(x1 - x0), -abs(y1 - y0)
    sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
    err = dx + dy
    while True:
        put(c, x0, y0, colour)
        if x0 == x1 and y0 == y1:
            return
        e2 = 2 * err
        if e2 >= dy:
            err += dy
            x0 += sx
        if e2 <= dx:
            err += dx
            y0 += sy


def page(c, x0, y0, x1, y1, lines=False):
    fill(c, x0, y0, x1, y1, PAPER)
    frame(c, x0, y0, x1, y1, OUTLINE)
    # folded top-right corner
    for i in range(3):
        for j in range(3 - i):
            put(c, x1 - j, y0 + i, CLEAR)
    line(c, x1 - 3, y0, x1, y0 + 3, OUTLINE)
    fill(c, x1 - 3, y0 + 1, x1 - 3, y0 + 3, FOLD)
    fill(c, x1 - 2, y0 + 3, x1 - 1, y0 + 3, FOLD)
    if lines:
        for y in range(y0 + 4, y1 - 1, 2):
            line(c, x0 + 2, y, x1 - 2, y, LINE)


def folder_open(c):
    # back of the folder with its tab
    fill(c, 1, 3, 5, 4, FOLDER_BACK)
    fill(c, 1, 4, 13, 13, FOLDER_BACK)
    frame(c, 1, 4, 13, 13, FOLDER_DARK)
    line(c, 1, 3, 5, 3, FOLDER_DARK)
    put(c, 6, 4, FOLDER_DARK)
    # front flap, tilted open
    for y in range(7, 14):
        x_left = 3 + (13 - y) // 2
        line(c, x_left, y, 14 + (13 - y) // 3, y, FOLDER)
    line(c, 3, 13, 5, 7, FOLDER_DARK)
    line(c, 5, 7, 15, 7, FOLDER_DARK)
    line(c, 15, 7, 13, 13, FOLDER_DARK)
    line(c, 3, 13, 13, 13, FOLDER_DARK)


def tick(c):
    pts = [(2, 8), (3, 9), (4, 10), (5, 11), (6, 12), (7, 11), (8, 10), (9, 9), (10, 8), (11, 7), (12, 6), (13, 5), (14, 4)]
    for x, y in pts:
        fill(c, x, y - 1, x, y + 1, GREEN)
        put(c, x, y - 2, GREEN_LIGHT)


def doc_before_folder(c):
    fill(c, 5, 2, 9, 3, FOLDER_BACK)
    fill(c, 5, 3, 15, 11, FOLDER)
    frame(c, 5, 3, 15, 11, FOLDER_DARK)
    page(c, 1, 5, 9, 15, lines=True)


def write_png(path, c):
    raw = b"".join(b"\x00" + b"".join(struct.pack("BBBB", *px) for px in row) for row in c)

    def chunk(tag, data):
        body = tag + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", W, H, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


def main():
    pictures = [
        ("0_folder_open.png", folder_open),
        ("1_page.png", lambda c: page(c, 3, 1, 12, 14)),
        ("2_page_lines.png", lambda c: page(c, 3, 1, 12, 14, lines=True)),
        ("3_document_folder.png", doc_before_folder),
        ("4_tick.png", tick),
    ]
    for name, draw in pictures:
        c = canvas()
        draw(c)
        write_png(name, c)


if __name__ == "__main__":
    main()
