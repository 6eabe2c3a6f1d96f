#!/usr/bin/env python3
"""Draws every image of the program as SVG and renders it to PNG.

    python3 make_images.py            # writes svg/*.svg, ../images/*.png and *@2x.png,
                                      # and the program's icon into data/icons/

Needs rsvg-convert (Debian package librsvg2-bin) and the DejaVu fonts for the digits
and letters. The PNGs are committed, so building the program does not need this.
"""

import math
import os
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
SVG_DIR = os.path.join(HERE, "svg")
PNG_DIR = os.path.join(HERE, "..", "images")
# The program's icon for the desktop, in the folder layout of the icon theme it is
# installed into: the window's radar picture, scalable and at the sizes menus and
# file managers ask for.
ICON_DIR = os.path.join(HERE, "..", "..", "..", "..", "data", "icons", "hicolor")
PROGRAM_ICON = "radar"
PROGRAM_ICON_SIZES = (48, 256)

INK = "#27323f"          # outlines
PAPER = "#ffffff"
BLUE = "#2f6fb5"
LIGHT_BLUE = "#8cbcec"
GREEN = "#2e9d46"
RED = "#d23b2f"
ORANGE = "#f08a1c"
YELLOW = "#f4c430"
GREY = "#8b949e"
LIGHT_GREY = "#d5dae0"
OUT1 = "#ffff80"         # field colours of the view: Out1, Out2, Out3
OUT2 = "#ff8000"
OUT3 = "#ff0000"
FONT = "DejaVu Sans"

images = {}              # name -> (width, height, svg body)


def image(name, body, width=64, height=64):
    images[name] = (width, height, body)


def path(d, fill="none", stroke=INK, width=4, extra=""):
    return (f'<path d="{d}" fill="{fill}" stroke="{stroke}" stroke-width="{width}" '
            f'stroke-linecap="round" stroke-linejoin="round" {extra}/>')


def rect(x, y, w, h, fill, stroke=INK, width=4, r=0, extra=""):
    return (f'<rect x="{x}" y="{y}" width="{w}" height="{h}" rx="{r}" fill="{fill}" '
            f'stroke="{stroke}" stroke-width="{width}" stroke-linejoin="round" {extra}/>')


def circle(cx, cy, r, fill, stroke=INK, width=4, extra=""):
    return (f'<circle cx="{cx}" cy="{cy}" r="{r}" fill="{fill}" stroke="{stroke}" '
            f'stroke-width="{width}" {extra}/>')


def line(x1, y1, x2, y2, stroke=INK, width=4, extra=""):
    return (f'<line x1="{x1}" y1="{y1}" x2="{x2}" y2="{y2}" stroke="{stroke}" '
            f'stroke-width="{width}" stroke-linecap="round" {extra}/>')


def text(x, y, s, size, fill=PAPER, weight="bold"):
    return (f'<text x="{x}" y="{y}" font-family="{FONT}" font-size="{size}" '
            f'font-weight="{weight}" fill="{fill}" text-anchor="middle" '
            f'dominant-baseline="central">{s}</text>')


def polygon(points, fill, stroke=INK, width=4, extra=""):
    pts = " ".join(f"{x:.2f},{y:.2f}" for x, y in points)
    return (f'<polygon points="{pts}" fill="{fill}" stroke="{stroke}" stroke-width="{width}" '
            f'stroke-linejoin="round" {extra}/>')


def polyline(points, stroke, width=4, extra=""):
    pts = " ".join(f"{x:.2f},{y:.2f}" for x, y in points)
    return (f'<polyline points="{pts}" fill="none" stroke="{stroke}" stroke-width="{width}" '
            f'stroke-linecap="round" stroke-linejoin="round" {extra}/>')


def arrow_head(x, y, angle_deg, size, fill):
    """A filled triangle whose tip is at (x, y), pointing along angle_deg (screen)."""
    a = math.radians(angle_deg)
    back = (x - size * math.cos(a), y - size * math.sin(a))
    nx, ny = -math.sin(a), math.cos(a)
    half = size * 0.6
    return polygon([(x, y), (back[0] + nx * half, back[1] + ny * half),
                    (back[0] - nx * half, back[1] - ny * half)], fill, stroke=fill, width=1)


