#!/usr/bin/python3
"""Draws every skin image of Thermadex and the Lumo toolkit from code.

The images are generated rather than painted by hand so that a colour or
size change is one edit, and so that a rebuild gives the same bytes every
time (no timestamps, no randomness, fixed fonts from Debian packages).

Shapes are drawn at SS x the final size and box-averaged down: that gives
exact-coverage anti-aliasing, keeps pixel-aligned 1-px lines fully crisp and
never leaks alpha outside a rounded corner (a LANCZOS kernel rings there).
Text is drawn at SS x and downsampled with LANCZOS, which keeps small glyphs
sharper than a box filter.

Usage: make_skins.py [--out-root DIR] [--no-preview]
Writes <root>/skins/theme1/, <root>/toolkit/resources/ and
<root>/docs/skins-preview.png; <root> defaults to the repository.
"""

import argparse
import io
import math
import os
import struct
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

# --- general -----------------------------------------------------------------
SS = 4                                   # supersampling factor
ACCENT = (189, 48, 255)                  # the toolkit's selection colour
ACCENT_LIGHT = (222, 150, 255)
TEAL = (38, 200, 214)
VALUE_RGB = (0xFB, 0xFB, 0xFB)           # toolkit draws the values in this

FONT_DIRS = {
    "open-sans": "/usr/share/fonts/truetype/open-sans",
    "liberation": "/usr/share/fonts/truetype/liberation",
}
FONT_BOLD = ("open-sans", "OpenSans-Bold.ttf")
FONT_SEMIBOLD = ("open-sans", "OpenSans-Semibold.ttf")
FONT_LABEL = ("liberation", "LiberationSans-Regular.ttf")   # preview labels
FONT_VALUE = ("liberation", "LiberationSans-Regular.ttf")   # Arial stand-in

# --- main window background (client coordinates) ------------------------------
WIN_W, WIN_H = 340, 250
WIN_RADIUS = 12
FAN_BOX = (10, 100, 160, 160)            # toolkit centres the fan speed here
TEMP_BOX = (185, 100, 305, 160)          # ... and the temperature here
VALUE_PX = 50                            # Arial 50 px values
CARD_PAD_TOP = 10                        # inset panel reaches above the box
CAPTION_Y = (165, 180)                   # captions under the value boxes
CLOSE_BTN = (295, 25, 313, 42)           # keep clear: close button
HOVER_BOX = (275, 10, 293, 27)           # keep clear: hover box
WORDMARK_X, WORDMARK_CY = 20, 22
HEADER_RULE_Y = 50
FOOTER_RULE_Y = 192
SELECTOR_BAND = (12, 198, 328, 244)      # left free for selector pictures

THEMES = {
    5: dict(name="graphite",
            top=(40, 40, 49), bottom=(19, 19, 24),
            edge_top=(98, 96, 114), edge_bottom=(44, 44, 52),
            accent=ACCENT, caption=(148, 147, 162), unit=(196, 130, 255),
            wordmark=(238, 236, 244)),
    6: dict(name="deep teal",
            top=(17, 41, 53), bottom=(7, 19, 27),
            edge_top=(62, 112, 128), edge_bottom=(20, 44, 54),
            accent=TEAL, caption=(126, 160, 172), unit=(92, 220, 232),
            wordmark=(228, 242, 246)),
}

# --- small pictures ------------------------------------------------------------
CLOSE_SIZE = (18, 17)
SELECTOR_SIZE = (40, 40)
LED_SIZE = (16, 16)
BUTTON_FRAME = (100, 30)
BUTTON_GRID = 8                          # nine-grid border used by the toolkit
TIP_BK_SIZE = (40, 30)
TIP_GRID = 6
TIP_FILL = (30, 31, 39, 238)
TIP_EDGE = (74, 74, 90, 245)
TIP_ARROW_SIDE = (8, 14)                 # left/right arrows (w, h)
LOADING_BK_SIZE = (60, 60)
LOADING_GRID = 10
LOADING_FILL = (27, 27, 33, 255)
LOADING_EDGE = (78, 77, 92, 255)
PICTURE_FRAME_SIZE = (48, 48)            # picture frame sample of the controls demo
PICTURE_FRAME_GRID = 10
LOGO_SIZE = (160, 40)
GIF_SIZE = (232, 58)
GIF_FRAMES = 18
GIF_FRAME_MS = 60
GIF_ALPHA_CUT = 16                       # below this coverage a pixel is transparent
SYS_CLOSE_FRAME = (24, 24)
SKIN_SCROLL_V_FRAME = (8, 72)            # 3 frames side by side
SKIN_SCROLL_H_FRAME = (72, 8)            # 4 frames stacked
SCROLL_CAP = 6                           # unscaled end caps of the 3-slice
TK_SCROLL_H_FRAME = (22, 5)              # 4 frames stacked -> 22 x 20
TK_SCROLL_V_FRAME = (4, 72)              # 3 frames side by side -> 12 x 72
ICON_SIZES = (16, 24, 32, 48, 64, 256)


# =============================================================================
# helpers
# =============================================================================

_font_cache = {}


def font(which, px):
    """Loads a font from a Debian package; stops with a clear message if absent."""
    family, name = which
    path = os.path.join(FONT_DIRS[family], name)
    if not os.path.isfile(path):
        pkg = "fonts-open-sans" if family == "open-sans" else "fonts-liberation"
        sys.exit(f"make_skins: font {path} is missing; install the Debian package "
                 f"{pkg} (scripts/bootstrap.sh does)")
    key = (path, px)
    if key not in _font_cache:
        # BASIC layout: same glyph placement whether or not libraqm is present.
        _font_cache[key] = ImageFont.truetype(path, px,
                                              layout_engine=ImageFont.Layout.BASIC)
    return _font_cache[key]


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def rgba(c, a=255):
    return tuple(c[:3]) + (a,)


def mask(size, paint):
    """Runs paint(draw, s) on an SS x canvas and box-reduces it to a coverage mask."""
    w, h = size
    m = Image.new("L", (w * SS, h * SS), 0)
    paint(ImageDraw.Draw(m), SS)
    return m.reduce(SS)


def rrect(d, s, box, r, fill=255):
    """Rounded rectangle covering 1x box (x0, y0, x1, y1), x1/y1 exclusive."""
    x0, y0, x1, y1 = box
    d.rounded_rectangle((round(x0 * s), round(y0 * s), round(x1 * s) - 1, round(y1 * s) - 1),
                        radius=round(r * s), fill=fill)


def ellipse(d, s, cx, cy, rx, ry=None, fill=255):
    ry = rx if ry is None else ry
    d.ellipse((round((cx - rx) * s), round((cy - ry) * s),
               round((cx + rx) * s) - 1, round((cy + ry) * s) - 1), fill=fill)


def polygon(d, s, pts, fill=255):
    d.polygon([(x * s, y * s) for x, y in pts], fill=fill)


def stroke(d, s, p0, p1, width, fill=255):
    """Line with round caps, in 1x coordinates."""
    (x0, y0), (x1, y1) = p0, p1
    d.line((x0 * s, y0 * s, x1 * s, y1 * s), fill=fill, width=max(1, round(width * s)))
    for x, y in (p0, p1):
        ellipse(d, s, x, y, width / 2, fill=fill)


def ring(size, box, r, width=1):
    """Mask of a rounded outline `width` px thick, inside `box`."""
    x0, y0, x1, y1 = box
    outer = mask(size, lambda d, s: rrect(d, s, box, r))
    inner = mask(size, lambda d, s: rrect(d, s, (x0 + width, y0 + width, x1 - width, y1 - width),
                                          max(0, r - width)))
    return ImageChops.subtract(outer, inner)


def scale_mask(m, factor):
    return m.point(lambda v: round(v * factor))


