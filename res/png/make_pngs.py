#!/usr/bin/env python3
"""Draws the skin pictures of the program and its icon.

Writes <id>.png for every picture the windows load, png.rc that lists them
as resources of type PNG, and ../app.ico (the program icon, resource 128).
Paths in png.rc are relative to res/, the folder of app.rc that includes it.

Every picture is drawn in three sets, for display scales of 100, 150 and
200 %: each shape is laid out in design pixels (as at 100 %) and drawn at
the set's scale, so the larger sets are as sharp as the first. A set's ids
are those of the 100 % set plus 1000 (150 %) or 2000 (200 %).

Nine-patch pictures carry a one-pixel frame of marks that is never shown
(one pixel in every set):
opaque black marks, transparent white everywhere else. One mark in the top
row and one in the left column choose the column and the row that stretch;
a run of black in the right column and in the bottom row marks where the
caption goes. Plain pictures have no frame.

Only the standard library is used and the output is the same byte for byte
on every run. Run it after changing a picture and commit what it writes.
"""

import math
import struct
import sys
import zlib
from pathlib import Path

HERE = Path(__file__).resolve().parent
ICON_PATH = HERE.parent / "app.ico"

# A calm slate frame around the white page, one blue accent.
TITLE = (22, 30, 40)        # title band of the windows
BODY = (32, 43, 56)         # frame around the page area
BORDER = (56, 71, 89)       # one-pixel outline of the windows
TITLE_LINE = (40, 52, 67)   # line under the title band
ACCENT = (47, 145, 240)
WHITE = (255, 255, 255)
GLYPH = (150, 166, 184)     # minimise and close glyphs at rest
CLOSE_RED = (200, 48, 36)

# Main window 622 x 587: the title band ends at row 40, the tab row starts
# at 48, the page area (11, 85, 611, 522) is filled white by the window.
TITLE_BAND_ROWS = 40

# The sets: display scale and what it adds to a picture's id.
SETS = ((1, 0), (1.5, 1000), (2, 2000))


def px(value, scale):
    """A design length in the set's pixels, halves rounded up."""
    return math.floor(value * scale + 0.5)


class Picture:
    """RGBA picture with straight alpha; colours 0..255, alpha 0..1."""

    def __init__(self, width, height):
        self.width, self.height = width, height
        self.rgb = [[(255.0, 255.0, 255.0)] * width for _ in range(height)]
        self.alpha = [[0.0] * width for _ in range(height)]

    def blend(self, x, y, colour, cover):
        """Lays colour with opacity cover over the pixel (x, y)."""
        if cover <= 0.0:
            return
        under = self.alpha[y][x]
        alpha = cover + under * (1.0 - cover)
        keep = under * (1.0 - cover) / alpha
        old = self.rgb[y][x]
        self.rgb[y][x] = tuple(c * cover / alpha + o * keep
                               for c, o in zip(colour, old))
        self.alpha[y][x] = alpha

    def fill(self, shape, colour, opacity=1.0):
        """Paints a shape given as (bounding box, signed distance)."""
        (x0, y0, x1, y1), distance = shape
        for y in range(max(0, math.floor(y0) - 1),
                       min(self.height, math.ceil(y1) + 1)):
            for x in range(max(0, math.floor(x0) - 1),
                           min(self.width, math.ceil(x1) + 1)):
                # Distance at the pixel centre gives a one-pixel soft edge.
                cover = min(1.0, max(0.0, 0.5 - distance(x + 0.5, y + 0.5)))
                self.blend(x, y, colour, cover * opacity)

    def rect(self, x0, y0, x1, y1, colour, opacity=1.0):
        """Pixel-aligned rectangle, right and bottom exclusive."""
        for y in range(y0, y1):
            for x in range(x0, x1):
                self.blend(x, y, colour, opacity)

    def paste(self, other, left, top):
        for y in range(other.height):
            for x in range(other.width):
                self.rgb[top + y][left + x] = other.rgb[y][x]
                self.alpha[top + y][left + x] = other.alpha[y][x]

    def rgba_rows(self):
        for y in range(self.height):
            row = bytearray()
            for x in range(self.width):
                alpha = round(self.alpha[y][x] * 255)
                colour = (255, 255, 255) if alpha == 0 else self.rgb[y][x]
                row += bytes(min(255, max(0, round(c))) for c in colour)
                row.append(alpha)
            yield bytes(row)