def arc_path(cx, cy, r, start_deg, end_deg):
    """SVG arc from start to end angle, screen angles (clockwise, 0 = right)."""
    a0, a1 = math.radians(start_deg), math.radians(end_deg)
    x0, y0 = cx + r * math.cos(a0), cy + r * math.sin(a0)
    x1, y1 = cx + r * math.cos(a1), cy + r * math.sin(a1)
    sweep = (end_deg - start_deg) % 360
    large = 1 if sweep > 180 else 0
    return f"M {x0:.2f} {y0:.2f} A {r} {r} 0 {large} 1 {x1:.2f} {y1:.2f}"


def pie(cx, cy, r, start_deg, end_deg, fill, stroke=INK, width=3):
    a0, a1 = math.radians(start_deg), math.radians(end_deg)
    sweep = (end_deg - start_deg) % 360
    large = 1 if sweep > 180 else 0
    d = (f"M {cx} {cy} L {cx + r * math.cos(a0):.2f} {cy + r * math.sin(a0):.2f} "
         f"A {r} {r} 0 {large} 1 {cx + r * math.cos(a1):.2f} {cy + r * math.sin(a1):.2f} Z")
    return path(d, fill=fill, stroke=stroke, width=width)


def gear(cx, cy, r_out, r_in, teeth, fill, hole_r, width=3):
    pts = []
    for i in range(teeth * 4):
        a = 2 * math.pi * i / (teeth * 4)
        r = r_out if (i % 4) in (1, 2) else r_in
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return polygon(pts, fill, width=width) + circle(cx, cy, hole_r, PAPER, width=width)


def document(x, y, w, h, fold=12, fill=PAPER, lines=True):
    d = (f"M {x} {y} L {x + w - fold} {y} L {x + w} {y + fold} L {x + w} {y + h} "
         f"L {x} {y + h} Z")
    out = path(d, fill=fill, width=3.5)
    out += path(f"M {x + w - fold} {y} L {x + w - fold} {y + fold} L {x + w} {y + fold}",
                width=3)
    if lines:
        for i in range(3):
            ly = y + fold + 8 + i * 8
            if ly < y + h - 4:
                out += line(x + 7, ly, x + w - 8, ly, stroke=GREY, width=3)
    return out


def scanner(cx, cy, s=1.0):
    """The laser scanner seen from above: a dark body with a yellow window."""
    return (rect(cx - 9 * s, cy - 9 * s, 18 * s, 18 * s, "#3c4652", width=2.5 * s, r=4 * s)
            + rect(cx - 6 * s, cy - 6 * s, 12 * s, 5 * s, YELLOW, stroke=YELLOW, width=1))


def lamp(fill_dark, fill_light, label, label_fill=PAPER):
    gradient = (f'<defs><radialGradient id="g" cx="0.38" cy="0.32" r="0.75">'
                f'<stop offset="0" stop-color="{fill_light}"/>'
                f'<stop offset="1" stop-color="{fill_dark}"/></radialGradient></defs>')
    return (gradient + circle(32, 32, 29, "url(#g)", stroke=INK, width=4)
            + text(32, 34, label, 34, fill=label_fill))


# --- File ------------------------------------------------------------------------

image("newFile", document(10, 6, 36, 48)
      + circle(46, 46, 14, GREEN, stroke=PAPER, width=3)
      + line(46, 38, 46, 54, stroke=PAPER, width=4) + line(38, 46, 54, 46, stroke=PAPER, width=4))

image("openFile",
      path("M 6 14 L 24 14 L 29 20 L 54 20 L 54 52 L 6 52 Z", fill="#d99a1e", width=3.5)
      + path("M 6 52 L 14 28 L 62 28 L 54 52 Z", fill=YELLOW, width=3.5))