def gradient(size, stops, vertical=True):
    """Linear RGBA gradient through stops [(t, rgba), ...], t in 0..1."""
    w, h = size
    n = h if vertical else w

    def at(t):
        for (t0, c0), (t1, c1) in zip(stops, stops[1:]):
            if t <= t1:
                return mix(c0, c1, 0 if t1 == t0 else (t - t0) / (t1 - t0))
        return tuple(stops[-1][1])

    strip = Image.new("RGBA", (1, n) if vertical else (n, 1))
    strip.putdata([at((i + 0.5) / n) for i in range(n)])
    return strip.resize((w, h), Image.NEAREST)


def paint(base, src, m):
    """Composites colour (tuple) or RGBA image `src` onto base through mask m."""
    if isinstance(src, tuple):
        opacity = src[3] if len(src) == 4 else 255
        layer = Image.new("RGBA", base.size, rgba(src, 0))
        alpha = ImageChops.multiply(m, Image.new("L", base.size, opacity))
    else:
        layer = src.copy()
        alpha = ImageChops.multiply(m, src.getchannel("A"))
    layer.putalpha(alpha)
    base.alpha_composite(layer)
    return base


def blur_mask(size, paint_fn, radius):
    m = Image.new("L", size, 0)
    paint_fn(ImageDraw.Draw(m), 1)
    return m.filter(ImageFilter.GaussianBlur(radius))


def text_width(text, f, tracking):
    return sum(f.getlength(ch) for ch in text) + tracking * (len(text) - 1)


def text_mask(size, x, baseline, text, which, px, tracking=0.0, align="left"):
    """Letter-spaced text drawn at SS x and LANCZOS-downsampled to a mask."""
    f = font(which, px * SS)
    w = text_width(text, f, tracking * SS) / SS
    if align == "center":
        x -= w / 2
    elif align == "right":
        x -= w
    m = Image.new("L", (size[0] * SS, size[1] * SS), 0)
    d = ImageDraw.Draw(m)
    cx = x * SS
    for ch in text:
        d.text((cx, baseline * SS), ch, font=f, fill=255, anchor="ls")
        cx += f.getlength(ch) + tracking * SS
    return m.resize(size, Image.LANCZOS)


def frames_side_by_side(frames):
    w, h = frames[0].size
    out = Image.new("RGBA", (w * len(frames), h), (0, 0, 0, 0))
    for i, f in enumerate(frames):
        out.paste(f, (i * w, 0))
    return out


def frames_stacked(frames):
    w, h = frames[0].size
    out = Image.new("RGBA", (w, h * len(frames)), (0, 0, 0, 0))
    for i, f in enumerate(frames):
        out.paste(f, (0, i * h))
    return out


def cleared(img):
    """Zeroes the colour of fully transparent pixels so the bytes never depend
    on what happened to be under them."""
    clear = Image.new("RGBA", img.size, (0, 0, 0, 0))
    return Image.composite(img, clear, img.getchannel("A").point(lambda a: 255 if a else 0))


# =============================================================================
# main window backgrounds
# =============================================================================

def draw_background(theme_id):
    """340 x 250 window background: rounded, lit edge, inset value panels,
    captions and wordmark. Values, close button, hover box and selector
    pictures are drawn over it by the program, so those areas stay plain."""
    t = THEMES[theme_id]
    size = (WIN_W, WIN_H)
    img = Image.new("RGBA", size, (0, 0, 0, 0))
    shape = mask(size, lambda d, s: rrect(d, s, (0, 0, WIN_W, WIN_H), WIN_RADIUS))

    paint(img, gradient(size, [(0, rgba(t["top"])), (1, rgba(t["bottom"]))]), shape)

    # Soft accent light from behind the temperature panel, and a faint cool one
    # at the top-left, so the panel does not read as a flat box.
    glow = blur_mask(size, lambda d, s: ellipse(d, s, 250, 150, 95, 60), 55)
    paint(img, rgba(t["accent"], 60), ImageChops.multiply(glow, shape))
    glow = blur_mask(size, lambda d, s: ellipse(d, s, 40, 10, 90, 40), 45)
    paint(img, (255, 255, 255, 12), ImageChops.multiply(glow, shape))

    _draw_header(img, t)
    for box, label, unit in ((FAN_BOX, "FAN", "RPM"), (TEMP_BOX, "TEMP", "\u00b0C")):
        _draw_value_panel(img, t, box, label, unit)

    # Engraved rule above the band kept for the selector pictures.
    _engraved_rule(img, FOOTER_RULE_Y, 20, WIN_W - 20)

    # Edge: 1 px, lighter at the top like a lit bevel, plus a faint inner line.
    edge = gradient(size, [(0, rgba(t["edge_top"])), (0.5, rgba(mix(t["edge_top"], t["edge_bottom"], 0.7))),
                           (1, rgba(t["edge_bottom"]))])
    paint(img, edge, ring(size, (0, 0, WIN_W, WIN_H), WIN_RADIUS))
    inner = gradient(size, [(0, (255, 255, 255, 22)), (0.25, (255, 255, 255, 0)), (1, (255, 255, 255, 0))])
    paint(img, inner, ring(size, (1, 1, WIN_W - 1, WIN_H - 1), WIN_RADIUS - 1))

    # Accent hairline on the top edge above the wordmark.
    accent_line = gradient(size, [(0, rgba(t["accent"], 0)), (0.06, rgba(t["accent"], 0)),
                                  (0.22, rgba(t["accent"], 255)), (0.45, rgba(t["accent"], 0)),
                                  (1, rgba(t["accent"], 0))], vertical=False)
    top_row = Image.new("L", size, 0)
    top_row.paste(255, (0, 0, WIN_W, 1))
    paint(img, accent_line, ImageChops.multiply(top_row, shape))
    return cleared(img)


def _draw_header(img, t):
    size = img.size
    f = font(FONT_BOLD, 14 * SS)
    cap = f.getbbox("O", anchor="ls")   # (x0, top, x1, bottom) relative to the baseline
    cap_h = (cap[3] - cap[1]) / SS
    baseline = WORDMARK_CY + cap_h / 2
    paint(img, rgba(t["wordmark"]), text_mask(size, WORDMARK_X, baseline, "ORVANE", FONT_BOLD, 14, 3.2))
    # Small accent underline ties the wordmark to the accent colour.
    paint(img, rgba(t["accent"]), mask(size, lambda d, s: rrect(d, s, (WORDMARK_X, baseline + 5,
                                                                       WORDMARK_X + 18, baseline + 7), 1)))
    _engraved_rule(img, HEADER_RULE_Y, 20, WIN_W - 20)


def _engraved_rule(img, y, x0, x1):
    """Dark line with a light line under it, fading out at both ends."""
    w = img.size[0]
    fade = [(0, (0, 0, 0, 0)), (x0 / w, (0, 0, 0, 0)), ((x0 + 40) / w, (0, 0, 0, 255)),
            ((x1 - 40) / w, (0, 0, 0, 255)), (x1 / w, (0, 0, 0, 0)), (1, (0, 0, 0, 0))]
    strength = gradient(img.size, fade, vertical=False).getchannel("A")
    for dy, colour in ((0, (0, 0, 0, 90)), (1, (255, 255, 255, 16))):
        line = Image.new("L", img.size, 0)
        line.paste(255, (0, y + dy, w, y + dy + 1))
        paint(img, colour, ImageChops.multiply(line, strength))


