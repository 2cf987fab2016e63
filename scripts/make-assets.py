#!/usr/bin/env python3
"""Draws the desktop's bitmaps into assets/.

    /usr/bin/python3 scripts/make-assets.py

Writes:
  wallpaper.jpg        1280x1024 baseline JPEG, night sky with moon and hills
  title-strip.bmp      1000x28 24-bit BMP, blue-grey-yellow bar on white
  icon-menu.png        16x16 RGBA, triangle pointing down
  icon-all.png         16x16 RGBA, triangle pointing right
  icon-console.png     16x16 RGBA, small console window
  icon-power.png       16x16 RGBA, power symbol
  glyph-file.png       16x16 RGBA, a file in the explorer's list
  glyph-program.png    16x16 RGBA, a program file in the explorer's list

Needs only Pillow and the standard library. Every random choice comes from a
fixed seed and no encoder writes timestamps, so re-running gives identical
bytes and the committed files only change when this script does.
"""

import math
import os
import random
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(ROOT, "assets")


def lerp(a, b, t):
    return a + (b - a) * t


def lerp_rgb(c0, c1, t):
    return tuple(int(round(lerp(x, y, t))) for x, y in zip(c0, c1))


def smoothstep(t):
    t = min(1.0, max(0.0, t))
    return t * t * (3.0 - 2.0 * t)


# ---------------------------------------------------------------------------
# Wallpaper
# ---------------------------------------------------------------------------

WALL_W, WALL_H = 1280, 1024
# The desktop stretches the wallpaper to fill the screen, which on today's
# wide monitors widens it by 1.3-1.5x. The scene is therefore composed on a
# wider canvas and squeezed to 1280 wide at the end, so the moon and the
# star glows come out round once stretched on a 16:10..16:9 screen.
DESIGN_W = 1728
SS = 2  # supersampling factor; the final resize anti-aliases every edge


def sky_gradient(w, h):
    # Colour stops top to bottom: near-black navy, deep blue, a lighter blue
    # haze where the sky meets the hills.
    stops = [
        (0.00, (2, 4, 14)),
        (0.40, (7, 15, 42)),
        (0.72, (18, 38, 86)),
        (0.90, (38, 68, 128)),
        (1.00, (48, 80, 140)),
    ]
    column = Image.new("RGB", (1, h))
    px = column.load()
    for y in range(h):
        t = y / (h - 1)
        for (t0, c0), (t1, c1) in zip(stops, stops[1:]):
            if t <= t1:
                px[0, y] = lerp_rgb(c0, c1, smoothstep((t - t0) / (t1 - t0)))
                break
    return column.resize((w, h), Image.NEAREST)


def milky_way_y(t):
    # Height (fraction of the sky) of the milky way's centre line at x = t.
    return 0.62 - 0.55 * t + 0.06 * math.sin(t * 5.0)