def floppy(x, y, s):
    return (path(f"M {x} {y} L {x + 40 * s} {y} L {x + 48 * s} {y + 8 * s} L {x + 48 * s} "
                 f"{y + 48 * s} L {x} {y + 48 * s} Z", fill=BLUE, width=3.5)
            + rect(x + 10 * s, y, 26 * s, 16 * s, LIGHT_GREY, width=3)
            + rect(x + 27 * s, y + 3 * s, 5 * s, 9 * s, INK, width=1)
            + rect(x + 8 * s, y + 26 * s, 32 * s, 22 * s, PAPER, width=3))


image("Save", floppy(8, 8, 1.0))
image("Save_as", floppy(4, 4, 0.85)
      + path("M 36 60 L 40 48 L 58 30 L 62 34 L 44 52 Z", fill=ORANGE, width=3)
      + path("M 36 60 L 40 48 L 44 52 Z", fill="#f6d7a7", width=2))

image("application-exit",
      rect(8, 6, 30, 52, "#b07a45", width=3.5, r=2) + circle(31, 33, 2.5, INK, width=1)
      + line(30, 32, 50, 32, stroke=RED, width=6) + arrow_head(62, 32, 0, 16, RED))

image("signout",
      path("M 30 8 L 10 8 L 10 56 L 30 56", width=5, stroke=GREY)
      + line(22, 32, 46, 32, stroke=BLUE, width=6) + arrow_head(60, 32, 0, 18, BLUE))

# --- Edit ------------------------------------------------------------------------

image("Undo", path("M 18 26 L 40 26 A 16 15 0 0 1 40 56 L 22 56", stroke=BLUE, width=6)
      + arrow_head(4, 26, 180, 18, BLUE))
image("Redot", path("M 46 26 L 24 26 A 16 15 0 0 0 24 56 L 42 56", stroke=BLUE, width=6)
      + arrow_head(60, 26, 0, 18, BLUE))

image("copy", document(6, 4, 32, 40, fill=LIGHT_GREY, lines=False)
      + document(24, 20, 32, 40))

image("cut",
      line(20, 6, 42, 44, stroke=GREY, width=5) + line(44, 6, 22, 44, stroke=GREY, width=5)
      + circle(17, 50, 9, PAPER, stroke=RED, width=5) + circle(47, 50, 9, PAPER, stroke=RED, width=5)
      + circle(32, 25, 2.5, INK, width=1))

image("paste",
      rect(8, 10, 40, 50, "#b07a45", width=3.5, r=4)
      + rect(18, 4, 20, 12, LIGHT_GREY, width=3, r=3)
      + document(26, 24, 32, 38))

image("Delete", document(8, 4, 36, 48)
      + line(34, 34, 58, 58, stroke=RED, width=7) + line(58, 34, 34, 58, stroke=RED, width=7))


def trash(x, y, s=1.0, fill=LIGHT_GREY):
    return (path(f"M {x + 6 * s} {y + 14 * s} L {x + 10 * s} {y + 52 * s} L {x + 38 * s} "
                 f"{y + 52 * s} L {x + 42 * s} {y + 14 * s} Z", fill=fill, width=3.5)
            + line(x + 2 * s, y + 10 * s, x + 46 * s, y + 10 * s, width=4.5)
            + path(f"M {x + 17 * s} {y + 9 * s} L {x + 17 * s} {y + 3 * s} L {x + 31 * s} "
                   f"{y + 3 * s} L {x + 31 * s} {y + 9 * s}", width=3.5)
            + line(x + 18 * s, y + 20 * s, x + 19 * s, y + 45 * s, stroke=GREY, width=3)
            + line(x + 30 * s, y + 20 * s, x + 29 * s, y + 45 * s, stroke=GREY, width=3))


image("deleteAll", trash(8, 6) + circle(48, 46, 12, RED, stroke=PAPER, width=3)
      + line(42, 40, 54, 52, stroke=PAPER, width=4) + line(54, 40, 42, 52, stroke=PAPER, width=4))

image("settings", gear(32, 32, 28, 20, 9, GREY, 9))

# --- View ------------------------------------------------------------------------