# Shapes: a bounding box and a signed distance (negative inside), in pixel
# units with pixel (x, y) covering [x, x + 1) x [y, y + 1).

def rounded_box(x0, y0, x1, y1, radii):
    """Box with corner radii (top-left, top-right, bottom-right, bottom-left)."""
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2, (y1 - y0) / 2

    def distance(px, py):
        top, bottom = radii[0:2], radii[3:1:-1]
        r = (top if py < cy else bottom)[0 if px < cx else 1]
        qx = abs(px - cx) - hx + r
        qy = abs(py - cy) - hy + r
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - r
    return (x0, y0, x1, y1), distance


def box(x0, y0, x1, y1, radius):
    return rounded_box(x0, y0, x1, y1, (radius,) * 4)


def circle(cx, cy, radius):
    def distance(px, py):
        return math.hypot(px - cx, py - cy) - radius
    return (cx - radius, cy - radius, cx + radius, cy + radius), distance


def ring(cx, cy, radius, width):
    def distance(px, py):
        return abs(math.hypot(px - cx, py - cy) - radius) - width / 2
    reach = radius + width
    return (cx - reach, cy - reach, cx + reach, cy + reach), distance


def line(ax, ay, bx, by, width):
    """Segment with round ends."""
    def distance(px, py):
        dx, dy = bx - ax, by - ay
        t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)
        t = min(1.0, max(0.0, t))
        return math.hypot(px - ax - t * dx, py - ay - t * dy) - width / 2
    pad = width
    return (min(ax, bx) - pad, min(ay, by) - pad,
            max(ax, bx) + pad, max(ay, by) + pad), distance


def shade(colour, factor):
    """Lighter toward white for factor > 0, darker toward black below 0."""
    target = 255 if factor > 0 else 0
    return tuple(c + (target - c) * abs(factor) for c in colour)


# Nine-patch frame

MARK = (0, 0, 0)


def nine_patch(inner, stretch_column, stretch_row, scale):
    """Frames inner with marks; stretch positions count the frame column
    and are given in design pixels."""
    framed = Picture(inner.width + 2, inner.height + 2)
    framed.paste(inner, 1, 1)
    right, bottom = framed.width - 1, framed.height - 1
    framed.blend(1 + px(stretch_column - 1, scale), 0, MARK, 1.0)
    framed.blend(0, 1 + px(stretch_row - 1, scale), MARK, 1.0)
    # The caption may use the whole picture.
    for y in range(1, bottom):
        framed.blend(right, y, MARK, 1.0)
    for x in range(1, right):
        framed.blend(x, bottom, MARK, 1.0)
    return framed


# Window backgrounds: stretched to the whole window. Everything above the
# stretch row stays at the top, everything below it goes to the bottom edge.