def milky_way(w, h, rng):
    # A faint hazy band running diagonally across the sky: many soft blobs
    # scattered along a gentle curve and blurred into one glow.
    small_w, small_h = w // 8, h // 8
    haze = Image.new("L", (small_w, small_h), 0)
    d = ImageDraw.Draw(haze)
    for _ in range(700):
        t = rng.random()
        x = lerp(-0.05, 1.05, t) * small_w
        y = milky_way_y(t) * small_h
        spread = rng.gauss(0.0, 1.0) * small_h * 0.06
        x += spread * 0.45
        y += spread
        r = rng.uniform(2.0, 7.0)
        d.ellipse((x - r, y - r, x + r, y + r), fill=rng.randint(12, 30))
    haze = haze.filter(ImageFilter.GaussianBlur(small_h * 0.035))
    haze = haze.resize((w, h), Image.BICUBIC)
    return Image.merge("RGB", (
        haze.point(lambda v: v * 55 // 100),
        haze.point(lambda v: v * 70 // 100),
        haze,
    ))


def star_field(w, h, rng, avoid):
    # Stars are scattered uniformly plus a denser sprinkle along the milky
    # way. Brightness follows a steep power law so most stars are faint
    # pinpricks and only a handful stand out; those few get a soft glow.
    stars = Image.new("RGB", (w, h), (0, 0, 0))
    glows = Image.new("RGB", (w, h), (0, 0, 0))
    ds = ImageDraw.Draw(stars)
    dg = ImageDraw.Draw(glows)
    tints = [(255, 255, 255), (200, 215, 255), (255, 240, 215), (220, 230, 255)]
    ax, ay, ar = avoid
    placed = 0
    while placed < 420:
        x = rng.uniform(0, w)
        if placed < 300:
            y = rng.uniform(0, h * 0.86)
        else:
            y = milky_way_y(x / w) * h + rng.gauss(0.0, 1.0) * h * 0.05
        # Fewer stars low in the sky, where the haze washes them out.
        if rng.random() < smoothstep((y / h - 0.55) / 0.3):
            continue
        if math.hypot(x - ax, y - ay) < ar:
            continue
        placed += 1
        level = rng.random() ** 3.0
        bright = int(110 + 145 * level)
        tint = rng.choice(tints)
        colour = tuple(c * bright // 255 for c in tint)
        r = SS * (0.6 + 0.7 * level)
        ds.ellipse((x - r, y - r, x + r, y + r), fill=colour)
        if level > 0.8:
            g = SS * (1.5 + 2.0 * level)
            dim = tuple(c // 2 for c in tint)
            dg.ellipse((x - g, y - g, x + g, y + g), fill=dim)
    glows = glows.filter(ImageFilter.GaussianBlur(SS * 2.5))
    return ImageChops.add(stars, glows)


def moon(w, h, cx, cy, r, rng):
    # Returns (glow layer to add onto the sky, RGBA disk to paste on top).
    glow = Image.new("L", (w, h), 0)
    d = ImageDraw.Draw(glow)
    d.ellipse((cx - r * 1.6, cy - r * 1.6, cx + r * 1.6, cy + r * 1.6), fill=70)
    wide = glow.filter(ImageFilter.GaussianBlur(r * 1.6))
    d.ellipse((cx - r * 1.1, cy - r * 1.1, cx + r * 1.1, cy + r * 1.1), fill=150)
    near = glow.filter(ImageFilter.GaussianBlur(r * 0.35))
    glow = ImageChops.add(wide, near.point(lambda v: v // 2))
    glow_rgb = Image.merge("RGB", (
        glow.point(lambda v: v * 70 // 100),
        glow.point(lambda v: v * 80 // 100),
        glow,
    ))

    # The disk: pale cream, a few greyer "seas" blurred in, and a little
    # darkening towards the rim so it reads as a sphere rather than a coin.
    size = int(r * 2) + 4
    face = Image.new("RGB", (size, size), (236, 234, 218))
    fd = ImageDraw.Draw(face)
    c = size / 2
    for _ in range(9):
        a = rng.uniform(0, 2 * math.pi)
        dist = rng.uniform(0.0, 0.6) * r
        mr = rng.uniform(0.12, 0.3) * r
        mx, my = c + math.cos(a) * dist, c + math.sin(a) * dist
        fd.ellipse((mx - mr, my - mr, mx + mr, my + mr), fill=(206, 207, 200))
    face = face.filter(ImageFilter.GaussianBlur(r * 0.12))
    shade = Image.new("L", (size, size), 0)
    sd = ImageDraw.Draw(shade)
    steps = 24
    for i in range(steps):
        rr = r * (1.0 - i / steps)
        sd.ellipse((c - rr, c - rr, c + rr, c + rr), fill=int(55 * (1 - i / steps) ** 3))
    face = ImageChops.subtract(face, Image.merge("RGB", (shade, shade, shade)))
    mask = Image.new("L", (size, size), 0)
    ImageDraw.Draw(mask).ellipse((c - r, c - r, c + r, c + r), fill=255)
    disk = face.convert("RGBA")
    disk.putalpha(mask)
    return glow_rgb, disk, (int(cx - c), int(cy - c))


def ridge(w, h, rng, base, shape, fill, img):
    # A hill line from a few summed (amplitude, frequency) sine waves with
    # random phases, filled down to the bottom edge.
    waves = [(amp, rng.uniform(0, 2 * math.pi), freq) for amp, freq in shape]
    pts = [(0, h)]
    for x in range(0, w + 8, 8):
        t = x / w
        y = base
        for amp, phase, freq in waves:
            y -= amp * math.sin(t * freq * 2 * math.pi + phase)
        pts.append((x, y * h))
    pts.append((w, h))
    ImageDraw.Draw(img).polygon(pts, fill=fill)


def make_wallpaper(path):
    rng = random.Random(20240611)
    w, h = DESIGN_W * SS, WALL_H * SS

    sky = sky_gradient(w, h)

    sky = ImageChops.add(sky, milky_way(w, h, rng))

    mx, my, mr = w * 0.78, h * 0.17, 46 * SS
    glow, disk, disk_pos = moon(w, h, mx, my, mr, rng)
    sky = ImageChops.add(sky, glow)
    sky = ImageChops.add(sky, star_field(w, h, rng, (mx, my, mr * 2.4)))
    sky.paste(disk, disk_pos, disk)

    # Two ridges: a far one faintly lit by the sky, a near one almost black.
    ridge(w, h, rng, 0.86, [(0.035, 1.3), (0.018, 3.1), (0.007, 7.7)], (14, 24, 52), sky)
    ridge(w, h, rng, 0.93, [(0.028, 0.9), (0.012, 2.3), (0.005, 6.1)], (4, 7, 16), sky)

    out = sky.resize((WALL_W, WALL_H), Image.LANCZOS)
    out.save(path, "JPEG", quality=88, optimize=True, progressive=False)


# ---------------------------------------------------------------------------
# Title strip
# ---------------------------------------------------------------------------

STRIP_W, STRIP_H = 1000, 28
STRIP_BLUE = (0, 64, 200)
STRIP_GREY = (160, 160, 160)
STRIP_YELLOW = (240, 210, 40)


def make_title_strip(path):
    s = 4
    w, h = STRIP_W * s, STRIP_H * s
    row = Image.new("RGB", (w, 1))
    px = row.load()
    for x in range(w):
        t = x / (w - 1)
        if t < 0.5:
            px[x, 0] = lerp_rgb(STRIP_BLUE, STRIP_GREY, t * 2)
        else:
            px[x, 0] = lerp_rgb(STRIP_GREY, STRIP_YELLOW, t * 2 - 1)
    bar = row.resize((w, h), Image.NEAREST)

    # Glossy highlight: white blended in over the top third, strongest at
    # the top edge and fading smoothly to nothing, so the bar looks rounded.
    gloss = Image.new("L", (w, h), 0)
    gd = ImageDraw.Draw(gloss)
    span = h * 0.42
    for y in range(int(span) + 1):
        gd.line((0, y, w, y), fill=int(255 * 0.45 * (1 - smoothstep(y / span))))
    bar = Image.composite(Image.new("RGB", (w, h), (255, 255, 255)), bar, gloss)

    # Semicircular ends; outside them the strip is the white of the panel it
    # sits on, since a 24-bit BMP carries no transparency.
    mask = Image.new("L", (w, h), 0)
    ImageDraw.Draw(mask).rounded_rectangle((0, 0, w - 1, h - 1), radius=h // 2, fill=255)
    out = Image.composite(bar, Image.new("RGB", (w, h), (255, 255, 255)), mask)
    # A box filter averages each 4x4 block exactly, so the edge pixels get
    # their true coverage and every pixel wholly outside stays pure white.
    out = out.resize((STRIP_W, STRIP_H), Image.BOX)
    out.save(path, "BMP")


# ---------------------------------------------------------------------------
# Menu icons
# ---------------------------------------------------------------------------

ICON = 16
K = 8  # icons are drawn at 8x and reduced, which anti-aliases every edge
INK = (16, 24, 52, 255)  # dark navy outline, reads well on a light grey menu
PAPER = (250, 251, 255, 255)


def canvas():
    return Image.new("RGBA", (ICON * K, ICON * K), (0, 0, 0, 0))


def shrink(img):
    return img.resize((ICON, ICON), Image.LANCZOS)


def u(v):
    # Icon coordinates are given on the 16 px grid; scale to the canvas.
    return v * K


def stroke_polygon(d, pts, width, ink, fill):
    # Fill, then trace the outline with round joins so the corners are
    # neither mitred spikes nor notched.
    scaled = [(u(x), u(y)) for x, y in pts]
    if fill:
        d.polygon(scaled, fill=fill)
    wpx = u(width)
    d.line(scaled + [scaled[0]], fill=ink, width=int(wpx))
    rr = wpx / 2
    for x, y in scaled:
        d.ellipse((x - rr, y - rr, x + rr, y + rr), fill=ink)


def icon_menu():
    img = canvas()
    stroke_polygon(ImageDraw.Draw(img), [(2.5, 4.75), (13.5, 4.75), (8, 12.5)], 1.5, INK, PAPER)
    return shrink(img)


def icon_all():
    img = canvas()
    stroke_polygon(ImageDraw.Draw(img), [(4.75, 2.5), (12.5, 8), (4.75, 13.5)], 1.5, INK, PAPER)
    return shrink(img)


def icon_console():
    img = canvas()
    d = ImageDraw.Draw(img)
    # Window over columns 1-14 and rows 2-13: one-pixel border, two-pixel
    # title bar, light body. Everything sits on whole pixels and is reduced
    # with a box filter, so the straight edges stay perfectly sharp.
    d.rectangle((u(1), u(2), u(15) - 1, u(14) - 1), fill=INK)
    d.rectangle((u(2), u(5), u(14) - 1, u(13) - 1), fill=PAPER)
    d.rectangle((u(2), u(3), u(14) - 1, u(5) - 1), fill=(40, 100, 220, 255))
    # Prompt ">_" in the body, placed on whole pixels: at this size a
    # one-pixel staircase chevron reads better than a smoothed one.
    for x, y in ((4, 7), (5, 8), (6, 9), (5, 10), (4, 11)):
        d.rectangle((u(x), u(y), u(x + 1) - 1, u(y + 1) - 1), fill=INK)
    d.rectangle((u(8), u(11), u(12) - 1, u(12) - 1), fill=INK)
    return img.resize((ICON, ICON), Image.BOX)


def icon_power():
    img = canvas()
    d = ImageDraw.Draw(img)
    red = (165, 22, 22, 255)
    w = u(2)
    cx, cy, r = u(8), u(9), u(5)
    # Ring open at the top: PIL angles run clockwise from 3 o'clock, so the
    # gap is centred on 270 degrees. The ring ends get round caps.
    gap = 48
    d.arc((cx - r - w / 2, cy - r - w / 2, cx + r + w / 2, cy + r + w / 2),
          start=270 + gap, end=270 - gap + 360, fill=red, width=int(w))
    for a in (270 + gap, 270 - gap):
        ex = cx + r * math.cos(math.radians(a))
        ey = cy + r * math.sin(math.radians(a))
        d.ellipse((ex - w / 2, ey - w / 2, ex + w / 2, ey + w / 2), fill=red)
    # Vertical bar through the gap, exactly two pixels wide on pixel
    # boundaries so it stays sharp.
    d.rectangle((u(7), u(1), u(9) - 1, u(9) - 1), fill=red)
    return shrink(img)


def glyph_file():
    # A sheet of paper with a folded corner and a few lines of text.
    img = canvas()
    d = ImageDraw.Draw(img)
    stroke_polygon(d, [(3.5, 1.5), (9.5, 1.5), (12.5, 4.5), (12.5, 14.5), (3.5, 14.5)], 1, INK, PAPER)
    stroke_polygon(d, [(9.5, 1.5), (9.5, 4.5), (12.5, 4.5)], 1, INK, (200, 208, 225, 255))
    for y in (7, 9, 11):
        d.rectangle((u(5), u(y), u(11) - 1, u(y) + K - 1), fill=(120, 130, 160, 255))
    return img.resize((ICON, ICON), Image.BOX)


def glyph_program():
    # A program's window: frame, blue title bar, and a body with a small panel.
    img = canvas()
    d = ImageDraw.Draw(img)
    d.rectangle((u(1), u(2), u(15) - 1, u(14) - 1), fill=INK)
    d.rectangle((u(2), u(5), u(14) - 1, u(13) - 1), fill=(236, 238, 244, 255))
    d.rectangle((u(2), u(3), u(14) - 1, u(5) - 1), fill=(40, 100, 220, 255))
    d.rectangle((u(12), u(3), u(13) - 1, u(4) - 1), fill=PAPER)
    d.rectangle((u(4), u(7), u(9) - 1, u(11) - 1), fill=(90, 160, 90, 255))
    d.rectangle((u(10), u(7), u(12) - 1, u(8) - 1), fill=INK)
    d.rectangle((u(10), u(10), u(12) - 1, u(11) - 1), fill=INK)
    return img.resize((ICON, ICON), Image.BOX)


def main():
    os.makedirs(OUT, exist_ok=True)
    make_wallpaper(os.path.join(OUT, "wallpaper.jpg"))
    make_title_strip(os.path.join(OUT, "title-strip.bmp"))
    for name, draw in (("icon-menu", icon_menu), ("icon-all", icon_all),
                       ("icon-console", icon_console), ("icon-power", icon_power),
                       ("glyph-file", glyph_file), ("glyph-program", glyph_program)):
        draw().save(os.path.join(OUT, name + ".png"), "PNG", optimize=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