image("distance",
      line(32, 52, 10, 26, stroke=GREY, width=2) + line(32, 52, 32, 10, stroke=GREY, width=2)
      + line(32, 52, 54, 24, stroke=GREY, width=2)
      + polyline([(4, 34), (10, 26), (18, 22), (24, 14), (32, 10), (40, 14), (46, 12),
                  (54, 24), (60, 32)], stroke=GREEN, width=5)
      + scanner(32, 52, 0.8))

image("Intensity",
      "".join(rect(6 + i * 11, 58 - h, 8, h, c, width=2.5)
              for i, (h, c) in enumerate([(16, "#7b5cd6"), (30, "#9a4fd0"), (46, "#c23fb0"),
                                          (38, "#c23fb0"), (22, "#9a4fd0")]))
      + line(3, 60, 61, 60, width=3))

image("dataTable",
      rect(6, 8, 52, 48, PAPER, width=3.5, r=2) + rect(6, 8, 52, 12, BLUE, width=3.5, r=2)
      + line(6, 32, 58, 32, width=2.5) + line(6, 44, 58, 44, width=2.5)
      + line(24, 8, 24, 56, width=2.5) + line(41, 8, 41, 56, width=2.5))

image("Edition",
      path("M 10 54 L 14 40 L 44 10 L 54 20 L 24 50 Z", fill=YELLOW, width=3.5)
      + path("M 44 10 L 48 6 L 58 16 L 54 20 Z", fill="#e88a9a", width=3.5)
      + path("M 10 54 L 14 40 L 24 50 Z", fill="#f6d7a7", width=3)
      + path("M 10 54 L 12 47 L 17 52 Z", fill=INK, width=1.5))

image("monitor",
      path("M 4 32 Q 32 6 60 32 Q 32 58 4 32 Z", fill=PAPER, width=4)
      + circle(32, 32, 11, BLUE, width=3) + circle(32, 32, 4.5, INK, width=1)
      + circle(28, 28, 2.5, PAPER, stroke=PAPER, width=1))

image("SensorSetting",
      rect(10, 8, 34, 46, "#3c4652", width=3.5, r=9) + rect(14, 16, 26, 12, YELLOW, stroke=YELLOW, width=1, r=3)
      + gear(46, 46, 15, 10.5, 8, GREY, 4.5, width=2.5))

image("Simulation",
      "".join(line(8, 16 + i * 11, 16, 16 + i * 11, width=4) + line(48, 16 + i * 11, 56, 16 + i * 11, width=4)
              for i in range(4))
      + rect(14, 8, 36, 48, "#3c4652", width=3.5, r=4)
      + polygon([(26, 22), (26, 42), (42, 32)], "#5fd36e", stroke="#5fd36e", width=2))

# --- Scan recordings ---------------------------------------------------------------

def scan_outline(s=1.0, dx=0, dy=0):
    pts = [(4, 34), (10, 26), (18, 22), (24, 14), (32, 10), (40, 14), (46, 12), (54, 24), (60, 32)]
    return polyline([(dx + x * s, dy + y * s) for x, y in pts], stroke=GREEN, width=5 * s)


def record_dot(cx, cy, r):
    return circle(cx, cy, r, RED, stroke=PAPER, width=3) + circle(cx, cy, r * 0.45, "#ff9a90", stroke="none", width=0)


image("recordScan", scan_outline(0.8, 0, 2) + scanner(18, 46, 0.7) + record_dot(46, 44, 14))

image("openRecording",
      path("M 6 14 L 24 14 L 29 20 L 54 20 L 54 52 L 6 52 Z", fill="#d99a1e", width=3.5)
      + path("M 6 52 L 14 28 L 62 28 L 54 52 Z", fill=YELLOW, width=3.5)
      + circle(44, 44, 15, GREEN, stroke=PAPER, width=3)
      + polygon([(39, 36), (39, 52), (52, 44)], PAPER, stroke=PAPER, width=1))

image("checkRecording",
      document(6, 4, 36, 50)
      + path("M 44 40 L 50 47 L 61 31", stroke=GREEN, width=6)
      + record_dot(18, 48, 11))

# --- Setting and connections -------------------------------------------------------