def _draw_value_panel(img, t, box, label, unit):
    """Faintly darker inset panel behind one value with its caption below."""
    size = img.size
    x0, y0, x1, y1 = box
    panel = (x0, y0 - CARD_PAD_TOP, x1, CAPTION_Y[1] + 6)
    r = 8
    body = mask(size, lambda d, s: rrect(d, s, panel, r))
    paint(img, (0, 0, 0, 70), body)
    # Inset look: shadow along the top inside edge, light along the bottom.
    top_shade = gradient(size, [(0, (0, 0, 0, 0)), (panel[1] / WIN_H, (0, 0, 0, 110)),
                                ((panel[1] + 6) / WIN_H, (0, 0, 0, 0)), (1, (0, 0, 0, 0))])
    paint(img, top_shade, ring(size, panel, r))
    bottom_light = gradient(size, [(0, (255, 255, 255, 0)), ((panel[3] - 8) / WIN_H, (255, 255, 255, 0)),
                                   (panel[3] / WIN_H, (255, 255, 255, 34)), (1, (255, 255, 255, 34))])
    paint(img, bottom_light, ring(size, panel, r))
    # Short accent tick centred on the panel's top edge.
    cx = (x0 + x1) / 2
    paint(img, rgba(t["accent"], 230),
          mask(size, lambda d, s: rrect(d, s, (cx - 12, panel[1] + 3, cx + 12, panel[1] + 5), 1)))

    # Caption: label in the muted colour, unit in the accent tint.
    px, tracking, gap = 9, 1.6, 7
    f = font(FONT_SEMIBOLD, px * SS)
    w_label = text_width(label, f, tracking * SS) / SS
    w_unit = text_width(unit, f, tracking * SS) / SS
    left = cx - (w_label + gap + w_unit) / 2
    baseline = CAPTION_Y[0] + (CAPTION_Y[1] - CAPTION_Y[0]) / 2 + 3.5
    paint(img, rgba(t["caption"]), text_mask(size, left, baseline, label, FONT_SEMIBOLD, px, tracking))
    paint(img, rgba(t["unit"]), text_mask(size, left + w_label + gap, baseline, unit, FONT_SEMIBOLD, px, tracking))


# =============================================================================
# small pictures
# =============================================================================

def draw_btn_close():
    """18 x 17 close glyph; the window background shows through."""
    size = CLOSE_SIZE
    img = Image.new("RGBA", size, (0, 0, 0, 0))
    cx, cy, a = 9, 8.5, 3.6

    def x_glyph(d, s):
        stroke(d, s, (cx - a, cy - a), (cx + a, cy + a), 1.6)
        stroke(d, s, (cx - a, cy + a), (cx + a, cy - a), 1.6)
    paint(img, (226, 226, 234, 255), mask(size, x_glyph))
    return cleared(img)


def _selector_tile(size, accent=None):
    """Faint rounded plate the selector pictures sit on."""
    img = Image.new("RGBA", size, (0, 0, 0, 0))
    w, h = size
    paint(img, gradient(size, [(0, (255, 255, 255, 16)), (1, (255, 255, 255, 6))]),
          mask(size, lambda d, s: rrect(d, s, (0, 0, w, h), 8)))
    paint(img, (255, 255, 255, 34) if accent is None else rgba(accent, 90), ring(size, (0, 0, w, h), 8))
    return img


def _chip(img, body_rgb, pin_rgb, outline_rgb, die_rgb=None, glow=True):
    """CPU package: body, four pins per side, and an accent die."""
    size = img.size
    b0, b1 = 11, 29                           # body spans 18 px
    pins = (14, 18, 22, 26)                   # pin x/y starts, 2 px wide

    def pins_paint(d, s):
        for p in pins:
            rrect(d, s, (p, 7, p + 2, 11), 0.5)       # top
            rrect(d, s, (p, 29, p + 2, 33), 0.5)      # bottom
            rrect(d, s, (7, p, 11, p + 2), 0.5)       # left
            rrect(d, s, (29, p, 33, p + 2), 0.5)      # right
    paint(img, rgba(pin_rgb), mask(size, pins_paint))
    paint(img, rgba(body_rgb), mask(size, lambda d, s: rrect(d, s, (b0, b0, b1, b1), 3)))
    paint(img, rgba(outline_rgb), ring(size, (b0, b0, b1, b1), 3))
    if die_rgb is not None:
        if glow:
            g = blur_mask(size, lambda d, s: rrect(d, s, (15, 15, 25, 25), 2), 3)
            paint(img, rgba(die_rgb, 150), g)
        paint(img, gradient(size, [(0, rgba(mix(die_rgb, (255, 255, 255), 0.35))), (0.5, rgba(die_rgb)),
                                   (1, rgba(mix(die_rgb, (0, 0, 0), 0.25)))]),
              mask(size, lambda d, s: rrect(d, s, (15, 15, 25, 25), 2)))


def draw_dev_cpu():
    """40 x 40 device picture: a CPU package with a glowing accent die."""
    img = _selector_tile(SELECTOR_SIZE, ACCENT)
    _chip(img, (46, 46, 56), (170, 170, 186), (196, 196, 212), ACCENT)
    return cleared(img)


def draw_dev_gpu():
    """40 x 40 device picture: a graphics card with a fan and a bracket."""
    size = SELECTOR_SIZE
    img = _selector_tile(size, ACCENT)
    board = (9, 11, 35, 27)
    # Slot bracket on the left and edge connector under the board.
    paint(img, (170, 170, 186, 255), mask(size, lambda d, s: (rrect(d, s, (5, 9, 8, 32), 1),
                                                             rrect(d, s, (4, 9, 9, 11), 0.5))))

    def contacts(d, s):
        for x in range(14, 30, 3):
            rrect(d, s, (x, 27, x + 2, 31), 0.4)
    paint(img, (214, 178, 96, 255), mask(size, contacts))
    paint(img, (46, 46, 56, 255), mask(size, lambda d, s: rrect(d, s, board, 2.5)))
    paint(img, (196, 196, 212, 255), ring(size, board, 2.5))
    # Fan: accent glow, hub and blades.
    cx, cy, r = 20, 19, 6
    paint(img, rgba(ACCENT, 120), blur_mask(size, lambda d, s: ellipse(d, s, cx, cy, r), 2.5))
    paint(img, (24, 24, 30, 255), mask(size, lambda d, s: ellipse(d, s, cx, cy, r)))

    def blades(d, s):
        for k in range(5):
            a = k * 2 * math.pi / 5
            pts = []
            for j in range(7):
                u = j / 6
                ang = a + u * 1.1
                rad = 1.5 + u * (r - 2)
                pts.append((cx + rad * math.cos(ang), cy + rad * math.sin(ang)))
            for j in range(6, -1, -1):
                u = j / 6
                ang = a + 0.55 + u * 0.9
                rad = 1.5 + u * (r - 2)
                pts.append((cx + rad * math.cos(ang), cy + rad * math.sin(ang)))
            polygon(d, s, pts)
    paint(img, rgba(ACCENT_LIGHT), mask(size, blades))
    paint(img, rgba(ACCENT), ring(size, (cx - r, cy - r, cx + r, cy + r), r))
    paint(img, (230, 230, 240, 255), mask(size, lambda d, s: ellipse(d, s, cx, cy, 1.4)))
    # Heat-sink fins on the right half.

    def fins(d, s):
        for y in (15, 18, 21):
            rrect(d, s, (28, y, 32, y + 1.2), 0.5)
    paint(img, (120, 120, 136, 255), mask(size, fins))
    return cleared(img)


def draw_dev_off():
    """40 x 40 device picture for 'no sensor': the chip greyed out and dimmed,
    with a power glyph in place of the die."""
    size = SELECTOR_SIZE
    img = _selector_tile(size)
    _chip(img, (40, 40, 46), (92, 92, 100), (104, 104, 112))

    def power(d, s):
        cx, cy, r = 20, 20.5, 4.2
        d.arc((round((cx - r) * s), round((cy - r) * s), round((cx + r) * s), round((cy + r) * s)),
              start=-60, end=240, fill=255, width=round(1.3 * s))
        stroke(d, s, (cx, cy - r - 0.6), (cx, cy - 0.8), 1.3)
    paint(img, (120, 120, 128, 255), mask(size, power))
    faded = img.copy()
    faded.putalpha(scale_mask(img.getchannel("A"), 0.7))
    return cleared(faded)


