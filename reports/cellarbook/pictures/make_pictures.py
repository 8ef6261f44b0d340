#!/usr/bin/python3
# Draws the cellar book's pictures: one drinking-window icon per phase (a wine's life as a
# curve, the phase marked on it in its stage's colour) and the page header's background.
# Run it here to draw them again; the PNGs are what the module builds in.
import math
from PIL import Image, ImageDraw

SCALE = 4  # drawn large, then reduced, for smooth edges
WIDTH, HEIGHT = 60, 48

# Phase, its place along the wine's life (0..1) and its stage colour.
PHASES = [
    ("Hold", 0.03, (70, 100, 170)),
    ("HoldEnding", 0.12, (70, 100, 170)),
    ("DrinkHoldStarting", 0.19, (40, 140, 150)),
    ("DrinkHold", 0.26, (40, 140, 150)),
    ("DrinkHoldEnding", 0.33, (40, 140, 150)),
    ("BestStarting", 0.39, (60, 150, 60)),
    ("BestUp", 0.45, (60, 150, 60)),
    ("PeakStarting", 0.50, (205, 160, 20)),
    ("PeakEnding", 0.56, (205, 160, 20)),
    ("BestDown", 0.62, (60, 150, 60)),
    ("BestEnding", 0.68, (60, 150, 60)),
    ("DecliningStarting", 0.75, (215, 110, 30)),
    ("Declining", 0.81, (215, 110, 30)),
    ("DecliningEnding", 0.87, (215, 110, 30)),
    ("DeadStarting", 0.93, (120, 30, 40)),
    ("Dead", 0.985, (120, 30, 40)),
]


def curve_y(t):
    # A wine's quality over its life: rising to the peak at the middle, falling after it.
    return math.exp(-((t - 0.52) ** 2) / 0.055)


def point(t, w, h, pad):
    x = pad + t * (w - 2 * pad)
    y = h - pad - curve_y(t) * (h - 2.6 * pad)
    return x, y


def icon(place, colour):
    w, h, pad = WIDTH * SCALE, HEIGHT * SCALE, 6 * SCALE
    image = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    draw = ImageDraw.Draw(image)
    draw.line([(pad, h - pad), (w - pad, h - pad)], fill=(150, 150, 150, 255), width=SCALE)
    steps = [i / 100 for i in range(101)]
    whole = [point(t, w, h, pad) for t in steps]
    draw.line(whole, fill=(175, 175, 175, 255), width=2 * SCALE)
    done = [point(t, w, h, pad) for t in steps if t <= place] + [point(place, w, h, pad)]
    if len(done) > 1:
        draw.line(done, fill=colour + (255,), width=3 * SCALE)
    x, y = point(place, w, h, pad)
    r = 6 * SCALE
    draw.ellipse([x - r, y - r, x + r, y + r], fill=colour + (255,), outline=(40, 40, 40, 255),
                 width=SCALE)
    return image.resize((WIDTH, HEIGHT), Image.LANCZOS)


def header():
    w, h = 1200, 90
    image = Image.new("RGB", (w, h))
    draw = ImageDraw.Draw(image)
    left, right = (90, 26, 42), (168, 72, 96)
    for x in range(w):
        f = x / (w - 1)
        draw.line([(x, 0), (x, h)], fill=tuple(int(a + (b - a) * f) for a, b in zip(left, right)))
    draw.rectangle([0, h - 5, w, h], fill=(200, 165, 80))
    return image


for name, place, colour in PHASES:
    icon(place, colour).save(f"{name}.png", dpi=(192, 192), optimize=True)
header().save("BackReportHeader.png", dpi=(144, 144), optimize=True)