def db9(cx, cy, s=1.0, fill=BLUE):
    w_top, w_bot, h = 48 * s, 36 * s, 24 * s
    pts = [(cx - w_top / 2, cy - h / 2), (cx + w_top / 2, cy - h / 2),
           (cx + w_bot / 2, cy + h / 2), (cx - w_bot / 2, cy + h / 2)]
    out = polygon(pts, fill, width=3.5 * s)
    for i in range(5):
        out += circle(cx - 16 * s + i * 8 * s, cy - 5 * s, 2.2 * s, PAPER, stroke=PAPER, width=1)
    for i in range(4):
        out += circle(cx - 12 * s + i * 8 * s, cy + 5 * s, 2.2 * s, PAPER, stroke=PAPER, width=1)
    return out


def rj45(cx, cy, s=1.0, fill=GREEN):
    x, y, w, h = cx - 22 * s, cy - 20 * s, 44 * s, 40 * s
    d = (f"M {x} {y} L {x + w} {y} L {x + w} {y + h - 10 * s} L {cx + 10 * s} {y + h - 10 * s} "
         f"L {cx + 10 * s} {y + h} L {cx - 10 * s} {y + h} L {cx - 10 * s} {y + h - 10 * s} "
         f"L {x} {y + h - 10 * s} Z")
    out = path(d, fill=fill, width=3.5 * s)
    for i in range(6):
        out += line(cx - 15 * s + i * 6 * s, y + 5 * s, cx - 15 * s + i * 6 * s, y + 15 * s,
                    stroke="#f7d774", width=2.5 * s)
    return out


image("Serial", db9(32, 32, 1.2))
image("Ethernet", rj45(32, 32, 1.25))
image("Usartsettingt", db9(28, 24, 1.0) + gear(46, 46, 15, 10.5, 8, GREY, 4.5, width=2.5))
image("EthernetSetting", rj45(26, 26, 1.0) + gear(46, 46, 15, 10.5, 8, GREY, 4.5, width=2.5))


def plug_left(x, y, fill):
    return (line(2, y, x - 10, y, stroke=INK, width=5)
            + rect(x - 12, y - 12, 14, 24, fill, width=3, r=3)
            + line(x + 2, y - 6, x + 10, y - 6, width=4) + line(x + 2, y + 6, x + 10, y + 6, width=4))


def plug_right(x, y, fill):
    return (line(x + 10, y, 62, y, stroke=INK, width=5)
            + rect(x - 2, y - 12, 14, 24, fill, width=3, r=3))


image("connected", plug_left(26, 32, GREEN) + plug_right(36, 32, GREEN)
      + circle(32, 32, 30, "none", stroke=GREEN, width=3, extra='opacity="0.5"'))
image("disconnected", plug_left(18, 36, GREY) + plug_right(44, 28, GREY)
      + line(30, 10, 34, 22, stroke=RED, width=4) + line(22, 14, 28, 24, stroke=RED, width=4)
      + line(38, 46, 42, 56, stroke=RED, width=4))


def device_bar(y):
    return rect(8, y, 48, 12, LIGHT_GREY, width=3.5, r=3) + circle(48, y + 6, 2.5, GREEN, stroke=GREEN, width=1)


image("upload", device_bar(46) + line(32, 42, 32, 20, stroke=GREEN, width=8)
      + arrow_head(32, 2, -90, 22, GREEN))
image("download", device_bar(46) + line(32, 4, 32, 24, stroke=BLUE, width=8)
      + arrow_head(32, 44, 90, 22, BLUE))
# Verify: what the device holds, read back and found the same as the document.
image("verify", device_bar(46)
      + document(14, 2, 28, 36, fold=9, lines=False)
      + polyline([(20, 22), (28, 30), (46, 10)], stroke=GREEN, width=7))

def turning_arrow(cx, cy, r, start_deg, end_deg, colour, width=6, head=16):
    """An arc drawn clockwise on screen with an arrow head leaving its end."""
    end = math.radians(end_deg)
    base = (cx + r * math.cos(end), cy + r * math.sin(end))
    direction = end_deg + 90
    tip = (base[0] + head * 0.8 * math.cos(math.radians(direction)),
           base[1] + head * 0.8 * math.sin(math.radians(direction)))
    return (path(arc_path(cx, cy, r, start_deg, end_deg), stroke=colour, width=width)
            + arrow_head(tip[0], tip[1], direction, head, colour))