def _thermometer(img, cx, top, bulb_cy, tube_w, bulb_r, outline_rgb, fill_rgb, level_y, outline_w=1.0,
                 gap=0.8):
    """Thermometer outline with a filled bulb and column up to level_y."""
    size = img.size
    tube = (cx - tube_w / 2, top, cx + tube_w / 2, bulb_cy)
    outer = mask(size, lambda d, s: (rrect(d, s, tube, tube_w / 2), ellipse(d, s, cx, bulb_cy, bulb_r)))
    inner_tube = (tube[0] + outline_w, tube[1] + outline_w, tube[2] - outline_w, bulb_cy)
    inner = mask(size, lambda d, s: (rrect(d, s, inner_tube, tube_w / 2 - outline_w),
                                     ellipse(d, s, cx, bulb_cy, bulb_r - outline_w)))
    paint(img, (0, 0, 0, 120), inner)
    paint(img, rgba(outline_rgb), ImageChops.subtract(outer, inner))
    gap = outline_w + gap
    col_w = tube_w - 2 * gap
    liquid = mask(size, lambda d, s: (rrect(d, s, (cx - col_w / 2, level_y, cx + col_w / 2, bulb_cy), col_w / 2),
                                      ellipse(d, s, cx, bulb_cy, bulb_r - gap)))
    paint(img, rgba(fill_rgb), liquid)


def draw_temp_type(theme_id):
    """40 x 40 temperature-type picture: a swatch of one background style with
    a thermometer in that style's accent."""
    t = THEMES[theme_id]
    size = SELECTOR_SIZE
    img = Image.new("RGBA", size, (0, 0, 0, 0))
    body = mask(size, lambda d, s: rrect(d, s, (0, 0, 40, 40), 8))
    paint(img, gradient(size, [(0, rgba(mix(t["top"], (255, 255, 255), 0.06))), (1, rgba(t["bottom"]))]), body)
    paint(img, rgba(t["accent"], 70), ImageChops.multiply(
        blur_mask(size, lambda d, s: ellipse(d, s, 20, 29, 9), 6), body))
    paint(img, gradient(size, [(0, rgba(t["edge_top"])), (1, rgba(t["edge_bottom"]))]),
          ring(size, (0, 0, 40, 40), 8))
    _thermometer(img, 20, 7, 28, 7, 5.5, (222, 222, 232), t["accent"], 15, 1.2)

    def ticks(d, s):
        for y in (10, 14, 18):
            rrect(d, s, (26, y, 30 if y != 14 else 31, y + 1), 0.4)
    paint(img, (200, 200, 214, 200), mask(size, ticks))
    return cleared(img)


def draw_led_on():
    """16 x 16 lit LED: accent halo, bright core and a specular spot."""
    size = LED_SIZE
    img = Image.new("RGBA", size, (0, 0, 0, 0))
    halo = blur_mask((64, 64), lambda d, s: ellipse(d, s, 32, 32, 19), 8).resize(size, Image.LANCZOS)
    paint(img, rgba(ACCENT, 235), halo)
    paint(img, gradient(size, [(0, rgba(ACCENT_LIGHT)), (0.7, rgba(ACCENT)), (1, rgba(mix(ACCENT, (0, 0, 0), 0.2)))]),
          mask(size, lambda d, s: ellipse(d, s, 8, 8, 3.8)))
    paint(img, (255, 255, 255, 210), blur_mask((64, 64), lambda d, s: ellipse(d, s, 29, 28, 5), 2.5)
          .resize(size, Image.LANCZOS))
    return cleared(img)


def _button_frame(fill, edge, top_light, glow=None, alpha=255):
    """One 100 x 30 button frame. Everything that varies sits within the 8-px
    nine-grid border; the centre is flat so any stretch looks the same."""
    w, h = BUTTON_FRAME
    size = (w, h)
    r = 6
    img = Image.new("RGBA", size, (0, 0, 0, 0))
    paint(img, rgba(fill), mask(size, lambda d, s: rrect(d, s, (0, 0, w, h), r)))
    if glow is not None:
        for k in range(1, 5):
            paint(img, rgba(glow, round(46 / k)), ring(size, (k, k, w - k, h - k), max(1, r - k)))
    # Light along the top inside edge, shade along the bottom: 1-px rows.
    inside = (1, 1, w - 1, h - 1)
    body = mask(size, lambda d, s: rrect(d, s, inside, r - 1))
    below_top = mask(size, lambda d, s: rrect(d, s, (1, 2, w - 1, h - 1), r - 1))
    above_bottom = mask(size, lambda d, s: rrect(d, s, (1, 1, w - 1, h - 2), r - 1))
    paint(img, (255, 255, 255, top_light), ImageChops.subtract(body, below_top))
    paint(img, (0, 0, 0, 60), ImageChops.subtract(body, above_bottom))
    paint(img, rgba(edge), ring(size, (0, 0, w, h), r))
    if alpha != 255:
        img.putalpha(scale_mask(img.getchannel("A"), alpha / 255))
    return img


def draw_button():
    """Button strip: normal, hover, pressed, disabled (each 100 x 30)."""
    frames = [
        _button_frame((44, 44, 54), (82, 82, 98), 26),
        _button_frame((54, 52, 68), ACCENT, 30, glow=ACCENT),
        _button_frame((122, 32, 170), (204, 110, 255), 40),
        _button_frame((36, 36, 41), (58, 58, 64), 8, alpha=200),
    ]
    return cleared(frames_side_by_side(frames))


def draw_tip_bk():
    """Bubble tooltip panel, nine-grid with 6-px corners behind white text."""
    w, h = TIP_BK_SIZE
    size = (w, h)
    img = Image.new("RGBA", size, (0, 0, 0, 0))
    paint(img, TIP_FILL, mask(size, lambda d, s: rrect(d, s, (0, 0, w, h), 5)))
    paint(img, TIP_EDGE, ring(size, (0, 0, w, h), 5))
    return cleared(img)


def draw_tip_arrow(direction):
    """Bubble pointer in the bubble's colours; the side that meets the bubble
    has no edge line so the two read as one shape."""
    if direction == "top":
        size = (TIP_ARROW_SIDE[1], TIP_ARROW_SIDE[0])
    else:
        size = TIP_ARROW_SIDE
    w, h = size
    pts = {
        "left": [(0.3, h / 2), (w, 0), (w, h)],
        "right": [(w - 0.3, h / 2), (0, 0), (0, h)],
        "top": [(w / 2, 0.3), (0, h), (w, h)],
    }[direction]
    img = Image.new("RGBA", size, (0, 0, 0, 0))
    outer = mask(size, lambda d, s: polygon(d, s, pts))
    # Inner triangle: apex pulled in so the slanted sides keep a ~1-px edge,
    # and running past the base so the base has none.
    apex = pts[0]
    if direction == "left":
        inner_pts = [(apex[0] + 1.8, apex[1]), (w + 1, -0.6), (w + 1, h + 0.6)]
    elif direction == "right":
        inner_pts = [(apex[0] - 1.8, apex[1]), (-1, -0.6), (-1, h + 0.6)]
    else:
        inner_pts = [(apex[0], apex[1] + 1.8), (-0.6, h + 1), (w + 0.6, h + 1)]
    inner = ImageChops.multiply(outer, mask(size, lambda d, s: polygon(d, s, inner_pts)))
    paint(img, TIP_EDGE, ImageChops.subtract(outer, inner))
    paint(img, TIP_FILL, inner)
    return cleared(img)