def window_background(width, height, stretch_row, scale):
    inner = Picture(px(width - 2, scale), px(height - 2, scale))
    w, h, line_width = inner.width, inner.height, px(1, scale)
    band = px(TITLE_BAND_ROWS, scale)
    inner.rect(0, 0, w, h, BODY)
    inner.rect(0, 0, w, band, TITLE)
    inner.rect(0, band, w, band + line_width, TITLE_LINE)
    for x0, y0, x1, y1 in ((0, 0, w, line_width), (0, h - line_width, w, h),
                           (0, 0, line_width, h), (w - line_width, 0, w, h)):
        inner.rect(x0, y0, x1, y1, BORDER)
    return nine_patch(inner, width // 2, stretch_row, scale)


# Page tabs: one strip over the page area, rounded at its outer ends, thin
# separators between tabs, the selected tab lighter with an accent bar.

TAB_FILLS = {"normal": (42, 56, 72), "hover": (52, 69, 88),
             "pressed": (27, 36, 47), "selected": (55, 74, 96)}
TAB_SEPARATOR = (62, 80, 101)


def tab(place, state, scale):
    inner = Picture(px(12, scale), px(37, scale))
    outer = 5 * scale
    radii = (outer if place == "first" else 0, outer if place == "last" else 0,
             0, 0)
    inner.fill(rounded_box(0, 0, inner.width, inner.height, radii),
               TAB_FILLS[state])
    if state == "selected":
        inner.rect(0, px(34, scale), inner.width, inner.height, ACCENT)
    elif state == "normal" and place != "last":
        inner.rect(px(11, scale), px(10, scale), inner.width, px(27, scale),
                   TAB_SEPARATOR)
    return nine_patch(inner, 6, 19, scale)


# Text push buttons: flat, rounded, lighter on hover, darker when pressed.

BUTTON_LOOKS = {"normal": ((48, 63, 81), (68, 87, 110)),
                "hover": ((64, 84, 108), (86, 109, 137)),
                "pressed": ((24, 32, 42), (44, 58, 74))}


def push_button(state, scale):
    fill, edge = BUTTON_LOOKS[state]
    inner = Picture(px(13, scale), px(29, scale))
    w, h, edge_width = inner.width, inner.height, scale
    inner.fill(box(0, 0, w, h, 4 * scale), edge)
    inner.fill(box(edge_width, edge_width, w - edge_width, h - edge_width,
                   3 * scale), fill)
    return nine_patch(inner, 7, 15, scale)


# Window buttons: flat squares in the title band; the glyph is drawn with
# its centre at the middle of the picture.

def window_button(width, glyph, back, ink, scale, top_line=None):
    picture = Picture(px(width, scale), px(26, scale))
    picture.rect(0, 0, picture.width, picture.height, back)
    if top_line:
        picture.rect(0, 0, picture.width, px(1, scale), top_line)
    cx, cy, s = picture.width / 2, 13.5 * scale, scale
    if glyph == "minimise":
        picture.fill(line(cx - 5 * s, cy, cx + 5 * s, cy, 1.2 * s), ink)
    else:
        for sign in (-1, 1):
            picture.fill(line(cx - 4.5 * s, cy - 4.5 * s * sign,
                              cx + 4.5 * s, cy + 4.5 * s * sign, 1.3 * s), ink)
    return picture


WINDOW_BUTTON_STATES = {
    "minimise": ((TITLE, GLYPH), ((46, 60, 77), WHITE), ((15, 21, 28), WHITE)),
    "close": ((TITLE, GLYPH), (CLOSE_RED, WHITE), ((160, 36, 26), WHITE)),
}


# Motion-area editor: a faint sketch of the road ahead or behind, under
# grids of 4 x 3 cells of 48 x 30. The editor draws the grid's one-pixel
# lines itself, between the cells as it places them at every scale.

SKETCH = (96, 116, 138)


def motion_grid(rear, scale):
    s = scale
    picture = Picture(px(197, s), px(94, s))
    horizon, middle = 40, 98.5
    picture.fill(line(0, horizon * s, 197 * s, horizon * s, s), SKETCH, 0.3)
    for foot in (6, 191):
        picture.fill(line(middle * s, horizon * s, foot * s, 94 * s, 1.5 * s),
                     SKETCH, 0.5)
    for foot in (66, 131):
        for t in (0.2, 0.45, 0.75):
            ax, ay = middle + (foot - middle) * t, horizon + (94 - horizon) * t
            bx = middle + (foot - middle) * (t + 0.12)
            by = horizon + (94 - horizon) * (t + 0.12)
            picture.fill(line(ax * s, ay * s, bx * s, by * s, (1 + t) * s),
                         SKETCH, 0.5)
    # A car ahead in the next lane, or a larger one following behind.
    cx, bottom, width = (middle, 84, 46) if rear else (117, 62, 24)
    height = width * 0.42
    picture.fill(box((cx - width * 0.32) * s, (bottom - height * 1.55) * s,
                     (cx + width * 0.32) * s, (bottom - height * 0.7) * s,
                     width * 0.1 * s), SKETCH, 0.45)
    picture.fill(box((cx - width / 2) * s, (bottom - height) * s,
                     (cx + width / 2) * s, bottom * s, width * 0.12 * s),
                 SKETCH, 0.55)
    return picture


def plain(width, height, colour, scale):
    picture = Picture(px(width, scale), px(height, scale))
    picture.rect(0, 0, picture.width, picture.height, colour)
    return picture


# Security LED rows: twelve lights; each mode lights them in its own way.

LED_OFF = (224, 230, 237)
LED_RIM = (196, 206, 218)
KIND_COLOURS = [(46, 184, 114), (242, 193, 46), (243, 134, 48),
                (231, 76, 60), (52, 152, 219)]


def led_row(levels, scale):
    """levels: (colour, brightness 0..1) for each light, left to right."""
    s = scale
    picture = Picture(px(231, s), px(16, s))
    for index, (colour, level) in enumerate(levels):
        cx, cy = (11.5 + 19 * index) * s, 8 * s
        picture.fill(circle(cx, cy, 5 * s), LED_OFF)
        picture.fill(ring(cx, cy, 4.5 * s, s), LED_RIM)
        if level > 0:
            picture.fill(circle(cx, cy, 7.5 * s), colour, 0.18 * level)
            picture.fill(circle(cx, cy, 5 * s), colour, level)
            picture.fill(circle(cx - 1.3 * s, cy - 1.3 * s, 1.6 * s), WHITE,
                         0.55 * level)
    return picture


def scanning_leds(scale):
    trail = [0, 0, 0, 0, 0.12, 0.3, 0.6, 1, 0, 0, 0, 0]
    return led_row([(ACCENT, level) for level in trail], scale)


def blinking_leds(scale):
    return led_row([(ACCENT, 1)] * 12, scale)


def recording_mode_leds(scale):
    kinds = (0, 1, 3, 4)  # continuous, incident, parking incident, manual
    return led_row([(KIND_COLOURS[kinds[i // 3]], 1) for i in range(12)],
                   scale)


# Memory share bars: flat colour with a light top edge, opaque because the
# page copies them without blending.

def share_bar(colour, scale):
    inner = Picture(px(3, scale), px(15, scale))
    rows = inner.height
    for y in range(rows):
        inner.rect(0, y, inner.width, y + 1,
                   shade(colour, 0.25 if y < px(1, scale) else
                         -0.1 * y / (rows - 1)))
    return nine_patch(inner, 2, 8, scale)


# Program icon: a dash cam on a rounded accent square.

def dash_cam_icon(size):
    """Drawn on a 32-unit grid: windscreen mount, camera body, lens."""
    s = size / 32
    picture = Picture(size, size)
    picture.fill(box(0, 0, size, size, 7 * s), ACCENT)
    picture.fill(box(8 * s, 3 * s, 24 * s, 6 * s, 1.5 * s), WHITE)
    picture.fill(box(14 * s, 5 * s, 18 * s, 10 * s, 0.5 * s), WHITE)
    picture.fill(box(3 * s, 9 * s, 29 * s, 26 * s, 4.5 * s), WHITE)
    picture.fill(circle(12.5 * s, 17.5 * s, 6 * s), TITLE)
    picture.fill(circle(12.5 * s, 17.5 * s, 3.8 * s), (60, 88, 120))
    picture.fill(circle(11.3 * s, 16.3 * s, 1.2 * s), WHITE, 0.8)
    picture.fill(circle(24.5 * s, 13.5 * s, 1.5 * s), CLOSE_RED)
    for y in (18.5, 21.5):
        picture.fill(line(21.5 * s, y * s, 26 * s, y * s, 1.2 * s), GLYPH)
    return picture


def pictures_at(scale):
    """Id and picture of every skin picture of one set, in resource order."""
    tabs = [(first_id + offset, tab(place, state, scale))
            for first_id, place in ((143, "first"), (147, "middle"),
                                    (151, "last"))
            for offset, state in enumerate(("normal", "hover", "pressed",
                                            "selected"))]
    window_buttons = []
    for first_id, glyph in ((155, "minimise"), (158, "close")):
        for offset, (back, ink) in enumerate(WINDOW_BUTTON_STATES[glyph]):
            window_buttons.append(
                (first_id + offset,
                 window_button(29, glyph, back, ink, scale, BORDER)))
    editor_close = [(165 + offset, window_button(30, "close", back, ink, scale))
                    for offset, (back, ink)
                    in enumerate(WINDOW_BUTTON_STATES["close"])]
    return (tabs + window_buttons
            + [(161 + offset, push_button(state, scale))
               for offset, state in enumerate(("normal", "hover", "pressed"))]
            + [(164, window_background(29, 148, 101, scale))]
            + editor_close
            + [(168, motion_grid(False, scale)),
               (169, plain(48, 30, (227, 227, 227), scale)),
               (170, plain(48, 30, (88, 186, 255), scale)),
               (171, motion_grid(True, scale)),
               (172, scanning_leds(scale)),
               (173, blinking_leds(scale)),
               (174, recording_mode_leds(scale))]
            + [(175 + i, share_bar(colour, scale))
               for i, colour in enumerate(KIND_COLOURS)]
            + [(501, window_background(29, 101, 50, scale))])


def pictures():
    """Id and picture of every picture of every set, in resource order."""
    return [(i + offset, picture) for scale, offset in SETS
            for i, picture in pictures_at(scale)]


def set_sizes():
    """SIZES for every set: a frame stays one pixel, the rest scales."""
    sizes = {}
    for scale, offset in SETS:
        for i, (width, height, framed) in SIZES.items():
            frame = 2 if framed else 0
            sizes[i + offset] = (px(width - frame, scale) + frame,
                                 px(height - frame, scale) + frame, framed)
    return sizes


# The expected size and kind of every picture of the 100 % set, as the
# windows use them.
SIZES = {**{i: (14, 39, True) for i in range(143, 155)},
         **{i: (29, 26, False) for i in range(155, 161)},
         **{i: (15, 31, True) for i in range(161, 164)},
         164: (29, 148, True),
         **{i: (30, 26, False) for i in range(165, 168)},
         168: (197, 94, False), 171: (197, 94, False),
         169: (48, 30, False), 170: (48, 30, False),
         **{i: (231, 16, False) for i in range(172, 175)},
         **{i: (5, 17, True) for i in range(175, 180)},
         501: (29, 101, True)}

ICON_SIZES = (16, 32, 48, 256)


# PNG and ICO writing

def png_bytes(picture):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data)))
    raw = b"".join(b"\0" + row for row in picture.rgba_rows())
    header = struct.pack(">IIBBBBB", picture.width, picture.height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def bmp_icon_entry(picture):
    """32-bit DIB, rows bottom-up in BGRA, then the one-bit AND mask."""
    size = picture.width
    rows = list(picture.rgba_rows())
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0,
                         0, 0, 0, 0)
    colour = b"".join(bytes(row[i + c] for i in range(0, len(row), 4)
                            for c in (2, 1, 0, 3)) for row in reversed(rows))
    mask_stride = (size + 31) // 32 * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x in range(size):
            if row[4 * x + 3] < 128:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + colour + bytes(mask)


def ico_bytes():
    images = [png_bytes(dash_cam_icon(size)) if size >= 256
              else bmp_icon_entry(dash_cam_icon(size)) for size in ICON_SIZES]
    offset = 6 + 16 * len(images)
    directory = struct.pack("<HHH", 0, 1, len(images))
    for size, image in zip(ICON_SIZES, images):
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0,
                                 1, 32, len(image), offset)
        offset += len(image)
    return directory + b"".join(images)


def rc_text(ids):
    lines = ["// Skin pictures and the program icon; written by make_pngs.py.",
             "// Paths are relative to res/, the folder of app.rc."]
    lines += [f'{i} PNG "png/{i}.png"' for i in ids]
    lines.append('128 ICON "app.ico"')
    return "\n".join(lines) + "\n"


# Verification of what was written

def read_png(data):
    """Width, height and RGBA rows of a PNG as this script writes it."""
    assert data[:8] == b"\x89PNG\r\n\x1a\n", "not a PNG"
    pos, idat = 8, b""
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour_type = struct.unpack(">IIBB", body[:10])
            assert (depth, colour_type) == (8, 6), "not 8-bit RGBA"
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw = zlib.decompress(idat)
    stride = 4 * width + 1
    rows = [raw[y * stride + 1:(y + 1) * stride] for y in range(height)]
    assert all(raw[y * stride] == 0 for y in range(height)), "filtered rows"
    return width, height, rows


def check_frame(width, height, rows):
    def pixel(x, y):
        return tuple(rows[y][4 * x:4 * x + 4])
    frame = ([(x, 0) for x in range(width)] + [(x, height - 1) for x in range(width)]
             + [(0, y) for y in range(height)] + [(width - 1, y) for y in range(height)])
    for x, y in frame:
        assert pixel(x, y) in ((0, 0, 0, 255), (255, 255, 255, 0)), \
            f"frame pixel {x},{y} is {pixel(x, y)}"

    def black_runs(points):
        marks = [pixel(x, y) == (0, 0, 0, 255) for x, y in points]
        return sum(1 for i, m in enumerate(marks) if m and (i == 0 or not marks[i - 1]))
    assert sum(pixel(x, 0)[3] for x in range(width)) == 255, "stretch columns"
    assert sum(pixel(0, y)[3] for y in range(height)) == 255, "stretch rows"
    assert black_runs([(width - 1, y) for y in range(height)]) == 1, "content rows"
    assert black_runs([(x, height - 1) for x in range(width)]) == 1, "content columns"


def verify():
    ids = [i for i, _ in pictures()]
    sizes = set_sizes()
    assert sorted(ids) == sorted(sizes), "pictures and size table differ"
    for i, (width, height, framed) in sizes.items():
        try:
            size = read_png((HERE / f"{i}.png").read_bytes())
            assert size[:2] == (width, height), f"size {size[:2]}"
            if framed:
                check_frame(*size)
        except AssertionError as error:
            sys.exit(f"{i}.png: {error}")
    assert (HERE / "png.rc").read_text() == rc_text(ids), "png.rc is stale"
    icon = ICON_PATH.read_bytes()
    count = struct.unpack("<HHH", icon[:6])
    assert count == (0, 1, len(ICON_SIZES)), "icon directory"
    for n, size in enumerate(ICON_SIZES):
        w, h, _, _, planes, bits, length, offset = struct.unpack(
            "<BBBBHHII", icon[6 + 16 * n:22 + 16 * n])
        assert (w or 256, h or 256, planes, bits) == (size, size, 1, 32), "icon entry"
        assert offset + length <= len(icon), "icon entry outside the file"


def main():
    all_pictures = pictures()
    for i, picture in all_pictures:
        (HERE / f"{i}.png").write_bytes(png_bytes(picture))
    (HERE / "png.rc").write_text(rc_text([i for i, _ in all_pictures]))
    ICON_PATH.write_bytes(ico_bytes())
    verify()
    print(f"wrote {len(all_pictures)} pictures, png.rc and {ICON_PATH.name}")


if __name__ == "__main__":
    main()