image("reboot", turning_arrow(32, 35, 22, -60, 225, ORANGE)
      + line(32, 6, 32, 30, stroke=INK, width=6))

image("Refresh", turning_arrow(32, 32, 22, 190, 330, BLUE)
      + turning_arrow(32, 32, 22, 10, 150, BLUE))

image("information", circle(32, 32, 28, BLUE, stroke=INK, width=3)
      + circle(32, 18, 4.5, PAPER, stroke=PAPER, width=1)
      + rect(28, 27, 8, 22, PAPER, stroke=PAPER, width=1, r=2))

image("about", circle(32, 32, 28, GREEN, stroke=INK, width=3) + text(32, 34, "?", 40))

image("Manual",
      path("M 32 16 Q 18 8 4 12 L 4 54 Q 18 50 32 58 Z", fill=PAPER, width=3.5)
      + path("M 32 16 Q 46 8 60 12 L 60 54 Q 46 50 32 58 Z", fill=PAPER, width=3.5)
      + "".join(line(10, 22 + i * 8, 26, 24 + i * 8, stroke=BLUE, width=2.5) for i in range(4))
      + "".join(line(38, 24 + i * 8, 54, 22 + i * 8, stroke=BLUE, width=2.5) for i in range(4)))

# --- Display ---------------------------------------------------------------------

image("DispGraph",
      pie(32, 50, 30, 195, 345, OUT1, width=2.5) + pie(32, 50, 21, 200, 340, OUT2, width=2.5)
      + pie(32, 50, 12, 205, 335, OUT3, width=2.5) + circle(32, 50, 4, INK, width=1))

cloud_pts = [(32 + r * math.cos(math.radians(a)), 48 - r * math.sin(math.radians(a)))
             for a, r in [(10, 26), (25, 30), (40, 24), (55, 32), (70, 28), (85, 34),
                          (100, 30), (115, 26), (130, 31), (145, 27), (160, 29), (172, 24)]]
image("DispCloud", "".join(circle(x, y, 3.2, GREEN, stroke=GREEN, width=1) for x, y in cloud_pts)
      + scanner(32, 52, 0.7))
image("DispLine", polyline(cloud_pts, stroke=GREEN, width=4)
      + "".join(circle(x, y, 2.5, INK, width=1) for x, y in cloud_pts[::2])
      + scanner(32, 52, 0.7))

# --- Language --------------------------------------------------------------------


def star(cx, cy, r, rotation_deg=-90):
    pts = []
    for i in range(10):
        rr = r if i % 2 == 0 else r * 0.4
        a = math.radians(rotation_deg + i * 36)
        pts.append((cx + rr * math.cos(a), cy + rr * math.sin(a)))
    return polygon(pts, "#ffde00", stroke="#ffde00", width=0.5)


image("China", rect(2, 12, 60, 40, "#de2910", stroke=INK, width=2)
      + star(14, 24, 7) + star(25, 16, 2.6, -50) + star(29, 21, 2.6, -70)
      + star(29, 28, 2.6, -90) + star(25, 33, 2.6, -110))

image("English",
      '<clipPath id="f"><rect x="2" y="12" width="60" height="40"/></clipPath>'
      '<g clip-path="url(#f)">'
      + rect(2, 12, 60, 40, "#012169", stroke="none", width=0)
      + line(2, 12, 62, 52, stroke=PAPER, width=8) + line(62, 12, 2, 52, stroke=PAPER, width=8)
      + line(2, 12, 62, 52, stroke="#c8102e", width=3) + line(62, 12, 2, 52, stroke="#c8102e", width=3)
      + line(32, 12, 32, 52, stroke=PAPER, width=12) + line(2, 32, 62, 32, stroke=PAPER, width=12)
      + line(32, 12, 32, 52, stroke="#c8102e", width=7) + line(2, 32, 62, 32, stroke="#c8102e", width=7)
      + '</g>' + rect(2, 12, 60, 40, "none", stroke=INK, width=2))