def draw_loading_bk():
    """Loading window panel, nine-grid with 10-px corners."""
    w, h = LOADING_BK_SIZE
    size = (w, h)
    img = Image.new("RGBA", size, (0, 0, 0, 0))
    paint(img, LOADING_FILL, mask(size, lambda d, s: rrect(d, s, (0, 0, w, h), 9)))
    paint(img, gradient(size, [(0, (255, 255, 255, 20)), (LOADING_GRID / h, (255, 255, 255, 0)), (1, (255, 255, 255, 0))]),
          ring(size, (1, 1, w - 1, h - 1), 8))
    paint(img, LOADING_EDGE, ring(size, (0, 0, w, h), 9))
    return cleared(img)


def draw_picture_frame():
    """Frame for pictures shown as a nine-grid (10-px border): a dark plate
    with an accent edge and a lighter inner line; the middle is flat so the
    frame stretches to any size."""
    w, h = PICTURE_FRAME_SIZE
    size = (w, h)
    b = PICTURE_FRAME_GRID
    img = Image.new("RGBA", size, (0, 0, 0, 0))
    paint(img, (22, 22, 28, 232), mask(size, lambda d, s: rrect(d, s, (0, 0, w, h), 8)))
    paint(img, gradient(size, [(0, rgba(ACCENT_LIGHT)), (b / h, rgba(ACCENT)), (1 - b / h, rgba(ACCENT)),
                               (1, rgba(mix(ACCENT, (0, 0, 0), 0.35)))]),
          ring(size, (0, 0, w, h), 8, 2))
    paint(img, (255, 255, 255, 40), ring(size, (4, 4, w - 4, h - 4), 5))
    return cleared(img)


def draw_logo_loading():
    """160 x 40 'ORVANE' wordmark for the loading window."""
    size = LOGO_SIZE
    img = Image.new("RGBA", size, (0, 0, 0, 0))
    px, tracking = 24, 5.0
    f = font(FONT_BOLD, px * SS)
    cap = f.getbbox("O", anchor="ls")
    cap_h = (cap[3] - cap[1]) / SS
    baseline = size[1] / 2 + cap_h / 2 - 2
    word = text_mask(size, size[0] / 2, baseline, "ORVANE", FONT_BOLD, px, tracking, align="center")
    paint(img, gradient(size, [(0, (250, 248, 255, 255)), (1, (206, 200, 222, 255))]), word)
    w = text_width("ORVANE", f, tracking * SS) / SS
    x0 = size[0] / 2 - w / 2
    bar = gradient(size, [(0, rgba(ACCENT)), (0.5, rgba(ACCENT_LIGHT)), (1, rgba(ACCENT))], vertical=False)
    paint(img, bar, mask(size, lambda d, s: rrect(d, s, (x0, baseline + 6, x0 + 30, baseline + 8.5), 1.25)))
    return cleared(img)


def draw_loading_frames():
    """18 frames of a wave sweeping along a row of dots, matted onto the
    loading panel colour (GIF transparency is on/off only)."""
    w, h = GIF_SIZE
    n_dots, spacing = 9, 22
    first = w / 2 - spacing * (n_dots - 1) / 2
    frames = []
    for k in range(GIF_FRAMES):
        head = -2 + (n_dots + 3) * k / GIF_FRAMES
        img = Image.new("RGBA", (w, h), (0, 0, 0, 0))
        for i in range(n_dots):
            b = math.exp(-((i - head) ** 2) / 1.6)
            cx, cy = first + i * spacing, h / 2
            r = 3.2 + 2.0 * b
            if b > 0.05:
                g = blur_mask((w, h), lambda d, s, cx=cx, r=r: ellipse(d, s, cx, cy, r + 2), 3.5)
                paint(img, rgba(ACCENT, round(170 * b)), g)
            colour = mix((72, 72, 86), ACCENT, min(1.0, b * 1.3))
            if b > 0.75:
                colour = mix(colour, ACCENT_LIGHT, (b - 0.75) * 4)
            paint(img, rgba(colour), mask((w, h), lambda d, s, cx=cx, r=r: ellipse(d, s, cx, cy, r)))
        frames.append(img)
    return frames


def draw_sys_close():
    """Loading window close button: normal, hover, pressed, disabled (24 x 24)."""
    size = SYS_CLOSE_FRAME
    c, a = 12, 4.2

    def x_glyph(d, s):
        stroke(d, s, (c - a, c - a), (c + a, c + a), 1.6)
        stroke(d, s, (c - a, c + a), (c + a, c - a), 1.6)

    def frame(plate, glyph):
        img = Image.new("RGBA", size, (0, 0, 0, 0))
        if plate is not None:
            paint(img, plate, mask(size, lambda d, s: ellipse(d, s, c, c, 11)))
        paint(img, glyph, mask(size, x_glyph))
        return img
    frames = [
        frame(None, (200, 200, 212, 255)),
        frame((255, 255, 255, 34), (250, 250, 255, 255)),
        frame(rgba(ACCENT), (255, 255, 255, 255)),
        frame(None, (132, 132, 140, 140)),
    ]
    return cleared(frames_side_by_side(frames))


def _pill(size, colour, inset=0.0):
    """Rounded bar filling `size` (less `inset` across); round ends stay
    within the unscaled caps, the middle is uniform along the bar."""
    w, h = size
    if w <= h:
        box, r = (inset, 0, w - inset, h), (w - 2 * inset) / 2
    else:
        box, r = (0, inset, w, h - inset), (h - 2 * inset) / 2
    img = Image.new("RGBA", size, (0, 0, 0, 0))
    paint(img, colour, mask(size, lambda d, s: rrect(d, s, box, r)))
    return img


def draw_skin_scroll_v():
    """Skin vertical bar: track, thumb hovered, thumb normal (each 8 x 72)."""
    f = SKIN_SCROLL_V_FRAME
    return cleared(frames_side_by_side([
        _pill(f, (255, 255, 255, 16)),
        _pill(f, rgba(ACCENT, 235), 1),
        _pill(f, (176, 176, 192, 170), 1),
    ]))


def draw_skin_scroll_h():
    """Skin horizontal bar: track, thumb normal, hovered, dragged (each 72 x 8)."""
    f = SKIN_SCROLL_H_FRAME
    return cleared(frames_stacked([
        _pill(f, (255, 255, 255, 16)),
        _pill(f, (176, 176, 192, 170), 1),
        _pill(f, rgba(ACCENT, 235), 1),
        _pill(f, rgba(ACCENT_LIGHT, 255), 1),
    ]))


def draw_toolkit_scroll_h():
    """Toolkit's own slim horizontal bar: track, normal, hovered, dragged (22 x 5 each)."""
    f = TK_SCROLL_H_FRAME
    return cleared(frames_stacked([
        _pill(f, (230, 230, 240, 26)),
        _pill(f, (230, 230, 240, 100)),
        _pill(f, (230, 230, 240, 150)),
        _pill(f, (240, 240, 250, 205)),
    ]))


def draw_toolkit_scroll_v():
    """Toolkit's own slim vertical bar: track, thumb hovered, thumb normal (4 x 72 each)."""
    f = TK_SCROLL_V_FRAME
    return cleared(frames_side_by_side([
        _pill(f, (230, 230, 240, 26)),
        _pill(f, (230, 230, 240, 150)),
        _pill(f, (230, 230, 240, 100)),
    ]))


# =============================================================================
# application icon
# =============================================================================

