#!/usr/bin/env python3
"""Draws Zentrava's icons, cursor and menu bitmaps and writes them into src/resources/.

Standard library only. The output depends on nothing but this file (no time stamps, no
platform maths beyond + - * / and sqrt, which IEEE 754 rounds the same everywhere), so running
it again gives the same bytes and the generated files can be committed.

Usage: scripts/make_resources.py [output-directory]
"""

import math
import os
import struct
import sys

SQRT3_2 = math.sqrt(3.0) / 2.0

# Unit vectors (x right, y down) of the twelve hour positions, 12 o'clock first.
HOUR_DIRECTIONS = [
    (0.0, -1.0), (0.5, -SQRT3_2), (SQRT3_2, -0.5),
    (1.0, 0.0), (SQRT3_2, 0.5), (0.5, SQRT3_2),
    (0.0, 1.0), (-0.5, SQRT3_2), (-SQRT3_2, 0.5),
    (-1.0, 0.0), (-SQRT3_2, -0.5), (-0.5, -SQRT3_2),
]

SUBSAMPLES = 4  # per axis; 16 samples a pixel give the icons smooth edges


# ---------------------------------------------------------------------------------------------
# Shapes: each is a predicate on a point in pixel coordinates (pixel i spans [i, i + 1)).

def disc(cx, cy, r):
    r2 = r * r
    return lambda x, y: (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r2


def capsule(x0, y0, x1, y1, half_width):
    """A stroke with round ends from (x0, y0) to (x1, y1)."""
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy
    w2 = half_width * half_width

    def inside(x, y):
        t = ((x - x0) * dx + (y - y0) * dy) / length2
        t = 0.0 if t < 0.0 else 1.0 if t > 1.0 else t
        ex, ey = x - (x0 + t * dx), y - (y0 + t * dy)
        return ex * ex + ey * ey <= w2

    return inside


def polygon(points):
    """Even-odd fill of a closed polygon."""
    def inside(x, y):
        result = False
        n = len(points)
        for i in range(n):
            (xa, ya), (xb, yb) = points[i], points[(i + 1) % n]
            if (ya > y) != (yb > y) and x < xa + (y - ya) * (xb - xa) / (yb - ya):
                result = not result
        return result

    return inside


def distance2_to_edges(points, x, y):
    best = None
    n = len(points)
    for i in range(n):
        (xa, ya), (xb, yb) = points[i], points[(i + 1) % n]
        dx, dy = xb - xa, yb - ya
        t = ((x - xa) * dx + (y - ya) * dy) / (dx * dx + dy * dy)
        t = 0.0 if t < 0.0 else 1.0 if t > 1.0 else t
        ex, ey = x - (xa + t * dx), y - (ya + t * dy)
        d2 = ex * ex + ey * ey
        best = d2 if best is None or d2 < best else best
    return best


def render(size, layers):
    """Rasterises (predicate, (r, g, b)) layers, later ones on top, into rows of (r, g, b, a).

    Colour is the average over the covered samples and alpha the covered share, so the edges of
    a shape fade out instead of turning dark.
    """
    n = SUBSAMPLES
    offsets = [(k + 0.5) / n for k in range(n)]
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = covered = 0
            for oy in offsets:
                for ox in offsets:
                    x, y = px + ox, py + oy
                    for inside, colour in reversed(layers):
                        if inside(x, y):
                            r += colour[0]
                            g += colour[1]
                            b += colour[2]
                            covered += 1
                            break
            if covered == 0:
                row.append((0, 0, 0, 0))
            else:
                # Integer rounding keeps the bytes independent of float formatting.
                row.append(((2 * r + covered) // (2 * covered),
                            (2 * g + covered) // (2 * covered),
                            (2 * b + covered) // (2 * covered),
                            (2 * 255 * covered + n * n) // (2 * n * n)))
        rows.append(row)
    return rows


# ---------------------------------------------------------------------------------------------
# Drawings

def clock_face_layers(size, cx, cy, radius, ring, hands, centre, marks, all_marks):
    """A round dial showing ten past ten, the pose in which both hands read clearly."""
    # Small sizes get relatively heavier strokes, or the hands fade into the anti-aliasing.
    ring_width = max(1.3, radius / 8.0)
    face_radius = radius - ring_width
    hand_scale = max(1.5, size / 16.0)
    layers = [
        (disc(cx, cy, radius), ring),
        (disc(cx, cy, face_radius), (255, 255, 255)),
    ]
    for hour, (ux, uy) in enumerate(HOUR_DIRECTIONS):
        quarter = hour % 3 == 0
        if not quarter and not all_marks:
            continue
        outer = face_radius - max(0.6, face_radius * 0.08)
        inner = outer - face_radius * (0.18 if quarter else 0.08)
        layers.append((capsule(cx + ux * inner, cy + uy * inner, cx + ux * outer, cy + uy * outer,
                               0.5 * hand_scale * (0.9 if quarter else 0.6)), marks))
    hour_x, hour_y = HOUR_DIRECTIONS[10]
    minute_x, minute_y = HOUR_DIRECTIONS[2]
    hour_length, minute_length = face_radius * 0.52, face_radius * 0.80
    layers.append((capsule(cx, cy, cx + hour_x * hour_length, cy + hour_y * hour_length,
                           0.75 * hand_scale), hands))
    layers.append((capsule(cx, cy, cx + minute_x * minute_length, cy + minute_y * minute_length,
                           0.55 * hand_scale), hands))
    layers.append((disc(cx, cy, 0.8 * hand_scale), centre))
    return layers


ICON_STYLES = {
    # Standard edition: light blue hands on a white dial.
    "app": dict(ring=(70, 110, 150), hands=(70, 170, 230), centre=(30, 80, 130),
                marks=(110, 125, 140)),
    # Vendor edition: the same dial with orange hands, so the two are told apart at a glance.
    "app_vendor": dict(ring=(120, 85, 50), hands=(240, 140, 30), centre=(150, 70, 10),
                       marks=(140, 120, 100)),
}
ICON_SIZES = (16, 32, 48)


def draw_icon(size, style):
    c = size / 2.0
    return render(size, clock_face_layers(size, c, c, c - 0.25, all_marks=size >= 32,
                                          **ICON_STYLES[style]))


# The drag cursor: the standard arrow shape with a small clock at its foot. Coordinates are
# for a 32-pixel cursor; the tip is the hot spot.
ARROW_32 = [(1.0, 1.0), (1.0, 22.0), (6.0, 17.0), (10.0, 25.5), (13.0, 24.0), (9.2, 15.8),
            (16.0, 15.8)]
CURSOR_HOTSPOT = (1, 1)
CURSOR_SIZES = (32, 48)


def draw_cursor(size):
    s = size / 32.0
    arrow = [(x * s, y * s) for x, y in ARROW_32]
    inside_arrow = polygon(arrow)
    outline2 = (1.0 * s) * (1.0 * s)

    def arrow_outline(x, y):
        return inside_arrow(x, y) and distance2_to_edges(arrow, x, y) <= outline2

    layers = [(inside_arrow, (255, 255, 255)), (arrow_outline, (0, 0, 0))]
    layers += clock_face_layers(size, 23.0 * s, 23.0 * s, 8.5 * s, ring=(0, 0, 0),
                                hands=(40, 130, 200), centre=(0, 0, 0), marks=(90, 90, 90),
                                all_marks=False)
    return render(size, layers)


# Menu bitmaps: flat glyphs on a plain background. Palette index 0 is the background, so a
# loader may map it to the menu colour (LoadImage with LR_LOADTRANSPARENT or LR_LOADMAP3DCOLORS
# works on palette bitmaps only).
MENU_PALETTE = [
    (255, 255, 255),  # 0 background
    (64, 64, 64),     # 1 glyph
    (0, 140, 60),     # 2 play
    (0, 100, 210),    # 3 paused
    (200, 40, 40),    # 4 stop
]
MENU_SIZES = {"small": 13, "large": 20}
MENU_GLYPHS = ("play", "pause", "pause_checked", "stop")


def draw_menu_glyph(size, glyph):
    """Rows of palette indices, sampled once at each pixel centre for crisp edges."""
    m = size // 6
    lo, hi = m, size - m
    bar = max(3, round(size * 0.22))
    gap = size - 2 * m - 2 * bar
    if glyph == "play":
        shape = polygon([(lo + 1.0, lo), (lo + 1.0, hi), (hi, size / 2.0)])
        colour = 2
    elif glyph in ("pause", "pause_checked"):
        def shape(x, y):
            return lo <= y < hi and (lo <= x < lo + bar or lo + bar + gap <= x < hi)
        colour = 3 if glyph == "pause_checked" else 1
    else:
        def shape(x, y):
            return lo + 1 < x < hi - 1 and lo + 1 < y < hi - 1
        colour = 4
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            x, y = px + 0.5, py + 0.5
            on_frame = px in (0, size - 1) or py in (0, size - 1)
            if glyph == "pause_checked" and on_frame:
                row.append(3)  # the pressed look of a checked item
            else:
                row.append(colour if shape(x, y) else 0)
        rows.append(row)
    return rows


# ---------------------------------------------------------------------------------------------
# File formats (little-endian; DIB rows bottom-up, each padded to 4 bytes)

def dib_image(rows):
    """BITMAPINFOHEADER, 32-bit BGRA colour rows and a 1-bit mask, as an icon or cursor holds."""
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            colour += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    return header + bytes(colour) + bytes(mask)


def icon_file(images, hotspot=None):
    """An .ico (hotspot None) or .cur file holding square images of different sizes."""
    kind = 1 if hotspot is None else 2
    out = bytearray(struct.pack("<HHH", 0, kind, len(images)))
    offset = 6 + 16 * len(images)
    blobs = []
    for rows in images:
        size = len(rows)
        blob = dib_image(rows)
        dim = size if size < 256 else 0
        if hotspot is None:
            planes, bits = 1, 32
        else:
            planes, bits = hotspot  # a cursor entry keeps its hot spot there
        out += struct.pack("<BBBBHHII", dim, dim, 0, 0, planes, bits, len(blob), offset)
        offset += len(blob)
        blobs.append(blob)
    for blob in blobs:
        out += blob
    return bytes(out)


def bmp_file_4bit(rows, palette):
    size = len(rows)
    stride = ((size * 4 + 31) // 32) * 4
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for x, index in enumerate(row):
            line[x // 2] |= index << (4 if x % 2 == 0 else 0)
        pixels += line
    colours = bytearray()
    for r, g, b in palette + [(0, 0, 0)] * (16 - len(palette)):
        colours += bytes((b, g, r, 0))
    pixel_offset = 14 + 40 + len(colours)
    info = struct.pack("<IiiHHIIiiII", 40, size, size, 1, 4, 0, len(pixels), 3780, 3780, 16, 0)
    head = struct.pack("<2sIHHI", b"BM", pixel_offset + len(pixels), 0, 0, pixel_offset)
    return head + info + bytes(colours) + bytes(pixels)


# ---------------------------------------------------------------------------------------------

def outputs():
    """File name -> bytes, for every file the resource script names."""
    files = {}
    for style in ICON_STYLES:
        files[f"{style}.ico"] = icon_file([draw_icon(s, style) for s in ICON_SIZES])
    files["face_drag.cur"] = icon_file([draw_cursor(s) for s in CURSOR_SIZES], CURSOR_HOTSPOT)
    for set_name, size in MENU_SIZES.items():
        for glyph in MENU_GLYPHS:
            files[f"menu_{glyph}_{set_name}.bmp"] = bmp_file_4bit(draw_menu_glyph(size, glyph),
                                                                  MENU_PALETTE)
    return files


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    target = argv[1] if len(argv) > 1 else os.path.join(here, "..", "src", "resources")
    os.makedirs(target, exist_ok=True)
    for name, data in sorted(outputs().items()):
        with open(os.path.join(target, name), "wb") as f:
            f.write(data)
        print(f"{name}: {len(data)} bytes")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