# --- Help and logo ---------------------------------------------------------------

radar_defs = ('<defs><linearGradient id="sweep" x1="0" y1="0" x2="1" y2="1">'
              '<stop offset="0" stop-color="#7dff9a" stop-opacity="0.9"/>'
              '<stop offset="1" stop-color="#7dff9a" stop-opacity="0.1"/></linearGradient></defs>')
image("radar", radar_defs + circle(48, 48, 44, "#0f2a3d", stroke=INK, width=4)
      + circle(48, 48, 30, "none", stroke="#3fbf62", width=2.5)
      + circle(48, 48, 16, "none", stroke="#3fbf62", width=2.5)
      + line(6, 48, 90, 48, stroke="#3fbf62", width=1.5) + line(48, 6, 48, 90, stroke="#3fbf62", width=1.5)
      + pie(48, 48, 42, 250, 305, "url(#sweep)", stroke="none", width=0)
      + line(48, 48, 48 + 42 * math.cos(math.radians(305)), 48 + 42 * math.sin(math.radians(305)),
             stroke="#a8ffb8", width=3)
      + circle(66, 26, 4, "#ffde00", stroke="none", width=0)
      + circle(30, 62, 3, "#ffde00", stroke="none", width=0), 96, 96)

image("ConnectSensor",
      rect(6, 8, 46, 34, "#3c4652", width=3.5, r=3) + rect(11, 13, 36, 24, LIGHT_BLUE, stroke="none", width=0)
      + rect(20, 44, 18, 5, GREY, width=2) + rect(12, 50, 34, 6, GREY, width=2.5, r=2)
      + line(62, 22, 96, 22, stroke=GREEN, width=5) + arrow_head(108, 22, 0, 14, GREEN)
      + line(110, 40, 76, 40, stroke=BLUE, width=5) + arrow_head(64, 40, 180, 14, BLUE)
      + rect(120, 10, 32, 44, "#3c4652", width=3.5, r=9)
      + rect(124, 18, 24, 11, YELLOW, stroke=YELLOW, width=1, r=3), 160, 64)

# --- Zoom ------------------------------------------------------------------------


def magnifier(sign):
    out = (line(40, 40, 58, 58, stroke=INK, width=9) + circle(26, 26, 19, "#e8f2fc", stroke=INK, width=5)
           + line(16, 26, 36, 26, stroke=BLUE, width=5))
    if sign == "+":
        out += line(26, 16, 26, 36, stroke=BLUE, width=5)
    return out


image("Zoom_in", magnifier("+"))
image("Zoom_out", magnifier("-"))

# --- Shape buttons ---------------------------------------------------------------
# The scanner sits at the bottom; fields open upwards, as in the view.

ORIGIN = (32, 56)
previous_field = [ORIGIN, (6, 50), (4, 24), (16, 8), (34, 4), (52, 10), (60, 30), (58, 50)]


def field_outline(points):
    return polygon(points, "none", stroke="#b39a20", width=2.5, extra='stroke-dasharray="5 4"')


def origin_dot():
    return circle(ORIGIN[0], ORIGIN[1], 4, INK, width=1)


image("Polygon", polygon([ORIGIN, (8, 46), (6, 22), (22, 8), (40, 14), (56, 6), (58, 44)],
                          OUT1, width=3) + origin_dot()
      + "".join(circle(x, y, 3, INK, width=1) for x, y in [(8, 46), (6, 22), (22, 8), (40, 14), (56, 6), (58, 44)]))
image("round", pie(ORIGIN[0], ORIGIN[1], 46, 210, 330, OUT1, width=3) + origin_dot())
image("Rectangle", rect(10, 8, 44, 40, OUT1, width=3) + line(32, 48, ORIGIN[0], ORIGIN[1], width=2)
      + origin_dot())

straight_cut = 28
clip_below = f'<clipPath id="s"><rect x="0" y="{straight_cut}" width="64" height="64"/></clipPath>'
image("Straight", clip_below + field_outline(previous_field)
      + f'<g clip-path="url(#s)">' + polygon(previous_field, OUT2, width=3) + '</g>'
      + line(2, straight_cut, 62, straight_cut, stroke=INK, width=4) + origin_dot())