def draw_app_icon(n):
    """Thermometer on a dark display tile. Small sizes get their own snapped
    geometry so the tube stays a crisp column of whole pixels."""
    size = (n, n)
    img = Image.new("RGBA", size, (0, 0, 0, 0))
    inset = 0 if n <= 24 else n / 32
    radius = max(3, n * 0.22)
    tile_box = (inset, inset, n - inset, n - inset)
    tile = mask(size, lambda d, s: rrect(d, s, tile_box, radius))
    paint(img, gradient(size, [(0, (52, 50, 64, 255)), (1, (20, 20, 26, 255))]), tile)
    paint(img, rgba(ACCENT, 110), ImageChops.multiply(
        blur_mask(size, lambda d, s: ellipse(d, s, n * 0.5, n * 0.72, n * 0.22), n * 0.12), tile))
    paint(img, gradient(size, [(0, (120, 110, 150, 255)), (1, (46, 44, 56, 255))]),
          ring(size, tile_box, radius, width=1 if n < 64 else n / 64))

    # At 16 px the liquid fills the tube without a gap, or it would vanish.
    if n <= 16:
        cx, top, bulb_cy, tube_w, bulb_r, ow, level, gap = 8, 1.5, 11, 4, 4, 1, 5, 0
    elif n <= 24:
        cx, top, bulb_cy, tube_w, bulb_r, ow, level, gap = 12, 3, 16, 6, 5, 1.2, 8, 0.6
    else:
        cx, top, bulb_cy = n / 2, n * 0.16, n * 0.66
        tube_w, bulb_r, ow, level, gap = n * 0.2, n * 0.16, max(1.3, n * 0.045), n * 0.36, 0.8
    _thermometer(img, cx, top, bulb_cy, tube_w, bulb_r, (236, 234, 244), ACCENT, level, ow, gap)
    if n >= 32:
        def ticks(d, s):
            for k, y in enumerate((0.24, 0.34, 0.44)):
                x0 = cx + tube_w / 2 + n * 0.06
                rrect(d, s, (x0, n * y, x0 + n * (0.12 if k == 1 else 0.08), n * y + max(1, n * 0.03)), n * 0.015)
        paint(img, (214, 210, 228, 230), mask(size, ticks))
    return cleared(img)


