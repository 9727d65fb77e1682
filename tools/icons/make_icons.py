#!/usr/bin/env python3
"""Draws the program's icons: a speech bubble (the status) holding a music note (the song).

Writes resources/Velloran.ico (32 x 32 and 16 x 16, 32 bits per pixel with an AND mask) and
prints the 16 x 16 tray icon as the hex text that the main window's form data holds.
Run from the repository root: python3 tools/icons/make_icons.py
"""
import struct
import sys

SUPERSAMPLE = 8
BUBBLE = (37, 99, 235)      # calm blue
RIM = (23, 62, 150)
NOTE = (255, 255, 255)


def inside_bubble(x, y, size):
    """The bubble: a rounded rectangle over the upper part with a tail at the lower left."""
    s = size / 16.0
    left, top, right, bottom, radius = 0.5 * s, 1.0 * s, 15.5 * s, 11.5 * s, 3.5 * s
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    if left <= x <= right and top <= y <= bottom and (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2:
        return True
    # Tail: a triangle from the bubble's bottom edge down to the left.
    ax, ay, bx, by, tx, ty = 3.0 * s, bottom - 0.5 * s, 7.5 * s, bottom - 0.5 * s, 2.0 * s, 15.0 * s
    d = (by - ty) * (ax - tx) + (tx - bx) * (ay - ty)
    l1 = ((by - ty) * (x - tx) + (tx - bx) * (y - ty)) / d
    l2 = ((ty - ay) * (x - tx) + (ax - tx) * (y - ty)) / d
    return l1 >= 0 and l2 >= 0 and 1 - l1 - l2 >= 0


def inside_note(x, y, size):
    """A beamed pair of eighth notes inside the bubble."""
    s = size / 16.0
    for hx in (5.2, 10.7):
        hy = 8.6
        dx, dy = (x - hx * s) / (1.75 * s), (y - hy * s) / (1.3 * s)
        if dx * dx + dy * dy <= 1.0:
            return True
        stem_x = hx * s + 1.15 * s
        if stem_x - 0.55 * s <= x <= stem_x + 0.55 * s and 3.3 * s <= y <= hy * s:
            return True
    # The beam joining the stems.
    return 6.0 * s <= x <= 12.4 * s and 2.8 * s <= y <= 4.6 * s


def draw(size):
    pixels = []
    for py in range(size):
        row = []
        for px in range(size):
            bubble = note = edge = 0
            for sy in range(SUPERSAMPLE):
                for sx in range(SUPERSAMPLE):
                    x = px + (sx + 0.5) / SUPERSAMPLE
                    y = py + (sy + 0.5) / SUPERSAMPLE
                    if inside_bubble(x, y, size):
                        bubble += 1
                        inner = all(inside_bubble(x + ox, y + oy, size)
                                    for ox, oy in ((0.9, 0), (-0.9, 0), (0, 0.9), (0, -0.9)))
                        if not inner:
                            edge += 1
                        elif inside_note(x, y, size):
                            note += 1
            n = SUPERSAMPLE * SUPERSAMPLE
            alpha = bubble / n
            if bubble:
                wn, we = note / bubble, edge / bubble
                wb = 1.0 - wn - we
                rgb = tuple(round(NOTE[i] * wn + RIM[i] * we + BUBBLE[i] * wb) for i in range(3))
            else:
                rgb = (0, 0, 0)
            row.append(rgb + (round(alpha * 255),))
        pixels.append(row)
    return pixels


def dib(pixels):
    size = len(pixels)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b''.join(bytes((b, g, r, a)) for row in reversed(pixels) for (r, g, b, a) in row)
    mask_stride = ((size + 31) // 32) * 4
    mask = b''
    for row in reversed(pixels):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    return header + xor + mask


def icon_file(sizes):
    images = [dib(draw(s)) for s in sizes]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for s, image in zip(sizes, images):
        out += struct.pack('<BBBBHHII', s % 256, s % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return out + b''.join(images)


def main():
    app = icon_file([32, 16])
    tray = icon_file([16])
    with open('resources/Velloran.ico', 'wb') as f:
        f.write(app)
    hexed = tray.hex().upper()
    for i in range(0, len(hexed), 64):
        sys.stdout.write('      ' + hexed[i:i + 64] + '\n')


if __name__ == '__main__':
    main()