fan_r = 26
image("Fan", f'<clipPath id="c"><circle cx="{ORIGIN[0]}" cy="{ORIGIN[1]}" r="{fan_r}"/></clipPath>'
      + field_outline(previous_field)
      + '<g clip-path="url(#c)">' + polygon(previous_field, OUT2, width=0) + '</g>'
      + path(arc_path(ORIGIN[0], ORIGIN[1], fan_r, 180, 360), stroke=INK, width=4)
      + origin_dot())

ratio = 0.55
scaled = [(ORIGIN[0] + (x - ORIGIN[0]) * ratio, ORIGIN[1] + (y - ORIGIN[1]) * ratio)
          for x, y in previous_field[1:]]
image("Ratio", field_outline(previous_field)
      + polygon([ORIGIN] + scaled, OUT2, width=3)
      + line(16, 8, 20, 20, stroke=INK, width=2.5) + arrow_head(23, 28, 71, 9, INK)
      + origin_dot())

# --- Lamps -----------------------------------------------------------------------

for n in range(1, 7):
    image(f"Gray{n}", lamp("#6d747c", "#c9cdd2", str(n)))
    image(f"Green{n}", lamp("#167a2c", "#7ef08f", str(n)))
image("Yellow1", lamp("#c9a300", "#fff48a", "1", label_fill=INK))
image("Orange2", lamp("#c45f00", "#ffc07a", "2"))
image("Red3", lamp("#a81010", "#ff8a80", "3"))
image("GrayFault", lamp("#6d747c", "#c9cdd2", "!"))
image("GreenFault", lamp("#167a2c", "#7ef08f", "!"))
# The scanner's own status beside its text in the status strip: nothing reported yet,
# running normally, reporting a fault.
image("StatusGray", lamp("#6d747c", "#c9cdd2", ""))
image("StatusGreen", lamp("#167a2c", "#7ef08f", ""))
image("StatusRed", lamp("#a81010", "#ff8a80", "!"))


def write_program_icon():
    scalable = os.path.join(ICON_DIR, "scalable", "apps")
    os.makedirs(scalable, exist_ok=True)
    svg_path = os.path.join(scalable, "veltrix.svg")
    with open(os.path.join(SVG_DIR, PROGRAM_ICON + ".svg"), encoding="utf-8") as f:
        svg = f.read()
    with open(svg_path, "w", encoding="utf-8") as f:
        f.write(svg)
    for size in PROGRAM_ICON_SIZES:
        folder = os.path.join(ICON_DIR, f"{size}x{size}", "apps")
        os.makedirs(folder, exist_ok=True)
        subprocess.run(["rsvg-convert", "-w", str(size), "-h", str(size),
                        "-o", os.path.join(folder, "veltrix.png"), svg_path], check=True)
    print(f"The program's icon written to {os.path.normpath(ICON_DIR)}")


def main():
    os.makedirs(SVG_DIR, exist_ok=True)
    os.makedirs(PNG_DIR, exist_ok=True)
    for name, (w, h, body) in sorted(images.items()):
        svg = (f'<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" '
               f'viewBox="0 0 {w} {h}">\n{body}\n</svg>\n')
        svg_path = os.path.join(SVG_DIR, name + ".svg")
        with open(svg_path, "w", encoding="utf-8") as f:
            f.write(svg)
        # name.png at the nominal size and name@2x.png at twice that, which the
        # toolkit picks by itself on high-density screens.
        for suffix, factor in (("", 1), ("@2x", 2)):
            subprocess.run(["rsvg-convert", "-w", str(w * factor), "-h", str(h * factor),
                            "-o", os.path.join(PNG_DIR, name + suffix + ".png"), svg_path],
                           check=True)
    print(f"{len(images)} images (and their @2x variants) written to "
          f"{os.path.normpath(PNG_DIR)}")
    write_program_icon()
    return 0


if __name__ == "__main__":
    sys.exit(main())