def ico_bytes(images):
    """Windows icon with 32-bit BMP entries for the small sizes (understood by
    every loader) and a PNG entry for 256 px, as Windows' own icons do."""
    entries = []
    for im in images:
        w, h = im.size
        if w >= 256:
            buf = io.BytesIO()
            im.save(buf, "PNG")
            data = buf.getvalue()
        else:
            header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, 0, 0, 0, 0, 0)
            px = im.load()
            xor = bytearray()
            for y in range(h - 1, -1, -1):
                for x in range(w):
                    r, g, b, a = px[x, y]
                    xor += bytes((b, g, r, a))
            row_bytes = ((w + 31) // 32) * 4
            and_mask = bytearray()
            for y in range(h - 1, -1, -1):
                row = bytearray(row_bytes)
                for x in range(w):
                    if px[x, y][3] < 128:
                        row[x // 8] |= 0x80 >> (x % 8)
                and_mask += row
            data = header + bytes(xor) + bytes(and_mask)
        entries.append((w, h, data))
    out = struct.pack("<HHH", 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    for w, h, data in entries:
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, _, data in entries:
        out += data
    return out


# =============================================================================
# animated loading indicator
# =============================================================================

def gif_bytes(frames, matte):
    """Animated GIF with one shared, fixed palette so every run gives the same
    bytes. Colours are matted onto the loading panel, so the glow survives
    down to GIF_ALPHA_CUT coverage before a pixel turns transparent."""
    flat = []
    for f in frames:
        bg = Image.new("RGBA", f.size, rgba(matte))
        bg.alpha_composite(f)
        flat.append(bg.convert("RGB"))
    strip = Image.new("RGB", (frames[0].width, frames[0].height * len(frames)))
    for i, f in enumerate(flat):
        strip.paste(f, (0, i * f.height))
    palette_img = strip.quantize(colors=255, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    pal = palette_img.getpalette()[:255 * 3]
    pal += [0] * (256 * 3 - len(pal))
    palette_img.putpalette(pal)
    indexed = []
    for f, rgb in zip(frames, flat):
        q = rgb.quantize(palette=palette_img, dither=Image.Dither.NONE)
        q.paste(255, mask=f.getchannel("A").point(lambda a: 255 if a < GIF_ALPHA_CUT else 0))
        q.putpalette(pal)
        indexed.append(q)
    buf = io.BytesIO()
    indexed[0].save(buf, "GIF", save_all=True, append_images=indexed[1:], duration=GIF_FRAME_MS,
                    loop=0, disposal=2, transparency=255, optimize=False)
    return buf.getvalue()


# =============================================================================
# contact sheet for review
# =============================================================================

PREVIEW_GREY = (128, 128, 128, 255)
PREVIEW_CHECK = ((34, 34, 38, 255), (48, 48, 54, 255))
PREVIEW_BG = (24, 24, 28, 255)
LABEL_COL = 250


def _checker(size, cell=8):
    img = Image.new("RGBA", size, PREVIEW_CHECK[0])
    d = ImageDraw.Draw(img)
    for y in range(0, size[1], cell):
        for x in range(0, size[0], cell):
            if (x // cell + y // cell) % 2:
                d.rectangle((x, y, x + cell - 1, y + cell - 1), fill=PREVIEW_CHECK[1])
    return img


def _mockup(bkg, files, with_guide=False):
    """The window as the program will show it: sample values in Arial-metric
    Liberation Sans 50 px, the close button and selector pictures in the band."""
    img = bkg.copy()
    f = font(FONT_VALUE, VALUE_PX)
    ascent, descent = f.getmetrics()
    d = ImageDraw.Draw(img)
    for box, text in ((FAN_BOX, "1850"), (TEMP_BOX, "47")):
        cx = (box[0] + box[2]) / 2
        top = (box[1] + box[3]) / 2 - (ascent + descent) / 2
        d.text((cx, top + ascent), text, font=f, fill=rgba(VALUE_RGB), anchor="ms")
    skin = "skins/theme1/"
    img.alpha_composite(files[skin + "img_btn_close.png"], CLOSE_BTN[:2])
    band_y = SELECTOR_BAND[1] + 2
    img.alpha_composite(files[skin + "img_dev_cpu.png"], (20, band_y))
    img.alpha_composite(files[skin + "img_temp_type1.png"], (68, band_y))
    img.alpha_composite(files[skin + "img_led_on.png"], (116, band_y + 12))
    if with_guide:
        g = ImageDraw.Draw(img)
        for box, colour in ((FAN_BOX, (80, 230, 120, 255)), (TEMP_BOX, (80, 230, 120, 255)),
                            (CLOSE_BTN, (255, 90, 90, 255)), (HOVER_BOX, (255, 170, 60, 255)),
                            (SELECTOR_BAND, (70, 200, 255, 255))):
            g.rectangle((box[0], box[1], box[2] - 1, box[3] - 1), outline=colour)
    return img


def _row(label, items, zoom=1, on=("grey", "check")):
    """One labelled row: items at 1x (and zoomed when small) on each backdrop."""
    pad, gap = 12, 12
    shown = []
    for it in items:
        shown.append(it)
        if zoom > 1:
            shown.append(it.resize((it.width * zoom, it.height * zoom), Image.NEAREST))
    cell_w = sum(i.width for i in shown) + gap * (len(shown) - 1) + 2 * pad
    cell_h = max(i.height for i in shown) + 2 * pad
    cells = []
    for kind in on:
        cell = Image.new("RGBA", (cell_w, cell_h), PREVIEW_GREY) if kind == "grey" else _checker((cell_w, cell_h))
        x = pad
        for it in shown:
            cell.alpha_composite(it, (x, pad + (cell_h - 2 * pad - it.height) // 2))
            x += it.width + gap
        cells.append(cell)
    row = Image.new("RGBA", (LABEL_COL + sum(c.width + gap for c in cells), cell_h + gap), PREVIEW_BG)
    d = ImageDraw.Draw(row)
    lines = label.split("\n")
    for i, line in enumerate(lines):
        d.text((12, 12 + i * 16), line, font=font(FONT_LABEL, 13 if i == 0 else 11),
               fill=(236, 236, 240, 255) if i == 0 else (160, 160, 170, 255))
    x = LABEL_COL
    for c in cells:
        row.alpha_composite(c, (x, 0))
        x += c.width + gap
    return row


def make_preview(files, icons, frames):
    """All images on a mid-grey and a dark checkerboard, labelled."""
    skin = "skins/theme1/"
    tk = "toolkit/resources/"
    gif_flat = []
    for fr in frames[::3]:
        bg = Image.new("RGBA", fr.size, LOADING_FILL)
        bg.alpha_composite(fr)
        gif_flat.append(bg)
    loading_window = Image.new("RGBA", (300, 150), (0, 0, 0, 0))
    loading_window.alpha_composite(nine_grid(files[skin + "img_loading_bk.png"], (300, 150), LOADING_GRID))
    loading_window.alpha_composite(files[skin + "logo/logo_loading.png"], (70, 22))
    loading_window.alpha_composite(gif_flat[2], (34, 70))
    loading_window.alpha_composite(files[skin + "img_sys_close.png"].crop((0, 0, 24, 24)), (268, 8))
    tip = Image.new("RGBA", (150, 40), (0, 0, 0, 0))
    tip.alpha_composite(nine_grid(files[skin + "img_tip_bk.png"], (130, 28), TIP_GRID), (8, 6))
    tip.alpha_composite(files[skin + "img_tip_arrow_left.png"], (0, 13))
    ImageDraw.Draw(tip).text((18, 20), "CPU 47 \u00b0C", font=font(FONT_SEMIBOLD, 14), fill=(255, 255, 255, 255),
                             anchor="lm")
    buttons = [nine_grid(files[skin + "img_button.png"].crop((i * 100, 0, i * 100 + 100, 30)), (140, 34), BUTTON_GRID)
               for i in range(4)]
    for b, word in zip(buttons, ("Normal", "Hover", "Pressed", "Disabled")):
        ImageDraw.Draw(b).text((70, 17), word, font=font(FONT_SEMIBOLD, 13),
                               fill=(255, 255, 255, 255) if word != "Disabled" else (130, 130, 136, 255), anchor="mm")
    rows = [
        _row("img_cpu_bkg5.png / img_cpu_bkg6.png\n340 x 250 window backgrounds",
             [files[skin + "img_cpu_bkg5.png"], files[skin + "img_cpu_bkg6.png"]]),
        _row("window mock-up\nvalues, close button and selector\npictures as the program draws them;\n"
             "right: green value boxes, red close,\norange hover box, blue selector band",
             [_mockup(files[skin + "img_cpu_bkg5.png"], files), _mockup(files[skin + "img_cpu_bkg6.png"], files),
              _mockup(files[skin + "img_cpu_bkg5.png"], files, with_guide=True)], on=("check",)),
        _row("img_btn_close.png  18 x 17\nimg_led_on.png  16 x 16",
             [files[skin + "img_btn_close.png"], files[skin + "img_led_on.png"]], zoom=4),
        _row("img_dev_cpu / gpu / off.png\nimg_temp_type1 / 2.png  40 x 40",
             [files[skin + n] for n in ("img_dev_cpu.png", "img_dev_gpu.png", "img_dev_off.png",
                                        "img_temp_type1.png", "img_temp_type2.png")], zoom=2),
        _row("img_button.png  4 x (100 x 30)\nbelow: stretched to 140 x 34", [files[skin + "img_button.png"]]),
        _row("img_button.png stretched\nnine-grid, 8-px border", buttons),
        _row("img_tip_bk.png  40 x 30, arrows\nleft / right 8 x 14, top 14 x 8;\nand a stretched bubble",
             [files[skin + "img_tip_bk.png"], files[skin + "img_tip_arrow_left.png"],
              files[skin + "img_tip_arrow_right.png"], files[skin + "img_tip_arrow_top.png"], tip], zoom=1),
        _row("img_picture_frame.png  48 x 48\nnine-grid, 10-px border;\nstretched to 160 x 100",
             [files[skin + "img_picture_frame.png"],
              nine_grid(files[skin + "img_picture_frame.png"], (160, 100), PICTURE_FRAME_GRID)]),
        _row("img_loading_bk.png  60 x 60\nimg_sys_close.png  4 x (24 x 24)",
             [files[skin + "img_loading_bk.png"], files[skin + "img_sys_close.png"]], zoom=2),
        _row("logo/logo_loading.png  160 x 40\nloading window mock-up", [files[skin + "logo/logo_loading.png"],
                                                                         loading_window]),
        _row("loading/loading.gif  232 x 58\n18 frames; every third shown", gif_flat[:3]),
        _row("", gif_flat[3:]),
        _row("img_scroll_v.png  3 x (8 x 72)\nimg_scroll_h.png  4 x (72 x 8)",
             [files[skin + "img_scroll_v.png"], files[skin + "img_scroll_h.png"]], zoom=3),
        _row("toolkit scroll_v.png  12 x 72\ntoolkit scroll_h.png  22 x 20",
             [files[tk + "scroll_v.png"], files[tk + "scroll_h.png"]], zoom=4),
        _row("Thermadex.ico\n16, 24, 32, 48, 64, 256", icons),
        _row("Thermadex.ico small sizes, x4",
             [i.resize((i.width * 4, i.height * 4), Image.NEAREST) for i in icons[:3]]),
    ]
    width = max(r.width for r in rows) + 12
    height = sum(r.height for r in rows) + 12
    sheet = Image.new("RGBA", (width, height), PREVIEW_BG)
    y = 12
    for r in rows:
        sheet.alpha_composite(r, (0, y))
        y += r.height
    return sheet


def nine_grid(img, size, border):
    """Stretches img to size keeping `border` px corners, like the toolkit."""
    w, h = img.size
    W, H = size
    b = border
    out = Image.new("RGBA", size, (0, 0, 0, 0))
    xs = [(0, b, 0, b), (b, w - b, b, W - b), (w - b, w, W - b, W)]
    ys = [(0, b, 0, b), (b, h - b, b, H - b), (h - b, h, H - b, H)]
    for sx0, sx1, dx0, dx1 in xs:
        for sy0, sy1, dy0, dy1 in ys:
            part = img.crop((sx0, sy0, sx1, sy1)).resize((dx1 - dx0, dy1 - dy0), Image.BILINEAR)
            out.paste(part, (dx0, dy0))
    return out


# =============================================================================
# self-check: the toolkit relies on these properties
# =============================================================================

def _uniform_rows(img, y0, y1):
    """True if rows y0..y1-1 are identical (free to stretch vertically)."""
    ref = img.crop((0, y0, img.width, y0 + 1)).tobytes()
    return all(img.crop((0, y, img.width, y + 1)).tobytes() == ref for y in range(y0, y1))


def _uniform_cols(img, x0, x1):
    ref = img.crop((x0, 0, x0 + 1, img.height)).tobytes()
    return all(img.crop((x, 0, x + 1, img.height)).tobytes() == ref for x in range(x0, x1))


def _frames(img, fw, fh):
    return [img.crop((x, y, x + fw, y + fh)) for y in range(0, img.height, fh) for x in range(0, img.width, fw)]


def check(files):
    """Stops with a message naming the image if a property the toolkit or the
    program depends on does not hold."""
    skin = "skins/theme1/"
    tk = "toolkit/resources/"
    problems = []

    def need(ok, what):
        if not ok:
            problems.append(what)

    sizes = {
        "img_cpu_bkg5.png": (WIN_W, WIN_H), "img_cpu_bkg6.png": (WIN_W, WIN_H),
        "img_btn_close.png": CLOSE_SIZE, "img_dev_cpu.png": SELECTOR_SIZE, "img_dev_gpu.png": SELECTOR_SIZE,
        "img_dev_off.png": SELECTOR_SIZE, "img_temp_type1.png": SELECTOR_SIZE, "img_temp_type2.png": SELECTOR_SIZE,
        "img_led_on.png": LED_SIZE, "img_button.png": (BUTTON_FRAME[0] * 4, BUTTON_FRAME[1]),
        "img_tip_bk.png": TIP_BK_SIZE, "img_tip_arrow_left.png": TIP_ARROW_SIDE,
        "img_tip_arrow_right.png": TIP_ARROW_SIDE, "img_tip_arrow_top.png": TIP_ARROW_SIDE[::-1],
        "img_loading_bk.png": LOADING_BK_SIZE, "logo/logo_loading.png": LOGO_SIZE,
        "img_picture_frame.png": PICTURE_FRAME_SIZE,
        "img_sys_close.png": (SYS_CLOSE_FRAME[0] * 4, SYS_CLOSE_FRAME[1]),
        "img_scroll_v.png": (SKIN_SCROLL_V_FRAME[0] * 3, SKIN_SCROLL_V_FRAME[1]),
        "img_scroll_h.png": (SKIN_SCROLL_H_FRAME[0], SKIN_SCROLL_H_FRAME[1] * 4),
    }
    for name, size in sizes.items():
        im = files[skin + name]
        need(im.mode == "RGBA" and im.size == size, f"{name}: {im.mode} {im.size}, want RGBA {size}")
    need(files[tk + "scroll_h.png"].size == (22, 20), "toolkit scroll_h.png must be 22 x 20")
    need(files[tk + "scroll_v.png"].size == (12, 72), "toolkit scroll_v.png must be 12 x 72")

    for n in (5, 6):
        name = f"img_cpu_bkg{n}.png"
        a = files[skin + name].getchannel("A")
        r = WIN_RADIUS
        for y in range(r):
            for x in range(r):
                # Pixel wholly outside the corner circle: must be fully transparent.
                if math.hypot(r - (x + 1), r - (y + 1)) > r:
                    for px, py in ((x, y), (WIN_W - 1 - x, y), (x, WIN_H - 1 - y), (WIN_W - 1 - x, WIN_H - 1 - y)):
                        need(a.getpixel((px, py)) == 0, f"{name}: alpha at ({px},{py}) outside the corner")
        for box in (FAN_BOX, TEMP_BOX, CLOSE_BTN, HOVER_BOX, SELECTOR_BAND):
            need(a.crop(box).getextrema()[0] >= 230, f"{name}: not opaque in {box}")

    for i, f in enumerate(_frames(files[skin + "img_button.png"], *BUTTON_FRAME)):
        b = BUTTON_GRID
        need(_uniform_rows(f, b, f.height - b) and _uniform_cols(f, b, f.width - b),
             f"img_button.png frame {i}: not stretchable outside the {b}-px border")
    for name, b in (("img_tip_bk.png", TIP_GRID), ("img_loading_bk.png", LOADING_GRID),
                    ("img_picture_frame.png", PICTURE_FRAME_GRID)):
        f = files[skin + name]
        need(_uniform_rows(f, b, f.height - b) and _uniform_cols(f, b, f.width - b),
             f"{name}: not stretchable outside the {b}-px corners")
        need(f.getpixel((f.width // 2, f.height // 2))[3] >= 230, f"{name}: centre too transparent")

    c = SCROLL_CAP
    for name, fw, fh, vertical in (
            (skin + "img_scroll_v.png", *SKIN_SCROLL_V_FRAME, True),
            (skin + "img_scroll_h.png", *SKIN_SCROLL_H_FRAME, False),
            (tk + "scroll_v.png", *TK_SCROLL_V_FRAME, True),
            (tk + "scroll_h.png", *TK_SCROLL_H_FRAME, False)):
        for i, f in enumerate(_frames(files[name], fw, fh)):
            ok = _uniform_rows(f, c, fh - c) if vertical else _uniform_cols(f, c, fw - c)
            need(ok, f"{name} frame {i}: middle between the {c}-px caps is not uniform")

    ico = Image.open(io.BytesIO(files[skin + "Thermadex.ico"]))
    need(set(ico.info.get("sizes", ())) == {(n, n) for n in ICON_SIZES}, "Thermadex.ico: sizes")
    for n in ICON_SIZES:
        ico.size = (n, n)
        ico.load()
    gif = Image.open(io.BytesIO(files[skin + "loading/loading.gif"]))
    need(gif.size == GIF_SIZE and gif.n_frames == GIF_FRAMES, f"loading.gif: {gif.size}, {gif.n_frames} frames")

    if problems:
        sys.exit("make_skins: check failed:\n  " + "\n  ".join(problems))


# =============================================================================
# output
# =============================================================================

def save_png(img, path):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    img.save(path, "PNG", optimize=False, compress_level=9)


def save_bytes(data, path):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as fh:
        fh.write(data)


def build_all():
    """Returns {relative path: PIL image or bytes} for every shipped file."""
    skin = "skins/theme1/"
    tk = "toolkit/resources/"
    out = {
        skin + "img_cpu_bkg5.png": draw_background(5),
        skin + "img_cpu_bkg6.png": draw_background(6),
        skin + "img_btn_close.png": draw_btn_close(),
        skin + "img_dev_cpu.png": draw_dev_cpu(),
        skin + "img_dev_gpu.png": draw_dev_gpu(),
        skin + "img_dev_off.png": draw_dev_off(),
        skin + "img_temp_type1.png": draw_temp_type(5),
        skin + "img_temp_type2.png": draw_temp_type(6),
        skin + "img_led_on.png": draw_led_on(),
        skin + "img_button.png": draw_button(),
        skin + "img_tip_bk.png": draw_tip_bk(),
        skin + "img_tip_arrow_left.png": draw_tip_arrow("left"),
        skin + "img_tip_arrow_right.png": draw_tip_arrow("right"),
        skin + "img_tip_arrow_top.png": draw_tip_arrow("top"),
        skin + "img_loading_bk.png": draw_loading_bk(),
        skin + "img_picture_frame.png": draw_picture_frame(),
        skin + "logo/logo_loading.png": draw_logo_loading(),
        skin + "img_sys_close.png": draw_sys_close(),
        skin + "img_scroll_v.png": draw_skin_scroll_v(),
        skin + "img_scroll_h.png": draw_skin_scroll_h(),
        tk + "scroll_h.png": draw_toolkit_scroll_h(),
        tk + "scroll_v.png": draw_toolkit_scroll_v(),
    }
    icons = [draw_app_icon(n) for n in ICON_SIZES]
    frames = draw_loading_frames()
    out[skin + "Thermadex.ico"] = ico_bytes(icons)
    out[skin + "loading/loading.gif"] = gif_bytes(frames, LOADING_FILL)
    return out, icons, frames


def main(argv=None):
    here = os.path.dirname(os.path.abspath(__file__))
    repo = os.path.dirname(os.path.dirname(here))
    ap = argparse.ArgumentParser(description="Draws the Thermadex and Lumo skin images.")
    ap.add_argument("--out-root", default=repo,
                    help="folder that receives skins/theme1/, toolkit/resources/ and docs/ (default: the repository)")
    ap.add_argument("--no-preview", action="store_true", help="skip docs/skins-preview.png")
    args = ap.parse_args(argv)

    files, icons, frames = build_all()
    check(files)
    for rel, item in files.items():
        path = os.path.join(args.out_root, rel)
        if isinstance(item, bytes):
            save_bytes(item, path)
        else:
            save_png(item, path)
        print(f"wrote {rel}")
    if not args.no_preview:
        sheet = make_preview(files, icons, frames)
        save_png(sheet, os.path.join(args.out_root, "docs/skins-preview.png"))
        print("wrote docs/skins-preview.png")
    return 0


if __name__ == "__main__":
    sys.exit(main())
