#!/usr/bin/python3
"""Draws all of VEK Desktop's artwork from SVG sources written by this script.

Every picture is composed here as SVG text, rasterised with rsvg-convert and
stored with ImageMagick's convert (which also fixes the PNG colour type and
drops time chunks), so two runs give byte-identical files.

Usage:
  generate.py              write into resources/ and docs/ of this repository
  generate.py --out DIR    write the same tree under DIR
  generate.py --check      regenerate into a temporary folder and list every
                           committed file that differs or is missing (exit 1)

Needs only Python 3's standard library plus rsvg-convert (librsvg2-bin) and
convert (imagemagick). Text uses DejaVu Sans / Liberation Sans.
"""

import argparse
import base64
import math
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import zlib
import threading
from concurrent.futures import Future, ThreadPoolExecutor

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.normpath(os.path.join(HERE, "..", ".."))
FONT = "DejaVu Sans"

# --------------------------------------------------------------------------
# palette: (light top, dark bottom) pairs, Fluent-like
# --------------------------------------------------------------------------
PAL = {
    "blue": ("#4C9BF5", "#1660D0"),
    "sky": ("#43C2F5", "#0A86CC"),
    "teal": ("#2FCCB8", "#0B8D86"),
    "green": ("#5BD27A", "#1E9B45"),
    "amber": ("#FFC94A", "#E89A0C"),
    "orange": ("#FF9F48", "#E25E18"),
    "red": ("#F8646A", "#C8232E"),
    "pink": ("#F06AC4", "#B42E92"),
    "purple": ("#A07BFA", "#6438D6"),
    "indigo": ("#6E86F7", "#3747C4"),
    "slate": ("#7E8DA3", "#47536A"),
    "night": ("#4A5A7A", "#1E2740"),
}
ACCENT = "#1F6FE0"
MENU_BODY = "#F6F7F9"
MENU_EDGE = "#AEB6C2"
INK = "#1E2430"


def mix(a, b, t):
    """Blend two #rrggbb colours."""
    pa = [int(a[i:i + 2], 16) for i in (1, 3, 5)]
    pb = [int(b[i:i + 2], 16) for i in (1, 3, 5)]
    return "#" + "".join("%02X" % round(x + (y - x) * t) for x, y in zip(pa, pb))


def n(v):
    """Format a coordinate compactly and deterministically."""
    s = "%.2f" % v
    return s.rstrip("0").rstrip(".") if "." in s else s


# --------------------------------------------------------------------------
# SVG document builder
# --------------------------------------------------------------------------
class Svg:
    def __init__(self, w, h, vw=None, vh=None):
        self.w, self.h = w, h
        self.vw, self.vh = vw or w, vh or h
        self.defs, self.items, self.count = [], [], 0

    def uid(self, prefix="d"):
        self.count += 1
        return "%s%d" % (prefix, self.count)

    @staticmethod
    def _stops(stops):
        out = []
        for s in stops:
            off, col = s[0], s[1]
            op = s[2] if len(s) > 2 else 1
            out.append('<stop offset="%s" stop-color="%s" stop-opacity="%s"/>' % (n(off), col, n(op)))
        return "".join(out)

    def lin(self, stops, x1=0, y1=0, x2=0, y2=1, user=False):
        gid = self.uid("g")
        units = ' gradientUnits="userSpaceOnUse"' if user else ""
        self.defs.append('<linearGradient id="%s" x1="%s" y1="%s" x2="%s" y2="%s"%s>%s</linearGradient>'
                         % (gid, n(x1), n(y1), n(x2), n(y2), units, self._stops(stops)))
        return "url(#%s)" % gid

    def rad(self, stops, cx=0.5, cy=0.5, r=0.5, fx=None, fy=None, user=False):
        gid = self.uid("g")
        units = ' gradientUnits="userSpaceOnUse"' if user else ""
        fx = cx if fx is None else fx
        fy = cy if fy is None else fy
        self.defs.append('<radialGradient id="%s" cx="%s" cy="%s" r="%s" fx="%s" fy="%s"%s>%s</radialGradient>'
                         % (gid, n(cx), n(cy), n(r), n(fx), n(fy), units, self._stops(stops)))
        return "url(#%s)" % gid

    def shadow(self, blur, dy, alpha, color="#000000", dx=0):
        fid = self.uid("f")
        self.defs.append(
            '<filter id="%s" x="-30%%" y="-30%%" width="160%%" height="170%%" color-interpolation-filters="sRGB">'
            '<feGaussianBlur in="SourceAlpha" stdDeviation="%s"/><feOffset dx="%s" dy="%s" result="o"/>'
            '<feFlood flood-color="%s" flood-opacity="%s"/><feComposite in2="o" operator="in"/>'
            '<feMerge><feMergeNode/><feMergeNode in="SourceGraphic"/></feMerge></filter>'
            % (fid, n(blur), n(dx), n(dy), color, n(alpha)))
        return "url(#%s)" % fid

    def blur(self, sd):
        fid = self.uid("f")
        self.defs.append('<filter id="%s" x="-50%%" y="-50%%" width="200%%" height="200%%">'
                         '<feGaussianBlur stdDeviation="%s"/></filter>' % (fid, n(sd)))
        return "url(#%s)" % fid

    def mask(self, content):
        mid = self.uid("m")
        self.defs.append('<mask id="%s" maskUnits="userSpaceOnUse" x="-10000" y="-10000" width="20000" '
                         'height="20000">%s</mask>' % (mid, content))
        return "url(#%s)" % mid

    def clip(self, content):
        cid = self.uid("c")
        self.defs.append('<clipPath id="%s">%s</clipPath>' % (cid, content))
        return "url(#%s)" % cid

    def add(self, *parts):
        self.items.extend(parts)

    def image(self, png, x, y, w=None, h=None, extra=""):
        pw, ph = png_size(png)
        self.add('<image x="%s" y="%s" width="%s" height="%s" preserveAspectRatio="none" %s'
                 'xlink:href="data:image/png;base64,%s"/>'
                 % (n(x), n(y), n(w or pw), n(h or ph), extra, base64.b64encode(png).decode("ascii")))

    def text(self, x, y, s, size=12, fill=INK, weight="normal", anchor="start", family=FONT, extra=""):
        s = s.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")
        self.add('<text x="%s" y="%s" font-family="%s" font-size="%s" font-weight="%s" fill="%s" '
                 'text-anchor="%s" %s>%s</text>' % (n(x), n(y), family, n(size), weight, fill, anchor, extra, s))

    def svg(self):
        return ('<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" '
                'width="%d" height="%d" viewBox="0 0 %s %s"><defs>%s</defs>%s</svg>'
                % (self.w, self.h, n(self.vw), n(self.vh), "".join(self.defs), "".join(self.items)))


# --------------------------------------------------------------------------
# rendering and file writing
# --------------------------------------------------------------------------
def rsvg(svg_text, w, h):
    """Rasterise SVG text to PNG bytes of exactly w x h pixels."""
    r = subprocess.run(["rsvg-convert", "-w", str(w), "-h", str(h), "-f", "png"],
                       input=svg_text.encode("utf-8"), stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    if r.returncode != 0:
        raise RuntimeError("rsvg-convert failed: " + r.stderr.decode("utf-8", "replace"))
    return r.stdout


def png_size(png):
    return struct.unpack(">II", png[16:24])


def store_png(png, path, opaque=False, bg=MENU_BODY):
    """Write PNG bytes through ImageMagick with a fixed colour type and no time chunks."""
    os.makedirs(os.path.dirname(path), exist_ok=True)
    args = ["convert", "png:-"]
    if opaque:
        args += ["-background", bg, "-alpha", "remove", "-alpha", "off", "-define", "png:color-type=2"]
    else:
        args += ["-define", "png:color-type=6"]
    args += ["-define", "png:bit-depth=8", "-define", "png:exclude-chunks=date,time,bKGD,tEXt,zTXt,iTXt",
             "-define", "png:compression-level=9", "+set", "date:create", "+set", "date:modify",
             "-strip", "png:" + path]
    r = subprocess.run(args, input=png, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    if r.returncode != 0:
        raise RuntimeError("convert failed for %s: %s" % (path, r.stderr.decode("utf-8", "replace")))


def read_png_rgba(png):
    """Decode an 8-bit, non-interlaced RGBA or RGB PNG (as rsvg-convert writes) into rows of RGBA bytes."""
    pos, idat, w, h, ctype = 8, b"", 0, 0, 6
    while pos < len(png):
        length, kind = struct.unpack(">I4s", png[pos:pos + 8])
        body = png[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            w, h, depth, ctype = struct.unpack(">IIBB", body[:10])
            assert depth == 8 and ctype in (2, 6) and body[12] == 0
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    bpp = 4 if ctype == 6 else 3
    stride = w * bpp
    raw = zlib.decompress(idat)
    rows, prev = [], bytearray(stride)
    for y in range(h):
        f = raw[y * (stride + 1)]
        row = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = row[i - bpp] if i >= bpp else 0
            b = prev[i]
            c = prev[i - bpp] if i >= bpp else 0
            if f == 1:
                row[i] = (row[i] + a) & 255
            elif f == 2:
                row[i] = (row[i] + b) & 255
            elif f == 3:
                row[i] = (row[i] + (a + b) // 2) & 255
            elif f == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                pred = a if pa <= pb and pa <= pc else (b if pb <= pc else c)
                row[i] = (row[i] + pred) & 255
        prev = row
        if bpp == 3:
            row = bytearray(b"".join(bytes(row[i:i + 3]) + b"\xff" for i in range(0, stride, 3)))
        rows.append(bytes(row))
    return w, h, rows


def write_ico(images, path):
    """Write a .ico: images is a list of PNG bytes; sizes below 256 become 32-bit DIBs, 256 stays PNG."""
    entries, blobs = [], []
    for png in images:
        w, h = png_size(png)
        if w >= 256:
            blob = png
        else:
            _, _, rows = read_png_rgba(png)
            xor = b"".join(bytes(bytearray(
                v for i in range(0, len(r), 4) for v in (r[i + 2], r[i + 1], r[i], r[i + 3])))
                for r in reversed(rows))
            mask_stride = ((w + 31) // 32) * 4
            and_mask = bytearray()
            for r in reversed(rows):
                bits = bytearray(mask_stride)
                for x in range(w):
                    if r[x * 4 + 3] == 0:
                        bits[x // 8] |= 0x80 >> (x % 8)
                and_mask += bits
            header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, len(xor) + len(and_mask), 0, 0, 0, 0)
            blob = header + xor + bytes(and_mask)
        entries.append((w, h, blob))
    out = struct.pack("<HHH", 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    for w, h, blob in entries:
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    for _, _, blob in entries:
        out += blob
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(out)


# --------------------------------------------------------------------------
# geometry helpers (angles in degrees, 0 = east, clockwise on screen)
# --------------------------------------------------------------------------
def pt(cx, cy, r, a):
    t = math.radians(a)
    return cx + r * math.cos(t), cy + r * math.sin(t)


def arc(cx, cy, r, a0, a1, move=True):
    x0, y0 = pt(cx, cy, r, a0)
    x1, y1 = pt(cx, cy, r, a1)
    large = 1 if abs(a1 - a0) > 180 else 0
    sweep = 1 if a1 > a0 else 0
    return "%s%s,%s A%s,%s 0 %d %d %s,%s" % ("M" if move else "L", n(x0), n(y0), n(r), n(r), large, sweep,
                                             n(x1), n(y1))


def arrowhead(x, y, a, size):
    """Filled triangle with its tip at (x, y) pointing along angle a."""
    p1 = pt(x, y, size, a + 150)
    p2 = pt(x, y, size, a - 150)
    return '<path d="M%s,%s L%s,%s L%s,%s Z" stroke-linejoin="round" stroke-width="3"/>' % (
        n(x), n(y), n(p1[0]), n(p1[1]), n(p2[0]), n(p2[1]))


def star_path(cx, cy, ro, ri, points=5, rot=-90):
    pts = []
    for i in range(points * 2):
        r = ro if i % 2 == 0 else ri
        pts.append(pt(cx, cy, r, rot + i * 180.0 / points))
    return "M" + " L".join("%s,%s" % (n(x), n(y)) for x, y in pts) + " Z"


def sparkle_path(cx, cy, r):
    """Four-pointed sparkle with concave sides."""
    k = r * 0.18
    return ("M%s,%s Q%s,%s %s,%s Q%s,%s %s,%s Q%s,%s %s,%s Q%s,%s %s,%s Z" % (
        n(cx), n(cy - r), n(cx + k), n(cy - k), n(cx + r), n(cy), n(cx + k), n(cy + k), n(cx), n(cy + r),
        n(cx - k), n(cy + k), n(cx - r), n(cy), n(cx - k), n(cy - k), n(cx), n(cy - r)))


def gear_path(cx, cy, ro, ri, teeth):
    pts = []
    step = 360.0 / teeth
    for i in range(teeth):
        a = i * step - 90
        for da, r in ((-step * 0.36, ri), (-step * 0.2, ro), (step * 0.2, ro), (step * 0.36, ri)):
            pts.append(pt(cx, cy, r, a + da))
    return "M" + " L".join("%s,%s" % (n(x), n(y)) for x, y in pts) + " Z"


# --------------------------------------------------------------------------
# glyphs: drawn in a 100 x 100 box, white = ink, black = cut-out (they are used as masks)
# --------------------------------------------------------------------------
def S(w=11):
    return 'fill="none" stroke="#fff" stroke-width="%s" stroke-linecap="round" stroke-linejoin="round"' % n(w)


def SC(w=11):
    return 'fill="none" stroke="#000" stroke-width="%s" stroke-linecap="round" stroke-linejoin="round"' % n(w)


F = 'fill="#fff"'
FC = 'fill="#000"'


def g_grid3(w):
    return "".join('<rect x="%d" y="%d" width="22" height="22" rx="7" %s/>' % (x, y, F)
                   for y in (12, 39, 66) for x in (12, 39, 66))


def g_grid2(w):
    return ('<rect x="12" y="12" width="33" height="33" rx="9" %s/><rect x="55" y="12" width="33" height="33" '
            'rx="9" %s/><rect x="12" y="55" width="33" height="33" rx="9" %s/><rect x="55" y="55" width="33" '
            'height="33" rx="9" %s/>' % (F, F, F, F))


def g_books(w):
    return ('<rect x="10" y="16" width="19" height="68" rx="4" %s/><rect x="34" y="24" width="19" height="60" '
            'rx="4" %s/><g transform="rotate(-16 70 84)"><rect x="60" y="18" width="19" height="66" rx="4" %s/>'
            '</g><path d="M22,30 V40 M45,38 V48" %s/><path d="M6,90 H94" %s/>'
            % (F, F, F, SC(5), S(w * 0.8)))


def g_toolbox(w):
    return ('<path d="M33,30 V19 a7,7 0 0 1 7,-7 H60 a7,7 0 0 1 7,7 V30" %s/>'
            '<rect x="4" y="30" width="92" height="60" rx="12" %s/><path d="M4,56 H96" %s/>'
            '<rect x="40" y="48" width="20" height="16" rx="4" %s/>' % (S(w * 0.95), F, SC(6), F))


def g_office(w):
    return ('<rect x="34" y="8" width="56" height="70" rx="8" %s/>'
            '<rect x="10" y="22" width="58" height="72" rx="8" %s/>'
            '<path d="M22,42 H56 M22,56 H56 M22,70 H44" %s/>' % (S(w * 0.8), F, SC(7)))


def g_globe(w):
    return ('<circle cx="50" cy="50" r="39" %s/><ellipse cx="50" cy="50" rx="16" ry="39" %s/>'
            '<path d="M12,50 H88 M19,30 H81 M19,70 H81" %s/>' % (S(w), S(w * 0.8), S(w * 0.7)))


def g_envelope(w):
    return ('<rect x="8" y="20" width="84" height="60" rx="10" %s/><path d="M20,34 L50,56 L80,34" %s/>'
            % (F, SC(w)))


def g_magnifier(w):
    return '<circle cx="42" cy="42" r="27" %s/><path d="M62,62 L86,86" %s/>' % (S(w * 1.1), S(w * 1.6))


def g_web_search(w):
    return ('<circle cx="42" cy="42" r="29" %s/><ellipse cx="42" cy="42" rx="11" ry="29" %s/>'
            '<path d="M14,42 H70" %s/><path d="M64,64 L88,88" %s/>' % (S(w), S(w * 0.7), S(w * 0.7), S(w * 1.6)))


def monitor(w, screen_fill=False):
    s = '<rect x="8" y="12" width="84" height="60" rx="9" %s/>' % (F if screen_fill else S(w))
    s += '<path d="M50,74 V84 M30,88 H70" %s/>' % S(w)
    return s


def g_desktop(w):
    return monitor(w, True) + "".join(
        '<rect x="%d" y="%d" width="13" height="13" rx="3" %s/>' % (x, y, FC) for x, y in
        ((18, 22), (18, 42), (36, 22)))


def g_person(w, x=50, y=0, s=1.0):
    return ('<g transform="translate(%s %s) scale(%s)"><circle cx="0" cy="30" r="17" %s/>'
            '<path d="M-32,90 C-32,64 -16,56 0,56 C16,56 32,64 32,90 Z" %s/></g>' % (n(x), n(y), n(s), F, F))


def g_usericon(w):
    return (g_person(w, 38, 2, 0.95) +
            '<g transform="rotate(45 74 66)"><rect x="66" y="30" width="16" height="52" rx="3" %s/>'
            '<path d="M66,84 L74,98 L82,84 Z" %s/></g>' % (F, F) +
            '<g transform="rotate(45 74 66)"><rect x="62" y="26" width="24" height="60" rx="5" %s/></g>' % (
                'fill="none" stroke="#000" stroke-width="6"'))


def g_gear(w):
    return ('<path d="%s" fill="#fff" stroke="#fff" stroke-width="6" stroke-linejoin="round"/>'
            '<circle cx="50" cy="50" r="14" %s/>' % (gear_path(50, 50, 44, 32, 8), FC))


def g_info(w):
    return ('<circle cx="50" cy="50" r="40" %s/><circle cx="50" cy="29" r="7" %s/><path d="M50,46 V72" %s/>'
            % (F, FC, SC(w * 1.1)))


def g_minimize(w):
    return ('<rect x="8" y="10" width="84" height="64" rx="10" %s/><path d="M8,28 H92" %s/>'
            '<path d="M30,88 H70" %s/><path d="M50,38 V62 M38,52 L50,64 L62,52" %s/>'
            % (S(w * 0.8), S(w * 0.8), S(w * 1.1), S(w * 0.8)))


def g_hide(w):
    return ('<path d="M6,50 Q50,6 94,50 Q50,94 6,50 Z" %s/><circle cx="50" cy="50" r="14" %s/>'
            '<path d="M18,86 L82,14" %s/><path d="M18,86 L82,14" %s/>' % (S(w * 0.9), F, SC(w * 2.4), S(w)))


def g_exit(w):
    return ('<path d="M46,12 H24 a8,8 0 0 0 -8,8 V80 a8,8 0 0 0 8,8 H46" %s/>'
            '<path d="M40,50 H86 M70,33 L87,50 L70,67" %s/>' % (S(w), S(w)))


def g_switch(w):
    return ('<path d="M14,34 H78 M64,20 L79,34 L64,48" %s/><path d="M86,66 H22 M36,52 L21,66 L36,80" %s/>'
            % (S(w), S(w)))


def g_wand(w):
    return ('<path d="M16,86 L62,40" %s/><path d="%s" %s/><path d="%s" %s/><path d="%s" %s/>'
            % (S(w * 1.3), sparkle_path(72, 28, 22), F, sparkle_path(34, 22, 11), F, sparkle_path(84, 66, 11), F))


def g_lock(w, open_=False):
    shackle = ('<path d="M32,46 V30 a18,18 0 0 1 36,0 V46" %s/>' if not open_ else
               '<path d="M32,46 V26 a18,18 0 0 1 36,0 V32" %s/>') % S(w)
    if open_:
        shackle = '<g transform="translate(14 -6)">%s</g>' % shackle
    return (shackle + '<rect x="18" y="44" width="64" height="48" rx="10" %s/>'
            '<circle cx="50" cy="63" r="7" %s/><path d="M50,64 V76" %s/>' % (F, FC, SC(6)))


def g_power(w):
    return '<path d="%s" %s/><path d="M50,10 V46" %s/>' % (arc(50, 54, 34, -55, 235), S(w * 1.05), S(w * 1.05))


def g_restart(w):
    a0, a1 = -40, 245
    tip = pt(50, 52, 34, a1)
    return ('<path d="%s" %s/><g fill="#fff" stroke="#fff">%s</g>'
            % (arc(50, 52, 34, a0, a1 - 8), S(w * 1.05), arrowhead(tip[0] + 5, tip[1] - 1, a1 + 90 - 10, 28)))


def g_logoff(w):
    return (g_person(w, 34, 4, 0.85) + '<path d="M58,60 H90 M78,48 L90,60 L78,72" %s/>' % S(w * 0.9))


def g_lock_screen(w):
    return (monitor(w, True) + '<path d="M42,42 V36 a8,8 0 0 1 16,0 V42" %s/>'
            '<rect x="36" y="40" width="28" height="22" rx="4" %s/>' % (SC(5), FC))


def g_monitor_off(w):
    return (monitor(w, True) + '<path d="M58,24 a18,18 0 1 0 12,28 a14,14 0 1 1 -12,-28 Z" %s/>' % FC)


def g_chip(w):
    pins = "".join("M%d,8 V20 M%d,80 V92 M8,%d H20 M80,%d H92 " % (v, v, v, v) for v in (34, 50, 66))
    return ('<path d="%s" %s/><rect x="20" y="20" width="60" height="60" rx="10" %s/>'
            '<rect x="36" y="36" width="28" height="28" rx="4" %s/>' % (pins, S(w * 0.7), F, FC))


def g_palette(w):
    return ('<path d="M50,8 C76,8 94,26 94,48 C94,62 84,66 74,64 C64,62 58,68 62,78 C66,90 58,94 50,94 '
            'C26,94 6,74 6,50 C6,26 26,8 50,8 Z" %s/>' % F)


def palette_dots():
    """Coloured paint spots drawn over the palette glyph (in the glyph's box)."""
    return "".join('<circle cx="%d" cy="%d" r="8.5" fill="%s"/>' % (x, y, c) for x, y, c in
                   ((30, 34, "#F04A5A"), (52, 24, "#FFB627"), (74, 36, "#2EC27E"), (26, 58, "#3584E4")))


def g_display(w):
    return (monitor(w, True) + '<path d="M28,60 L72,24" %s/><path d="M26,46 V62 H42 M58,22 H74 V38" %s/>'
            % (SC(w * 0.8), SC(w * 0.8)))


def g_package(w):
    return ('<path d="M50,8 L88,26 V72 L50,92 L12,72 V26 Z" %s/><path d="M12,26 L50,44 L88,26 M50,44 V92" %s/>'
            % (F, SC(5)))


def g_network(w):
    return ('<path d="M50,24 L22,76 M50,24 L78,76 M22,76 H78" %s/><circle cx="50" cy="22" r="14" %s/>'
            '<circle cx="20" cy="78" r="14" %s/><circle cx="80" cy="78" r="14" %s/>' % (S(w * 0.8), F, F, F))


def g_sliders(w):
    out = '<path d="M12,24 H88 M12,50 H88 M12,76 H88" %s/>' % S(w * 0.8)
    for x, y in ((34, 24), (66, 50), (44, 76)):
        out += '<circle cx="%d" cy="%d" r="12" %s/><circle cx="%d" cy="%d" r="4.5" %s/>' % (x, y, F, x, y, FC)
    return out


def g_people(w):
    back = g_person(w, 66, 0, 0.8)
    front = g_person(w, 38, 12, 0.9)
    sep = ('<g transform="translate(38 12) scale(0.9)"><circle cx="0" cy="30" r="17" fill="none" stroke="#000" '
           'stroke-width="9"/><path d="M-32,90 C-32,64 -16,56 0,56 C16,56 32,64 32,90 Z" fill="none" '
           'stroke="#000" stroke-width="9"/></g>')
    return back + sep + front


def g_printer(w):
    return ('<rect x="26" y="8" width="48" height="30" rx="4" %s/>'
            '<rect x="6" y="32" width="88" height="40" rx="10" %s/>'
            '<rect x="24" y="56" width="52" height="38" rx="4" %s/><rect x="28" y="60" width="44" height="30" '
            'rx="2" %s/><path d="M36,70 H64 M36,80 H56" %s/><circle cx="80" cy="44" r="4" %s/>'
            % (S(w * 0.7), F, FC, F, SC(4), FC))


def g_devtree(w):
    return ('<path d="M50,30 V48 M20,48 H80 M20,48 V62 M50,48 V62 M80,48 V62" %s/>'
            '<rect x="32" y="8" width="36" height="26" rx="6" %s/>'
            '<rect x="6" y="62" width="28" height="26" rx="6" %s/><rect x="36" y="62" width="28" height="26" '
            'rx="6" %s/><rect x="66" y="62" width="28" height="26" rx="6" %s/>' % (S(w * 0.7), F, F, F, F))


def g_run(w):
    return ('<rect x="6" y="12" width="88" height="76" rx="11" %s/><path d="M24,38 L40,52 L24,66" %s/>'
            '<path d="M48,68 H74" %s/>' % (F, SC(w * 0.95), SC(w * 0.95)))


def g_wifi(w):
    out = '<circle cx="50" cy="80" r="9" %s/>' % F
    for r in (26, 46, 66):
        out += '<path d="%s" %s/>' % (arc(50, 84, r, -135, -45), S(w * 0.95))
    return out


def g_page(w):
    return ('<path d="M20,8 H60 L82,30 V88 a6,6 0 0 1 -6,6 H20 a6,6 0 0 1 -6,-6 V14 a6,6 0 0 1 6,-6 Z" %s/>'
            '<path d="M58,8 V32 H82" %s/><path d="M28,52 H66 M28,66 H66 M28,80 H54" %s/>'
            % (F, SC(5), SC(6)))


# badge glyphs (same 100 box, drawn bolder)
def b_plus(w):
    return '<path d="M50,20 V80 M20,50 H80" %s/>' % S(w)


def b_minus(w):
    return '<path d="M22,50 H78" %s/>' % S(w)


def b_check(w):
    return '<path d="M22,52 L42,72 L80,32" %s/>' % S(w)


def b_cross(w):
    return '<path d="M28,28 L72,72 M72,28 L28,72" %s/>' % S(w)


def b_warn(w):
    return '<path d="M50,18 V58" %s/><circle cx="50" cy="80" r="%s" %s/>' % (S(w), n(w * 0.62), F)


def b_question(w):
    return ('<path d="M32,34 C32,14 68,14 68,34 C68,48 50,48 50,62" %s/><circle cx="50" cy="84" r="%s" %s/>'
            % (S(w * 0.85), n(w * 0.55), F))


def b_arrow_out(w):
    return '<path d="M28,72 L72,28 M40,28 H72 V60" %s/>' % S(w)


def b_sparkle(w):
    return '<path d="%s" %s/><path d="%s" %s/>' % (sparkle_path(44, 56, 36), F, sparkle_path(80, 22, 16), F)


def b_gear(w):
    return ('<path d="%s" fill="#fff" stroke="#fff" stroke-width="6" stroke-linejoin="round"/>'
            '<circle cx="50" cy="50" r="15" %s/>' % (gear_path(50, 50, 44, 31, 8), FC))


def b_window(w):
    return ('<rect x="10" y="16" width="80" height="68" rx="12" %s/><path d="M10,38 H90" %s/>'
            % (S(w * 0.7), S(w * 0.7)))


def b_lock(w):
    return g_lock(w)


# --------------------------------------------------------------------------
# shared icon pieces
# --------------------------------------------------------------------------
def glyph(d, markup, x, y, size, fill="#fff", shadow=True, shadow_color="#000000"):
    """Paint a glyph (mask markup in a 100 box) at x, y scaled to size pixels."""
    m = d.mask('<g transform="translate(%s %s) scale(%s)">%s</g>' % (n(x), n(y), n(size / 100.0), markup))
    f = ' filter="%s"' % d.shadow(size * 0.02, size * 0.025, 0.28, shadow_color) if shadow else ""
    d.add('<g%s><rect x="%s" y="%s" width="%s" height="%s" fill="%s" mask="%s"/></g>'
          % (f, n(x - 10), n(y - 10), n(size + 20), n(size + 20), fill, m))


def badge(d, color, markup, cx=190, cy=188, r=44, sw=15):
    c1, c2 = PAL[color]
    d.add('<circle cx="%s" cy="%s" r="%s" fill="#fff" filter="%s"/>'
          % (n(cx), n(cy), n(r + 7), d.shadow(4, 3, 0.3)))
    d.add('<circle cx="%s" cy="%s" r="%s" fill="%s"/>'
          % (n(cx), n(cy), n(r), d.lin([(0, c1), (1, c2)])))
    size = r * 1.3
    glyph(d, markup(sw), cx - size / 2, cy - size / 2, size, shadow=False)


def tile(d, color, x=18, y=14, s=220, rx=52):
    c1, c2 = PAL[color]
    d.add('<rect x="%s" y="%s" width="%s" height="%s" rx="%s" fill="%s" filter="%s"/>'
          % (x, y, s, s, rx, d.lin([(0, c1), (1, c2)]), d.shadow(7, 7, 0.35)))
    d.add('<rect x="%s" y="%s" width="%s" height="%s" rx="%s" fill="%s"/>'
          % (x, y, s, s, rx, d.rad([(0, "#ffffff", 0.30), (1, "#ffffff", 0)], cx=0.3, cy=0.0, r=0.9)))
    d.add('<rect x="%s" y="%s" width="%s" height="%s" rx="%s" fill="none" stroke="%s" stroke-width="4"/>'
          % (x + 2, y + 2, s - 4, s - 4, rx - 2,
             d.lin([(0, "#ffffff", 0.55), (0.4, "#ffffff", 0.08), (1, "#ffffff", 0.0)])))
    d.add('<rect x="%s" y="%s" width="%s" height="%s" rx="%s" fill="none" stroke="%s" stroke-opacity="0.45" '
          'stroke-width="2"/>' % (x - 1, y - 1, s + 2, s + 2, rx + 1, mix(c2, "#000000", 0.45)))


def tile_icon(color, markup, badge_args=None, overlay="", sw=11, gsize=124):
    d = Svg(256, 256)
    tile(d, color)
    cx, cy = 128, 124
    if badge_args:
        cx, cy, gsize = 116, 112, gsize * 0.9
    x, y = cx - gsize / 2, cy - gsize / 2
    glyph(d, markup(sw), x, y, gsize, shadow_color=mix(PAL[color][1], "#000000", 0.5))
    if overlay:
        d.add('<g transform="translate(%s %s) scale(%s)">%s</g>' % (n(x), n(y), n(gsize / 100.0), overlay))
    if badge_args:
        badge(d, *badge_args)
    return d


# --------------------------------------------------------------------------
# object icons: folders, drives, bins, documents
# --------------------------------------------------------------------------
def folder(d, emblem=None):
    back = d.lin([(0, "#F2B236"), (1, "#D98E0E")])
    front = d.lin([(0, "#FFE08A"), (0.55, "#FFCB4C"), (1, "#F4AE26")])
    d.add('<path d="M20,64 a18,18 0 0 1 18,-18 H92 q10,0 17,8 l9,10 H218 a18,18 0 0 1 18,18 V206 '
          'a18,18 0 0 1 -18,18 H38 a18,18 0 0 1 -18,-18 Z" fill="%s" filter="%s"/>'
          % (back, d.shadow(7, 7, 0.33)))
    d.add('<rect x="42" y="70" width="172" height="80" rx="8" fill="#FFFFFF"/>'
          '<rect x="42" y="70" width="172" height="80" rx="8" fill="none" stroke="#D9DEE6" stroke-width="2"/>')
    d.add('<path d="M20,104 a18,18 0 0 1 18,-18 H218 a18,18 0 0 1 18,18 V206 a18,18 0 0 1 -18,18 H38 '
          'a18,18 0 0 1 -18,-18 Z" fill="%s"/>' % front)
    d.add('<path d="M22,106 a16,16 0 0 1 16,-16 H218 a16,16 0 0 1 16,16" fill="none" stroke="#FFF5D6" '
          'stroke-width="4" stroke-opacity="0.9"/>')
    d.add('<path d="M20,64 a18,18 0 0 1 18,-18 H92 q10,0 17,8 l9,10 H218 a18,18 0 0 1 18,18 V206 '
          'a18,18 0 0 1 -18,18 H38 a18,18 0 0 1 -18,-18 Z" fill="none" stroke="#9A6200" stroke-opacity="0.45" '
          'stroke-width="2"/>')
    if emblem:
        color, markup, sw = emblem
        glyph(d, markup(sw), 128 - 46, 158 - 46, 92, fill=color, shadow=False)


def icon_folder(emblem=None):
    d = Svg(256, 256)
    folder(d, emblem)
    return d


def drive_slab(d, y=84, h=112, led="#35D46A"):
    body = d.lin([(0, "#FBFCFD"), (0.5, "#E3E7ED"), (1, "#B7C0CC")])
    d.add('<rect x="22" y="%d" width="212" height="%d" rx="22" fill="%s" filter="%s"/>'
          % (y, h, body, d.shadow(7, 7, 0.35)))
    d.add('<rect x="22" y="%d" width="212" height="%d" rx="22" fill="none" stroke="#6F7A8A" stroke-opacity="0.6" '
          'stroke-width="2"/>' % (y, h))
    d.add('<rect x="36" y="%d" width="184" height="%d" rx="10" fill="%s"/>'
          % (y + h - 40, 26, d.lin([(0, "#5D6878"), (1, "#3A4352")])))
    d.add('<path d="M36,%d H220" stroke="#FFFFFF" stroke-opacity="0.8" stroke-width="3"/>' % (y + 6))
    d.add('<circle cx="204" cy="%d" r="6" fill="%s"/><circle cx="204" cy="%d" r="11" fill="%s" opacity="0.35"/>'
          % (y + h - 27, led, y + h - 27, led))
    for i in range(6):
        d.add('<rect x="%d" y="%d" width="6" height="14" rx="3" fill="#8E9AAB"/>' % (50 + i * 14, y + h - 33))


def icon_fixed_drive():
    d = Svg(256, 256)
    drive_slab(d)
    return d


def icon_win_drive():
    d = Svg(256, 256)
    drive_slab(d)
    badge(d, "blue", b_window, cx=186, cy=78, r=40, sw=14)
    return d


def icon_unknown_drive():
    d = Svg(256, 256)
    drive_slab(d, led="#A9B1BD")
    badge(d, "slate", b_question, cx=186, cy=78, r=40, sw=17)
    return d


def icon_remote_drive():
    d = Svg(256, 256)
    d.add('<path d="M128,160 V214 M60,214 H196" fill="none" stroke="#2E8B57" stroke-width="12" '
          'stroke-linecap="round"/>')
    d.add('<rect x="108" y="198" width="40" height="32" rx="8" fill="%s" stroke="#1C6B40" stroke-width="2"/>'
          % d.lin([(0, "#6EDC8C"), (1, "#2A9D56")]))
    drive_slab(d, y=44, h=112)
    return d


def icon_floppy():
    d = Svg(256, 256)
    d.add('<path d="M40,28 H192 L228,64 V212 a16,16 0 0 1 -16,16 H44 a16,16 0 0 1 -16,-16 V44 '
          'a16,16 0 0 1 16,-16 Z" fill="%s" filter="%s"/>' % (d.lin([(0, "#4F7FD9"), (1, "#22468F")]),
                                                              d.shadow(7, 7, 0.35)))
    d.add('<path d="M40,28 H192 L228,64 V212 a16,16 0 0 1 -16,16 H44 a16,16 0 0 1 -16,-16 V44 '
          'a16,16 0 0 1 16,-16 Z" fill="none" stroke="#14306A" stroke-width="2"/>')
    d.add('<rect x="72" y="28" width="112" height="66" rx="6" fill="%s"/>'
          % d.lin([(0, "#F4F6F9"), (1, "#AEB8C6")], 0, 0, 1, 0))
    d.add('<rect x="146" y="40" width="22" height="42" rx="4" fill="#3B4656"/>')
    d.add('<rect x="56" y="124" width="144" height="104" rx="10" fill="#FFFFFF"/>'
          '<path d="M76,156 H180 M76,182 H180 M76,208 H150" stroke="#C4CEDB" stroke-width="6" '
          'stroke-linecap="round"/>')
    return d


def icon_usb():
    d = Svg(256, 256)
    g = '<g transform="rotate(-35 128 128)">'
    g += ('<rect x="100" y="16" width="56" height="62" rx="6" fill="%s" stroke="#6F7A8A" stroke-width="2"/>'
          '<rect x="112" y="32" width="12" height="12" rx="2" fill="#4A5566"/><rect x="132" y="32" width="12" '
          'height="12" rx="2" fill="#4A5566"/>' % d.lin([(0, "#F2F4F7"), (1, "#AAB4C2")], 0, 0, 1, 0))
    g += ('<rect x="84" y="70" width="88" height="164" rx="24" fill="%s" stroke="#0C5A9E" stroke-width="2"/>'
          % d.lin([(0, "#4DB6FF"), (1, "#1667C7")], 0, 0, 1, 0))
    g += '<rect x="96" y="82" width="20" height="140" rx="10" fill="#FFFFFF" opacity="0.35"/>'
    g += '<circle cx="128" cy="196" r="12" fill="#FFFFFF" opacity="0.9"/></g>'
    d.add('<g filter="%s">%s</g>' % (d.shadow(7, 7, 0.35), g))
    return d


def icon_dvd():
    d = Svg(256, 256)
    d.add('<circle cx="128" cy="128" r="106" fill="%s" filter="%s"/>'
          % (d.lin([(0, "#E8ECF4"), (0.25, "#C9D7F2"), (0.45, "#F4D9F0"), (0.6, "#D9F3E6"),
                    (0.8, "#F6EFD0"), (1, "#B9C3D3")], 0, 0, 1, 1), d.shadow(7, 7, 0.35)))
    d.add('<circle cx="128" cy="128" r="106" fill="%s"/>'
          % d.lin([(0, "#FFFFFF", 0), (0.45, "#FFFFFF", 0.0), (0.5, "#FFFFFF", 0.75), (0.55, "#FFFFFF", 0),
                   (1, "#FFFFFF", 0)], 1, 0, 0, 1))
    d.add('<circle cx="128" cy="128" r="106" fill="none" stroke="#7D8798" stroke-width="2"/>')
    d.add('<circle cx="128" cy="128" r="40" fill="#DDE3EC" stroke="#9AA4B4" stroke-width="2"/>')
    d.add('<circle cx="128" cy="128" r="17" fill="#FFFFFF" stroke="#7D8798" stroke-width="2"/>')
    d.add('<circle cx="128" cy="128" r="17" fill="#000000" fill-opacity="0.0"/>')
    return d


def icon_ram():
    d = Svg(256, 256)
    g = ('<rect x="16" y="72" width="224" height="104" rx="10" fill="%s" stroke="#0E5A36" stroke-width="2"/>'
         % d.lin([(0, "#3FBF7F"), (1, "#1B8A55")]))
    for i in range(4):
        g += ('<rect x="%d" y="88" width="40" height="52" rx="4" fill="%s"/>'
              % (30 + i * 52, d.lin([(0, "#3A4250"), (1, "#1C2230")])))
    for i in range(22):
        g += '<rect x="%d" y="160" width="6" height="16" fill="#F1C24B"/>' % (24 + i * 10)
    g += '<path d="M118,176 v-12 a6,6 0 0 1 12,0 v12 Z" fill="#FFFFFF"/>'
    d.add('<g filter="%s">%s</g>' % (d.shadow(7, 7, 0.35), g))
    d.add('<rect x="16" y="176" width="224" height="0" />')
    d.add('<text x="128" y="222" font-family="%s" font-weight="bold" font-size="44" fill="#1B8A55" '
          'text-anchor="middle" stroke="#FFFFFF" stroke-width="8" paint-order="stroke">RAM</text>' % FONT)
    return d


def bin_shape(d, full=False):
    body = d.lin([(0, "#E6EEF8"), (1, "#AFC0D6")], 0, 0, 1, 0)
    if full:
        d.add('<g filter="%s">' % d.shadow(3, 3, 0.25))
        d.add('<path d="M70,74 L92,20 L146,36 L126,80 Z" fill="#FFFFFF" stroke="#B9C3D0" stroke-width="2"/>')
        d.add('<path d="M116,76 L150,18 L196,44 L170,84 Z" fill="#CFE6FF" stroke="#8DB3DE" stroke-width="2"/>')
        d.add('<circle cx="102" cy="64" r="24" fill="#FFF3C4" stroke="#D8B760" stroke-width="2"/>')
        d.add('<path d="M92,54 l12,10 M108,50 l-6,18" stroke="#D8B760" stroke-width="3"/>')
        d.add('</g>')
    d.add('<path d="M54,76 H202 L186,222 a12,12 0 0 1 -12,10 H82 a12,12 0 0 1 -12,-10 Z" fill="%s" filter="%s"/>'
          % (body, d.shadow(7, 7, 0.35)))
    d.add('<path d="M54,76 H202 L186,222 a12,12 0 0 1 -12,10 H82 a12,12 0 0 1 -12,-10 Z" fill="none" '
          'stroke="#5D6E86" stroke-width="2.5"/>')
    for x0, x1 in ((96, 100), (128, 128), (160, 156)):
        d.add('<path d="M%d,104 L%d,206" stroke="#7E93B0" stroke-width="9" stroke-linecap="round" '
              'opacity="0.75"/>' % (x0, x1))
    d.add('<rect x="40" y="58" width="176" height="28" rx="12" fill="%s" stroke="#5D6E86" stroke-width="2.5"/>'
          % d.lin([(0, "#FFFFFF"), (1, "#C6D3E3")]))


def icon_bin(full=False, badge_args=None):
    d = Svg(256, 256)
    bin_shape(d, full)
    if badge_args:
        badge(d, *badge_args)
    return d


def page_shape(d, x=52, y=22, w=152, h=212, lines=True, color=None):
    fold = 44
    p = ('M%d,%d H%d L%d,%d V%d a12,12 0 0 1 -12,12 H%d a12,12 0 0 1 -12,-12 V%d a12,12 0 0 1 12,-12 Z'
         % (x + 12, y, x + w - fold, x + w, y + fold, y + h - 12, x + 12, y + 12))
    d.add('<path d="%s" fill="%s" filter="%s"/>' % (p, d.lin([(0, "#FFFFFF"), (1, "#E9EDF3")]),
                                                    d.shadow(7, 7, 0.32)))
    d.add('<path d="%s" fill="none" stroke="#8893A4" stroke-width="2.5"/>' % p)
    d.add('<path d="M%d,%d V%d a6,6 0 0 0 6,6 H%d Z" fill="#D5DCE6" stroke="#8893A4" stroke-width="2.5" '
          'stroke-linejoin="round"/>' % (x + w - fold, y, y + fold - 6, x + w))
    if lines:
        c = color or "#3B82E6"
        d.add('<rect x="%d" y="%d" width="40" height="12" rx="6" fill="%s"/>' % (x + 24, y + 56, c))
        for i, lw in enumerate((104, 104, 80, 104, 64)):
            d.add('<rect x="%d" y="%d" width="%d" height="10" rx="5" fill="#B8C3D2"/>'
                  % (x + 24, y + 86 + i * 22, lw))


def icon_file():
    d = Svg(256, 256)
    page_shape(d)
    return d


def app_window(d, x=20, y=36, w=216, h=184, dim=False):
    title = d.lin([(0, "#5AA4F8"), (1, "#1F6FE0")]) if not dim else d.lin([(0, "#B7C0CC"), (1, "#8A96A8")])
    d.add('<rect x="%d" y="%d" width="%d" height="%d" rx="20" fill="#FFFFFF" filter="%s"/>'
          % (x, y, w, h, d.shadow(7, 7, 0.35)))
    cl = d.clip('<rect x="%d" y="%d" width="%d" height="%d" rx="20"/>' % (x, y, w, h))
    d.add('<g clip-path="%s"><rect x="%d" y="%d" width="%d" height="44" fill="%s"/>'
          '<rect x="%d" y="%d" width="56" height="%d" fill="#EEF2F7"/></g>'
          % (cl, x, y, w, title, x, y + 44, h - 44))
    d.add('<rect x="%d" y="%d" width="%d" height="%d" rx="20" fill="none" stroke="#5A6678" stroke-opacity="0.7" '
          'stroke-width="2.5"/>' % (x, y, w, h))
    for i in range(3):
        d.add('<circle cx="%d" cy="%d" r="6" fill="#FFFFFF" opacity="0.9"/>' % (x + w - 26 - i * 22, y + 22))
    for i in range(3):
        d.add('<rect x="%d" y="%d" width="32" height="10" rx="5" fill="#C3CDDA"/>' % (x + 12, y + 62 + i * 24))
    c = "#9DB6D8" if dim else "#7FB2F5"
    d.add('<rect x="%d" y="%d" width="%d" height="56" rx="8" fill="%s"/>' % (x + 72, y + 60, w - 90, c))
    for i, lw in enumerate((w - 90, w - 120)):
        d.add('<rect x="%d" y="%d" width="%d" height="10" rx="5" fill="#C3CDDA"/>' % (x + 72, y + 130 + i * 20, lw))


def icon_application():
    d = Svg(256, 256)
    app_window(d)
    return d


def icon_problem():
    d = Svg(256, 256)
    app_window(d, dim=True)
    d.add('<g filter="%s">' % d.shadow(4, 4, 0.3))
    d.add('<path d="M186,128 L238,222 a8,8 0 0 1 -7,12 H141 a8,8 0 0 1 -7,-12 L180,128 a4,4 0 0 1 6,0 Z" '
          'fill="#FFFFFF"/>')
    d.add('<path d="M186,140 L228,216 a5,5 0 0 1 -4,7 H148 a5,5 0 0 1 -4,-7 L180,140 a3.5,3.5 0 0 1 6,0 Z" '
          'fill="%s"/>' % d.lin([(0, "#FFC94A"), (1, "#F08C00")]))
    d.add('</g>')
    d.add('<path d="M183,162 V192" stroke="#3A2A00" stroke-width="11" stroke-linecap="round"/>'
          '<circle cx="183" cy="210" r="6.5" fill="#3A2A00"/>')
    return d


def icon_empty_slot():
    """An inviting empty place: dashed outline and plus, outlined dark so it shows on light wallpapers too."""
    d = Svg(256, 256)
    d.add('<g filter="%s">' % d.shadow(3, 2, 0.35))
    d.add('<rect x="30" y="30" width="196" height="196" rx="46" fill="#8C97A8" fill-opacity="0.30"/>')
    for color, width, op in (("#1B2230", 15, 0.55), ("#FFFFFF", 8, 1)):
        d.add('<rect x="30" y="30" width="196" height="196" rx="46" fill="none" stroke="%s" stroke-opacity="%s" '
              'stroke-width="%d" stroke-dasharray="26 17" stroke-linecap="round"/>' % (color, n(op), width))
        d.add('<path d="M128,88 V168 M88,128 H168" stroke="%s" stroke-opacity="%s" stroke-width="%d" '
              'stroke-linecap="round"/>' % (color, n(op), width + 9))
    d.add('</g>')
    return d


def icon_computer():
    d = Svg(256, 256)
    d.add('<path d="M106,186 H150 L160,222 H96 Z" fill="%s" stroke="#6F7A8A" stroke-width="2"/>'
          % d.lin([(0, "#C9D0DA"), (1, "#8D98A8")]))
    d.add('<rect x="70" y="214" width="116" height="16" rx="8" fill="%s" stroke="#6F7A8A" stroke-width="2" '
          'filter="%s"/>' % (d.lin([(0, "#E6EAF0"), (1, "#A3ADBB")]), d.shadow(3, 3, 0.3)))
    d.add('<rect x="16" y="32" width="224" height="158" rx="16" fill="#232A36" filter="%s"/>'
          % d.shadow(7, 7, 0.35))
    d.add('<rect x="28" y="44" width="200" height="134" rx="6" fill="%s"/>'
          % d.lin([(0, "#1B56C8"), (1, "#58B6FF")], 0, 1, 1, 0))
    cl = d.clip('<rect x="28" y="44" width="200" height="134" rx="6"/>')
    d.add('<g clip-path="%s"><ellipse cx="170" cy="170" rx="120" ry="60" fill="#8FD3FF" opacity="0.55" '
          'transform="rotate(-25 170 170)"/><ellipse cx="190" cy="190" rx="110" ry="40" fill="#FFFFFF" '
          'opacity="0.35" transform="rotate(-25 190 190)"/></g>' % cl)
    d.add('<rect x="16" y="32" width="224" height="158" rx="16" fill="none" stroke="#0C1018" stroke-width="2"/>')
    d.add('<path d="M30,46 H226" stroke="#FFFFFF" stroke-opacity="0.25" stroke-width="2"/>')
    return d


# --------------------------------------------------------------------------
# SysIcons
# --------------------------------------------------------------------------
def emblem_person(w):
    return g_person(w, 50, 2, 1.0)


def emblem_picture(w):
    return ('<rect x="6" y="14" width="88" height="72" rx="10" %s/><circle cx="68" cy="34" r="9" %s/>'
            '<path d="M14,78 L38,48 L56,68 L66,58 L86,78 Z" %s/>' % (F, FC, FC))


def emblem_note(w):
    return ('<path d="M40,74 V18 L82,8 V62" %s/><circle cx="28" cy="76" r="15" %s/><circle cx="70" cy="64" r="15" '
            '%s/>' % (S(w), F, F))


def emblem_video(w):
    return ('<rect x="6" y="16" width="88" height="68" rx="12" %s/><path d="M40,34 L66,50 L40,66 Z" %s/>'
            % (F, 'fill="#000" stroke="#000" stroke-width="6" stroke-linejoin="round"'))


def emblem_star(w):
    return ('<path d="%s" fill="#fff" stroke="#fff" stroke-width="8" stroke-linejoin="round"/>'
            % star_path(50, 54, 46, 20))


def emblem_doc(w):
    return g_page(w)


SYSICONS = [
    ("All Programs Group", lambda: tile_icon("indigo", g_grid3)),
    ("Library", lambda: tile_icon("teal", g_books)),
    ("WinGroup", lambda: tile_icon("sky", g_toolbox)),
    ("Microsoft Office Group", lambda: tile_icon("orange", g_office)),
    ("Internet", lambda: tile_icon("blue", g_globe)),
    ("Mailbox", lambda: tile_icon("sky", g_envelope)),
    ("SearchInternet", lambda: tile_icon("blue", g_web_search)),
    ("My Computer", icon_computer),
    ("RecycleEmpty", lambda: icon_bin(False)),
    ("RecycleFull", lambda: icon_bin(True)),
    ("File", icon_file),
    ("Shortcut", icon_empty_slot),
    ("Application", icon_application),
    ("Group", lambda: tile_icon("purple", g_grid2)),
    ("UserDoc", lambda: tile_icon("blue", g_page, ("amber", emblem_person, 190, 188, 44, 11))),
    ("UserIcon", lambda: tile_icon("pink", g_usericon)),
    ("Setting", lambda: tile_icon("slate", g_gear)),
    ("About", lambda: tile_icon("blue", g_info)),
    ("Minimize", lambda: tile_icon("sky", g_minimize)),
    ("HideVEK", lambda: tile_icon("purple", g_hide)),
    ("Exit", lambda: tile_icon("red", g_exit)),
    ("Desktop", lambda: tile_icon("teal", g_desktop)),
    ("Switch", lambda: tile_icon("indigo", g_switch)),
    ("Manage Shortcut", lambda: tile_icon("purple", g_wand)),
    ("Lock Dragging", lambda: tile_icon("amber", lambda w: g_lock(w, False))),
    ("Allow Dragging", lambda: tile_icon("green", lambda w: g_lock(w, True))),
    ("Shutdown", lambda: tile_icon("red", g_power)),
    ("Restart", lambda: tile_icon("orange", g_restart)),
    ("LogOff", lambda: tile_icon("amber", g_logoff)),
    ("LockWorkstation", lambda: tile_icon("indigo", g_lock_screen)),
    ("MonitorOff", lambda: tile_icon("night", g_monitor_off)),
    ("Properties", lambda: tile_icon("slate", g_chip)),
    ("Personal", lambda: tile_icon("pink", g_palette, overlay=palette_dots())),
    ("Display", lambda: tile_icon("sky", g_display)),
    ("Uninstall", lambda: tile_icon("orange", g_package, ("red", b_minus))),
    ("Network", lambda: tile_icon("teal", g_network)),
    ("IEProperty", lambda: tile_icon("blue", g_globe, ("slate", b_gear, 190, 188, 44, 11))),
    ("CPanel", lambda: tile_icon("slate", g_sliders)),
    ("Workgroup", lambda: tile_icon("teal", g_people)),
    ("Printer", lambda: tile_icon("slate", g_printer)),
    ("DeviceManager", lambda: tile_icon("green", g_devtree)),
    ("Search", lambda: tile_icon("blue", g_magnifier)),
    ("Run", lambda: tile_icon("night", g_run)),
    ("Network Connection", lambda: tile_icon("teal", g_wifi)),
    ("TrashEmpty", lambda: icon_bin(False, ("blue", b_sparkle))),
    ("TrashFull", lambda: icon_bin(True, ("green", b_arrow_out))),
    ("TrashCheck", lambda: icon_bin(True, ("indigo", b_check))),
    ("Problem", icon_problem),
    ("Folder", icon_folder),
    ("FloppyDrive", icon_floppy),
    ("RemDrive", icon_usb),
    ("WinDrive", icon_win_drive),
    ("FixedDrive", icon_fixed_drive),
    ("RemoteDrive", icon_remote_drive),
    ("DVDDrive", icon_dvd),
    ("RamDrive", icon_ram),
    ("UnknownDrive", icon_unknown_drive),
    ("UserFolder", lambda: icon_folder(("#2F6FD6", emblem_person, 11))),
    ("DocFolder", lambda: icon_folder(("#2F6FD6", emblem_doc, 11))),
    ("PicFolder", lambda: icon_folder(("#1E9B6B", emblem_picture, 11))),
    ("MusicFolder", lambda: icon_folder(("#D6336C", emblem_note, 13))),
    ("VideoFolder", lambda: icon_folder(("#7048E8", emblem_video, 11))),
    ("FavFolder", lambda: icon_folder(("#E8590C", emblem_star, 11))),
    ("Directory", lambda: icon_folder(("#4A5568", b_gear, 11))),
]


# --------------------------------------------------------------------------
# program logo and icon
# --------------------------------------------------------------------------
RING_COLORS = ["#4C9BF5", "#2FCCB8", "#5BD27A", "#FFC94A", "#FF9F48", "#F8646A", "#F06AC4", "#A07BFA"]


def ring_emblem(d, cx, cy, r, dot, big, white=False):
    """Eight dots in a ring, the one at lower right magnified, and a centre disc."""
    for i in range(8):
        a = -90 + i * 45
        x, y = pt(cx, cy, r, a)
        rr = big if i == 3 else dot
        fill = "#FFFFFF" if white else RING_COLORS[i]
        d.add('<circle cx="%s" cy="%s" r="%s" fill="%s"/>' % (n(x), n(y), n(rr), fill))
    d.add('<circle cx="%s" cy="%s" r="%s" fill="#FFFFFF"/>' % (n(cx), n(cy), n(r * 0.42)))


def app_icon_svg(size):
    d = Svg(256, 256)
    if size <= 24:
        # reduced design for tray and small lists: bold ring, centre disc, one magnified dot
        d.add('<rect x="0" y="0" width="256" height="256" rx="56" fill="%s"/>'
              % d.lin([(0, "#4C9BF5"), (1, "#1452C0")]))
        d.add('<rect x="8" y="8" width="240" height="240" rx="48" fill="none" stroke="#FFFFFF" stroke-opacity="0.25" '
              'stroke-width="12"/>')
        d.add('<circle cx="128" cy="128" r="74" fill="none" stroke="#FFFFFF" stroke-width="30"/>')
        d.add('<circle cx="128" cy="128" r="30" fill="#FFFFFF"/>')
        d.add('<circle cx="186" cy="186" r="42" fill="#FFC94A" stroke="#1452C0" stroke-width="14"/>')
        return d
    d.add('<rect x="14" y="14" width="228" height="228" rx="54" fill="%s" filter="%s"/>'
          % (d.lin([(0, "#4C9BF5"), (1, "#1452C0")]), d.shadow(5, 5, 0.35)))
    d.add('<rect x="14" y="14" width="228" height="228" rx="54" fill="%s"/>'
          % d.rad([(0, "#ffffff", 0.3), (1, "#ffffff", 0)], cx=0.3, cy=0.0, r=0.9))
    d.add('<rect x="13" y="13" width="230" height="230" rx="55" fill="none" stroke="#0A2E78" stroke-opacity="0.5" '
          'stroke-width="2"/>')
    small = size <= 48  # fewer, bolder details where pixels are scarce
    dot, big, line = (22, 34, 10) if small else (15, 27, 4)
    d.add('<circle cx="128" cy="128" r="72" fill="none" stroke="#FFFFFF" stroke-opacity="0.35" stroke-width="%d"/>'
          % (8 if small else 3))
    ring_emblem(d, 128, 128, 72, dot, big)
    for i in range(8):
        x, y = pt(128, 128, 72, -90 + i * 45)
        rr = big if i == 3 else dot
        d.add('<circle cx="%s" cy="%s" r="%s" fill="none" stroke="#FFFFFF" stroke-width="%d"/>'
              % (n(x), n(y), n(rr), line))
    return d


def logo_svg():
    d = Svg(128, 128)
    # The corners outside the ring continue the ring's silver, so the square reads as a plate the ring sits in.
    d.add('<rect width="128" height="128" fill="%s"/>'
          % d.lin([(0, "#FFFFFF"), (0.5, "#E3E8EF"), (1, "#B3BECD")], 0, -12, 0, 140, user=True))
    d.add('<rect x="0.5" y="0.5" width="127" height="127" fill="none" stroke="#7C8799" stroke-width="1"/>')
    d.add('<circle cx="64" cy="64" r="64" fill="%s"/>'
          % d.rad([(0, "#2C5FCB"), (0.6, "#173C8E"), (1, "#0B1C46")], cx=0.5, cy=0.42, r=0.6))
    d.add('<circle cx="64" cy="64" r="50" fill="none" stroke="#FFFFFF" stroke-opacity="0.18" stroke-width="1.5"/>')
    d.add('<circle cx="64" cy="64" r="34" fill="none" stroke="#FFFFFF" stroke-opacity="0.3" stroke-width="1.5"/>')
    g = d.shadow(1.5, 1.5, 0.4)
    d.add('<g filter="%s">' % g)
    ring_emblem(d, 64, 64, 34, 7, 12.5)
    d.add('</g>')
    for i in range(8):
        x, y = pt(64, 64, 34, -90 + i * 45)
        rr = 12.5 if i == 3 else 7
        d.add('<circle cx="%s" cy="%s" r="%s" fill="none" stroke="#FFFFFF" stroke-width="1.8"/>'
              % (n(x), n(y), n(rr)))
    d.text(64, 69, "VEK", 11, "#173C8E", "bold", "middle")
    return d


# --------------------------------------------------------------------------
# skin
# --------------------------------------------------------------------------
def menu_edges(d, w, h):
    """Side borders shared by every opaque or stretched menu piece."""
    d.add('<rect x="0" y="0" width="1" height="%d" fill="%s"/><rect x="%d" y="0" width="1" height="%d" fill="%s"/>'
          % (h, MENU_EDGE, w - 1, h, MENU_EDGE))
    d.add('<rect x="1" y="0" width="1" height="%d" fill="#FFFFFF"/><rect x="%d" y="0" width="1" height="%d" '
          'fill="#E4E8EE"/>' % (h, w - 2, h))


def skin_menubody():
    d = Svg(268, 656)
    d.add('<rect x="0" y="0" width="268" height="656" fill="%s"/>' % MENU_BODY)
    menu_edges(d, 268, 656)
    return d


def skin_menutop():
    d = Svg(268, 12)
    d.add('<rect x="0" y="0" width="268" height="12" fill="%s"/>' % MENU_BODY)
    menu_edges(d, 268, 12)
    d.add('<rect x="0" y="0" width="268" height="1" fill="%s"/>' % MENU_EDGE)
    d.add('<rect x="1" y="1" width="266" height="3" fill="%s"/>'
          % d.lin([(0, "#1F6FE0"), (0.5, "#3D8BF2"), (1, "#1F6FE0")], 0, 0, 1, 0))
    d.add('<rect x="1" y="4" width="266" height="1" fill="#FFFFFF"/>')
    return d


def skin_menubottom():
    d = Svg(268, 12)
    d.add('<rect x="0" y="0" width="268" height="12" fill="%s"/>' % MENU_BODY)
    menu_edges(d, 268, 12)
    d.add('<rect x="1" y="8" width="266" height="1" fill="#EEF0F3"/><rect x="1" y="9" width="266" height="1" '
          'fill="#E4E7EC"/><rect x="1" y="10" width="266" height="1" fill="#D6DAE1"/>')
    d.add('<rect x="0" y="11" width="268" height="1" fill="%s"/>' % MENU_EDGE)
    return d


def band(d, w, h, fill, stroke):
    d.add('<rect x="0" y="0" width="%d" height="%d" fill="%s"/>' % (w, h, MENU_BODY))
    d.add('<rect x="1.5" y="1.5" width="%s" height="%s" rx="5" fill="%s" stroke="%s" stroke-width="1"/>'
          % (n(w - 3), n(h - 3), fill, stroke))


def skin_menuselect():
    d = Svg(248, 38)
    band(d, 248, 38, d.lin([(0, "#E6F0FE"), (1, "#D3E5FD")]), "#9BC2F5")
    d.add('<rect x="1.5" y="2" width="245" height="1" fill="#FFFFFF" opacity="0.7"/>')
    return d


def skin_menumousedown():
    d = Svg(248, 38)
    band(d, 248, 38, d.lin([(0, "#BDD7FA"), (1, "#CCE0FB")]), "#5E9BEB")
    d.add('<rect x="2" y="2" width="244" height="2" fill="#000000" opacity="0.06"/>')
    return d


def chevron(d, up, color, w=248, h=25):
    cx, cy = w / 2.0, h / 2.0
    dy = -3.5 if up else 3.5
    d.add('<path d="M%s,%s L%s,%s L%s,%s" fill="none" stroke="%s" stroke-width="2.2" stroke-linecap="round" '
          'stroke-linejoin="round"/>' % (n(cx - 8), n(cy - dy), n(cx), n(cy + dy), n(cx + 8), n(cy - dy), color))


def skin_scroll(up, selected):
    d = Svg(248, 25)
    if selected:
        band(d, 248, 25, d.lin([(0, "#E6F0FE"), (1, "#D3E5FD")]), "#9BC2F5")
        chevron(d, up, ACCENT)
    else:
        d.add('<rect x="40" y="%d" width="168" height="1" fill="%s"/>'
              % (24 if up else 0, d.lin([(0, "#C9CFD8", 0), (0.5, "#C9CFD8"), (1, "#C9CFD8", 0)], 0, 0, 1, 0)))
        chevron(d, up, "#6B7380")
    return d


def skin_menuspace():
    d = Svg(248, 5)
    d.add('<rect x="6" y="2" width="236" height="1" fill="%s"/>'
          % d.lin([(0, "#C3C9D2", 0), (0.1, "#C3C9D2"), (0.9, "#C3C9D2"), (1, "#C3C9D2", 0)], 0, 0, 1, 0))
    d.add('<rect x="6" y="3" width="236" height="1" fill="%s"/>'
          % d.lin([(0, "#FFFFFF", 0), (0.1, "#FFFFFF"), (0.9, "#FFFFFF"), (1, "#FFFFFF", 0)], 0, 0, 1, 0))
    return d


def skin_border():
    d = Svg(152, 152)
    ring = "M76,0.5 A75.5,75.5 0 1 1 75.99,0.5 Z M76,13 A63,63 0 1 0 76.01,13 Z"
    d.add('<circle cx="76" cy="77" r="71" fill="none" stroke="#000000" stroke-opacity="0.28" stroke-width="9" '
          'filter="%s"/>' % d.blur(2))
    d.add('<circle cx="76" cy="76" r="69" fill="none" stroke="%s" stroke-width="12"/>'
          % d.lin([(0, "#FFFFFF"), (0.5, "#E3E8EF"), (1, "#B3BECD")]))
    d.add('<circle cx="76" cy="76" r="69" fill="none" stroke="%s" stroke-width="12"/>'
          % d.lin([(0, "#FFFFFF", 0), (0.45, "#FFFFFF", 0), (0.5, "#FFFFFF", 0.6), (0.55, "#FFFFFF", 0),
                   (1, "#FFFFFF", 0)], 0, 0, 1, 1))
    d.add('<circle cx="76" cy="76" r="74.6" fill="none" stroke="#3A4454" stroke-opacity="0.55" stroke-width="1.2"/>')
    d.add('<circle cx="76" cy="76" r="63.4" fill="none" stroke="#3A4454" stroke-opacity="0.5" stroke-width="1.2"/>')
    d.add('<circle cx="76" cy="76" r="65" fill="none" stroke="%s" stroke-width="2"/>'
          % d.lin([(0, "#1F6FE0"), (1, "#5AA8FF")]))
    del ring
    return d


def skin_backselect():
    d = Svg(128, 128)
    d.add('<rect x="6" y="6" width="116" height="116" rx="28" fill="#0C121C" fill-opacity="0.24"/>')
    d.add('<rect x="6" y="6" width="116" height="116" rx="28" fill="%s"/>'
          % d.lin([(0, "#FFFFFF", 0.30), (1, "#FFFFFF", 0.10)]))
    d.add('<rect x="7" y="7" width="114" height="114" rx="27" fill="none" stroke="%s" stroke-width="2"/>'
          % d.lin([(0, "#FFFFFF", 0.7), (1, "#FFFFFF", 0.25)]))
    d.add('<rect x="5" y="5" width="118" height="118" rx="29" fill="none" stroke="#000000" stroke-opacity="0.22" '
          'stroke-width="1.5"/>')
    return d


def feedback(d, size, color, markup, sw):
    c1, c2 = PAL[color]
    s = size / 64.0
    d.add('<circle cx="%s" cy="%s" r="%s" fill="#FFFFFF" filter="%s"/>'
          % (n(32 * s), n(31 * s), n(29 * s), d.shadow(1.6 * s, 1.6 * s, 0.38)))
    d.add('<circle cx="%s" cy="%s" r="%s" fill="%s"/>'
          % (n(32 * s), n(31 * s), n(25 * s), d.lin([(0, c1), (1, c2)])))
    glyph(d, markup(sw), 14 * s, 13 * s, 36 * s, shadow=False)


def skin_nodrop():
    d = Svg(64, 64)
    d.add('<circle cx="32" cy="31" r="29" fill="#FFFFFF" filter="%s"/>' % d.shadow(1.6, 1.6, 0.38))
    d.add('<circle cx="32" cy="31" r="21.5" fill="none" stroke="%s" stroke-width="7"/>'
          % d.lin([(0, PAL["red"][0]), (1, PAL["red"][1])]))
    d.add('<path d="M17,16 L47,46" stroke="%s" stroke-width="7"/>' % PAL["red"][1])
    return d


def b_swap(w):
    return ('<path d="M18,34 H80 M66,20 L81,34 L66,48" %s/><path d="M82,66 H20 M34,52 L19,66 L34,80" %s/>'
            % (S(w), S(w)))


def skin_addicon():
    d = Svg(110, 110)
    feedback(d, 110, "green", b_plus, 17)
    return d


def skin_replaceicon():
    d = Svg(64, 64)
    feedback(d, 64, "blue", b_swap, 14)
    return d


class Lcg:
    """Tiny deterministic random generator (independent of Python's version)."""

    def __init__(self, seed):
        self.s = seed

    def next(self):
        self.s = (self.s * 1103515245 + 12345) & 0x7FFFFFFF
        return self.s / float(0x7FFFFFFF)


def skin_delicon():
    """Five frames of a puff of smoke: it swells, splits into small clouds, and fades out."""
    d = Svg(640, 128)
    shade = d.rad([(0, "#FFFFFF"), (0.6, "#F1F4F8"), (1, "#C9D1DC")], cx=0.38, cy=0.3, r=0.75)
    rng = Lcg(11)
    # the cloud: (angle, distance factor, size factor) for each puff
    puffs = [(i * 60 + rng.next() * 20, 0.8 + rng.next() * 0.3, 0.85 + rng.next() * 0.3) for i in range(6)]
    sparks = [(i * 72 + 30 + rng.next() * 25, 0.85 + rng.next() * 0.3) for i in range(5)]
    # per frame: (distance of puffs, puff radius, core radius, opacity, spark distance, spark size)
    frames = [(14, 20, 26, 1.0, 0, 0), (26, 21, 22, 1.0, 44, 5), (36, 17, 0, 0.95, 52, 6),
              (44, 11, 0, 0.8, 57, 4.5), (50, 5.5, 0, 0.5, 60, 3)]
    for f, (dist, pr, core, op, sd, ss) in enumerate(frames):
        ox, oy = f * 128 + 64, 66
        circles = [(ox, oy, core)] if core else []
        for a, df, sf in puffs:
            x, y = pt(ox, oy, dist * df, a)
            circles.append((x, y, pr * sf))
        g = '<g opacity="%s" filter="%s">' % (n(op), d.shadow(1.2, 1.5, 0.3))
        g += "".join('<circle cx="%s" cy="%s" r="%s" fill="#66707F" stroke="#66707F" stroke-width="3.5"/>'
                     % (n(x), n(y), n(r)) for x, y, r in circles)
        g += "".join('<circle cx="%s" cy="%s" r="%s" fill="%s"/>' % (n(x), n(y), n(r), shade)
                     for x, y, r in circles)
        g += "</g>"
        d.add(g)
        for a, df in sparks if ss else ():
            x, y = pt(ox, oy, sd * df, a)
            d.add('<path d="%s" fill="#FFFFFF" stroke="#66707F" stroke-width="1" stroke-linejoin="round" '
                  'opacity="%s"/>' % (sparkle_path(x, y, ss), n(op)))
    return d


# --------------------------------------------------------------------------
# search box
# --------------------------------------------------------------------------
ENGINES = [
    ("G", "#3F7FE8", "#2559C6", "#FFFFFF", FONT),
    ("Y", "#8A4BEA", "#5E22B8", "#FFFFFF", FONT),
    ("b", "#17B0A2", "#0B7E77", "#FFFFFF", FONT),
    ("a", "#3A4658", "#222A36", "#FFB54A", FONT),
    ("?", "#E0457B", "#B0205A", "#FFFFFF", FONT),
    ("e", "#8CC63F", "#5E9A1E", "#FFFFFF", FONT),
    ("W", "#FBFBFC", "#DADDE2", "#222222", "DejaVu Serif"),
    ("du", "#EF4444", "#BE1E1E", "#FFFFFF", FONT),
    ("T", "#FF7A2E", "#E24E0A", "#FFFFFF", FONT),
]


def engine_svg(i, size):
    letter, c1, c2, ink, family = ENGINES[i]
    d = Svg(size, size)
    k = size / 32.0
    d.add('<rect x="%s" y="%s" width="%s" height="%s" rx="%s" fill="%s" stroke="%s" stroke-width="%s"/>'
          % (n(0.5 * k), n(0.5 * k), n(31 * k), n(31 * k), n(7 * k), d.lin([(0, c1), (1, c2)]),
             mix(c2, "#000000", 0.35), n(max(1.0, k))))
    fs = (22 if len(letter) == 1 else 16) * k
    if size == 16:
        fs = 12.5 if len(letter) == 1 else 9
    base = size / 2.0 + fs * 0.36
    if letter in ("a", "e"):
        base = size / 2.0 + fs * 0.27
    d.text(size / 2.0, base, letter, fs, ink, "bold", "middle", family,
           extra='letter-spacing="%s"' % n(-0.5 * k if len(letter) > 1 else 0))
    return d


def magnifier_svg(size, color, plate=None):
    d = Svg(16, 16)
    if plate:
        d.add('<rect x="0.5" y="0.5" width="15" height="15" rx="4" fill="%s" stroke="%s" stroke-width="1"/>'
              % (d.lin([(0, "#4C9BF5"), (1, "#1660D0")]), "#0E4FB0"))
    d.add('<circle cx="6.8" cy="6.8" r="4.1" fill="none" stroke="%s" stroke-width="1.8"/>' % color)
    d.add('<path d="M9.9,9.9 L13.2,13.2" stroke="%s" stroke-width="2.2" stroke-linecap="round"/>' % color)
    return d


def hover_engine_svg():
    d = Svg(32, 20)
    d.add('<rect x="0.5" y="0.5" width="31" height="19" rx="4.5" fill="%s" fill-opacity="0.16" stroke="%s" '
          'stroke-width="1"/>' % (ACCENT, ACCENT))
    d.add('<rect x="1.5" y="1.5" width="29" height="17" rx="3.5" fill="none" stroke="#FFFFFF" stroke-opacity="0.6" '
          'stroke-width="1"/>')
    d.add('<path d="M24,8.5 L26.5,11 L29,8.5" fill="none" stroke="%s" stroke-width="1.3" stroke-linecap="round" '
          'stroke-linejoin="round"/>' % ACCENT)
    return d


# --------------------------------------------------------------------------
# job runner with a render cache
# --------------------------------------------------------------------------
class Art:
    """Renders on demand; each (key, size) is drawn once, by whichever thread asks first."""

    def __init__(self, out, jobs):
        self.out = out
        self.pool = ThreadPoolExecutor(max_workers=jobs)
        self.lock = threading.Lock()
        self.cache = {}
        self.icons = dict(SYSICONS)

    def png(self, key, make, w, h):
        k = (key, w, h)
        with self.lock:
            fut = self.cache.get(k)
            owner = fut is None
            if owner:
                fut = self.cache[k] = Future()
        if owner:
            try:
                fut.set_result(rsvg(make().svg(), w, h))
            except Exception as e:  # hand the failure to every waiter
                fut.set_exception(e)
        return fut.result()

    def warm(self, key, make, w, h):
        self.pool.submit(self.png, key, make, w, h)

    def icon(self, name, size):
        return self.png("sys:" + name, self.icons[name], size, size)

    def path(self, rel):
        return os.path.join(self.out, rel)


SKIN = [  # name, maker, width, height, opaque
    ("LOGO", logo_svg, 128, 128, True),
    ("MENUSELECT", skin_menuselect, 248, 38, True),
    ("MENUMOUSEDOWN", skin_menumousedown, 248, 38, True),
    ("MENUUPUNSELECT", lambda: skin_scroll(True, False), 248, 25, False),
    ("MENUUPSELECT", lambda: skin_scroll(True, True), 248, 25, True),
    ("MENUDOWNUNSELECT", lambda: skin_scroll(False, False), 248, 25, False),
    ("MENUDOWNSELECT", lambda: skin_scroll(False, True), 248, 25, True),
    ("MENUSPACE", skin_menuspace, 248, 5, False),
    ("MENUBODY", skin_menubody, 268, 656, False),
    ("MENUTOP", skin_menutop, 268, 12, True),
    ("MENUBOTTOM", skin_menubottom, 268, 12, True),
    ("BORDER", skin_border, 152, 152, False),
    ("NODROP", skin_nodrop, 64, 64, False),
    ("ADDICON", skin_addicon, 110, 110, False),
    ("REPLACEICON", skin_replaceicon, 64, 64, False),
    ("DELICON", skin_delicon, 640, 128, False),
    ("BACKSELECTCOLOR", skin_backselect, 128, 128, False),
]


def skin_png(art, name):
    for nm, make, w, h, _ in SKIN:
        if nm == name:
            return art.png("skin:" + nm, make, w, h)
    raise KeyError(name)


# --------------------------------------------------------------------------
# composites: sample menu, ring, pages, contact sheet
# --------------------------------------------------------------------------
def sample_menu(art, d, x0, y0, items, selected=1, pressed=None):
    """Lay the menu pieces out the way the dock does; returns the menu's height."""
    rows_h = 25 + sum(5 if it is None else 38 for it in items) + 25
    h = rows_h + 4
    d.image(skin_png(art, "MENUTOP"), x0, y0)
    d.image(skin_png(art, "MENUBODY"), x0, y0 + 10, 268, h)
    d.image(skin_png(art, "MENUBOTTOM"), x0, y0 + h + 8)
    y = y0 + 12
    d.image(skin_png(art, "MENUUPUNSELECT"), x0 + 10, y)
    y += 25
    for i, it in enumerate(items):
        if it is None:
            d.image(skin_png(art, "MENUSPACE"), x0 + 10, y)
            y += 5
            continue
        name, label, letter = it
        if i == selected:
            d.image(skin_png(art, "MENUSELECT"), x0 + 10, y)
        if i == pressed:
            d.image(skin_png(art, "MENUMOUSEDOWN"), x0 + 10, y)
        d.image(art.icon(name, 32), x0 + 13, y + 3)
        d.text(x0 + 48, y + 23, label, 12, "rgb(1,2,3)", family="Liberation Sans")
        d.text(x0 + 237, y + 23, letter, 12, "rgb(1,2,3)", family="Liberation Sans")
        y += 38
    d.image(skin_png(art, "MENUDOWNSELECT"), x0 + 10, y)
    return h + 20


MENU_ITEMS = [("Internet", "Web browser", "A"), ("Mailbox", "Check email", "B"), None,
              ("DocFolder", "Documents", "C"), ("PicFolder", "Pictures", "D"),
              ("Setting", "Settings", "E")]

RING = ["Internet", "Mailbox", "My Computer", "All Programs Group", "DocFolder", "Setting", "RecycleFull",
        "Search", "MusicFolder", "Personal", "Shutdown", "Shortcut"]


def ring(art, d, cx, cy, radius, size, hover=None, letters=False, names=RING):
    count = len(names)
    for i, name in enumerate(names):
        x, y = pt(cx, cy, radius, -90 + i * 360.0 / count)
        s = size * (1.55 if i == hover else 1)
        sz = int(round(s))
        d.image(art.png("skin:BACKSELECTCOLOR", skin_backselect, sz, sz), x - s / 2, y - s / 2, s, s)
        d.image(art.icon(name, sz), x - s / 2, y - s / 2)
        if letters:
            lx, ly = x + s * 0.32, y + s * 0.32
            d.add('<circle cx="%s" cy="%s" r="8" fill="#FFFFFF" stroke="#1F2937" stroke-width="1.2"/>'
                  % (n(lx), n(ly)))
            d.text(lx, ly + 4, chr(65 + i), 11, "#111827", "bold", "middle")
    centre = names[hover] if hover is not None else None
    d.image(skin_png(art, "BORDER"), cx - 76 * 0.6, cy - 76 * 0.6, 152 * 0.6, 152 * 0.6)
    if centre:
        d.image(art.icon(centre, 77), cx - 38.5, cy - 38.5)
    else:
        d.image(art.png("logo77", logo_svg, 77, 77), cx - 38.4, cy - 38.4, 76.8, 76.8)


def cursor(d, x, y, scale=1.0):
    d.add('<g transform="translate(%s %s) scale(%s)" filter="%s"><path d="M0,0 L0,21 L5,16 L9,25 L12.5,23.5 '
          'L8.5,15 L15,15 Z" fill="#FFFFFF" stroke="#111111" stroke-width="1.3" stroke-linejoin="round"/></g>'
          % (n(x), n(y), n(scale), d.shadow(1, 1, 0.4)))


def keycap(d, x, y, label, w=None):
    w = w or max(34, 11 * len(label) + 18)
    d.add('<rect x="%s" y="%s" width="%s" height="30" rx="7" fill="#1E2533" filter="%s"/>'
          % (n(x), n(y + 3), n(w), d.shadow(1.5, 1.5, 0.4)))
    d.add('<rect x="%s" y="%s" width="%s" height="28" rx="7" fill="%s" stroke="#9AA5B5" stroke-width="1"/>'
          % (n(x), n(y), n(w), d.lin([(0, "#FFFFFF"), (1, "#E2E7EE")])))
    d.text(x + w / 2.0, y + 19, label, 13, "#1E2533", "bold", "middle")
    return w


def page_base(title, caption):
    d = Svg(520, 320)
    d.add('<rect width="520" height="320" fill="%s"/>'
          % d.lin([(0, "#1C3F8F"), (0.55, "#3A2D87"), (1, "#0F5E78")], 0, 0, 1, 1))
    d.add('<circle cx="440" cy="40" r="160" fill="#5AA8FF" opacity="0.22" filter="%s"/>' % d.blur(40))
    d.add('<circle cx="60" cy="300" r="140" fill="#2FCCB8" opacity="0.18" filter="%s"/>' % d.blur(40))
    d.add('<rect y="262" width="520" height="58" fill="#0B1222" fill-opacity="0.55"/>')
    d.text(20, 288, title, 17, "#FFFFFF", "bold")
    d.text(20, 308, caption, 12.5, "#D6E2F5")
    return d


def page0(art):
    d = page_base("The ring", "Point at an icon to magnify it; click it to launch the program.")
    ring(art, d, 260, 130, 96, 38, hover=2)
    x, y = pt(260, 130, 96, -90 + 2 * 30)
    cursor(d, x + 6, y + 6)
    return d


def page1(art):
    d = page_base("Groups", "Click a group icon and its programs open in a pop-out menu.")
    names = RING[:8]
    ring(art, d, 112, 128, 80, 34, hover=3, names=names)
    x, y = pt(112, 128, 80, -90 + 3 * 45)
    cursor(d, x + 4, y + 6)
    d.add('<path d="M%s,%s C%s,%s 210,150 238,120" fill="none" stroke="#FFFFFF" stroke-width="2.5" '
          'stroke-dasharray="6 6" stroke-linecap="round" opacity="0.8"/>' % (n(x + 26), n(y + 4), n(x + 60), n(y + 20)))
    items = [("Internet", "Web browser", "A"), ("Mailbox", "Email", "B"), None,
             ("WinGroup", "Accessories", "C"), ("Microsoft Office Group", "Office", "D")]
    d.add('<g filter="%s">' % d.shadow(4, 4, 0.45))
    sample_menu(art, d, 240, 16, items, selected=1)
    d.add('</g>')
    return d


def page2(art):
    d = page_base("Key mode", "Press Alt+Space, then type the letter shown on an icon to launch it.")
    ring(art, d, 330, 132, 100, 38, hover=2, letters=True)
    x = 28
    x += keycap(d, x, 110, "Alt") + 8
    d.text(x + 2, 130, "+", 18, "#FFFFFF", "bold")
    x += 20
    keycap(d, x, 110, "Space", 92)
    d.text(28, 176, "then", 13, "#D6E2F5")
    keycap(d, 70, 156, "C")
    d.text(112, 176, "= 3rd icon", 13, "#D6E2F5")
    return d


def page3(art):
    d = page_base("Drop to add", "Drag files, folders or shortcuts onto the ring to add them.")
    ring(art, d, 330, 132, 100, 38, hover=11)
    d.add('<g opacity="0.85">')
    d.image(art.icon("File", 64), 60, 70)
    d.add('</g>')
    d.add('<path d="M124,104 C180,60 240,40 300,44" fill="none" stroke="#FFFFFF" stroke-width="3" '
          'stroke-dasharray="8 7" stroke-linecap="round" opacity="0.85"/>')
    d.add('<path d="M292,36 L304,44 L291,52" fill="none" stroke="#FFFFFF" stroke-width="3" stroke-linecap="round" '
          'stroke-linejoin="round" opacity="0.85"/>')
    x, y = pt(330, 132, 100, -90 + 11 * 30)
    cursor(d, x + 2, y + 2)
    d.image(art.png("skin:ADDICON", skin_addicon, 36, 36), x + 6, y + 16)
    for k, (key, make, label) in enumerate((("ADDICON", skin_addicon, "add"),
                                            ("NODROP", skin_nodrop, "not here"),
                                            ("REPLACEICON", skin_replaceicon, "replace"))):
        d.image(art.png("skin:" + key, make, 48, 48), 36 + k * 66, 168)
        d.text(60 + k * 66, 234, label, 12, "#D6E2F5", anchor="middle")
    return d


def page4(art):
    d = page_base("Tray icon and hotkeys", "Use the tray icon or a hotkey to bring up the dock from anywhere.")
    d.add('<rect x="0" y="214" width="520" height="48" fill="#0E1420" fill-opacity="0.85"/>')
    d.add('<rect x="0" y="214" width="520" height="1" fill="#FFFFFF" fill-opacity="0.15"/>')
    for i, c in enumerate(("#8892A6", "#8892A6", "#8892A6")):
        d.add('<rect x="%d" y="232" width="12" height="12" rx="3" fill="%s"/>' % (380 + i * 22, c))
    d.add('<rect x="443" y="225" width="30" height="30" rx="6" fill="#FFFFFF" fill-opacity="0.16" stroke="#FFFFFF" '
          'stroke-opacity="0.4"/>')
    d.image(art.png("app16", lambda: app_icon_svg(16), 16, 16), 450, 232)
    d.text(505, 243, "12:00", 11, "#E5E9F0", anchor="end")
    cursor(d, 460, 241)
    d.add('<rect x="24" y="18" width="472" height="180" rx="14" fill="#FFFFFF" fill-opacity="0.10" stroke="#FFFFFF" '
          'stroke-opacity="0.25"/>')
    d.text(44, 48, "Hotkeys work from any program", 14, "#FFFFFF", "bold")
    d.text(44, 66, "A click on the tray icon brings up the dock, too.", 12, "#D6E2F5")
    keys = (("Alt", "Space", "key mode: a letter per icon"), ("Shift", "Tab", "switch dock / desktop icons"),
            ("Ctrl", "Tab", "minimise the dock"), ("Win", "S", "web search box"))
    for i, (a, b, label) in enumerate(keys):
        x0, y = 44 + (i % 2) * 226, 78 + (i // 2) * 60
        x = x0 + keycap(d, x0, y, a, 58) + 8
        d.text(x, y + 19, "+", 15, "#FFFFFF", "bold")
        keycap(d, x + 16, y, b, 70 if len(b) > 1 else 36)
        d.text(x0, y + 48, label, 12, "#D6E2F5")
    return d


def slider(d, x, y, w, label, value, frac):
    d.text(x, y, label, 12.5, INK)
    d.text(x + w, y, value, 12.5, "#3B4556", anchor="end")
    d.add('<rect x="%s" y="%s" width="%s" height="4" rx="2" fill="#D5DAE2"/>' % (n(x), n(y + 12), n(w)))
    d.add('<rect x="%s" y="%s" width="%s" height="4" rx="2" fill="%s"/>' % (n(x), n(y + 12), n(w * frac), ACCENT))
    d.add('<circle cx="%s" cy="%s" r="8" fill="#FFFFFF" stroke="%s" stroke-width="1.2" filter="%s"/>'
          % (n(x + w * frac), n(y + 14), "#9AA5B5", d.shadow(1, 1, 0.3)))
    d.add('<circle cx="%s" cy="%s" r="4" fill="%s"/>' % (n(x + w * frac), n(y + 14), ACCENT))


def page5(art):
    d = page_base("Settings", "Tune icon size, icon count, ring radius and opacity to your liking.")
    d.add('<rect x="24" y="18" width="290" height="230" rx="12" fill="#F6F7F9" filter="%s"/>' % d.shadow(4, 4, 0.4))
    d.add('<rect x="24" y="18" width="290" height="34" rx="12" fill="#FFFFFF"/><rect x="24" y="40" width="290" '
          'height="12" fill="#FFFFFF"/><rect x="24" y="52" width="290" height="1" fill="#DDE1E7"/>')
    d.image(art.icon("Setting", 20), 36, 25)
    d.text(64, 40, "VEK Desktop Settings", 13, INK, "bold")
    for i, (label, value, frac) in enumerate((("Icon size", "64 px", 0.55), ("Icon count", "12", 0.3),
                                              ("Ring radius", "180 px", 0.6), ("Opacity", "90 %", 0.9))):
        slider(d, 42, 80 + i * 44, 254, label, value, frac)
    ring(art, d, 420, 132, 72, 30, hover=5, names=RING[:8])
    return d


PAGES = [page0, page1, page2, page3, page4, page5]


def busy_background(d, x, y, w, h):
    """A colourful, photo-like backdrop: blurred colour fields with fine grain."""
    cl = d.clip('<rect x="%d" y="%d" width="%d" height="%d"/>' % (x, y, w, h))
    d.add('<g clip-path="%s">' % cl)
    d.add('<rect x="%d" y="%d" width="%d" height="%d" fill="%s"/>'
          % (x, y, w, h, d.lin([(0, "#F2A65A"), (0.35, "#D94F70"), (0.7, "#3C6FD8"), (1, "#25B39E")], 0, 0, 1, 1)))
    rng = Lcg(99)
    cols = ["#FFE066", "#1B1F3B", "#FFFFFF", "#2EC4B6", "#E71D36", "#7B2CBF", "#0B6E4F", "#F8F9FA"]
    blur = d.blur(30)
    for i in range(int(w * h / 40000)):
        cx, cy = x + rng.next() * w, y + rng.next() * h
        r = 40 + rng.next() * 160
        d.add('<circle cx="%s" cy="%s" r="%s" fill="%s" opacity="%s" filter="%s"/>'
              % (n(cx), n(cy), n(r), cols[i % len(cols)], n(0.35 + rng.next() * 0.4), blur))
    for i in range(int(w * h / 9000)):
        cx, cy = x + rng.next() * w, y + rng.next() * h
        d.add('<circle cx="%s" cy="%s" r="%s" fill="%s" opacity="%s"/>'
              % (n(cx), n(cy), n(2 + rng.next() * 9), cols[(i * 3) % len(cols)], n(0.3 + rng.next() * 0.5)))
    d.add('</g>')


def contact_sheet(art):
    W = 2400
    names = [nm for nm, _ in SYSICONS]
    backgrounds = ["dark", "light", "busy"]
    band_h = 1330
    d = Svg(W, band_h * 3)
    for b, kind in enumerate(backgrounds):
        y0 = b * band_h
        if kind == "dark":
            d.add('<rect x="0" y="%d" width="%d" height="%d" fill="#14171D"/>' % (y0, W, band_h))
            ink = "#E6E9EF"
        elif kind == "light":
            d.add('<rect x="0" y="%d" width="%d" height="%d" fill="#F3F4F6"/>' % (y0, W, band_h))
            ink = "#1E2430"
        else:
            busy_background(d, 0, y0, W, band_h)
            ink = "#FFFFFF"
        label = 'stroke="#000000" stroke-opacity="0.55" stroke-width="2.5" paint-order="stroke"' \
            if kind == "busy" else ""
        d.text(24, y0 + 30, "VEK Desktop artwork on a %s background" % kind, 18, ink, "bold", extra=label)
        y = y0 + 48
        for i, nm in enumerate(names):  # 128 px, 16 a row
            x = 24 + (i % 16) * 147
            yy = y + (i // 16) * 150
            d.image(art.icon(nm, 128), x + 9, yy)
            d.text(x + 73, yy + 142, nm, 11, ink, anchor="middle", extra=label)
        y += 4 * 150 + 8
        for size, per_row, cell in ((64, 32, 72), (48, 32, 72)):
            for i, nm in enumerate(names):
                x = 24 + (i % per_row) * cell + (cell - size) // 2
                d.image(art.icon(nm, size), x, y + (i // per_row) * (size + 8))
            y += 2 * (size + 8) + 6
        for i, nm in enumerate(names):
            d.image(art.icon(nm, 32), 24 + i * 36, y)
        y += 48
        # skin row
        d.image(skin_png(art, "BORDER"), 24, y)
        d.image(skin_png(art, "LOGO"), 36, y + 12)
        d.image(skin_png(art, "BORDER"), 190, y)
        d.image(art.icon("Internet", 128), 202, y + 12)
        d.image(skin_png(art, "BACKSELECTCOLOR"), 356, y)
        for k, (nm, s) in enumerate((("Shortcut", 64), ("Mailbox", 64), ("Folder", 48), ("Run", 48))):
            px = 500 + k * 76
            d.image(art.png("skin:BACKSELECTCOLOR", skin_backselect, s, s), px, y + 10)
            d.image(art.icon(nm, s), px, y + 10)
        d.image(skin_png(art, "NODROP"), 500, y + 90)
        d.image(skin_png(art, "REPLACEICON"), 570, y + 90)
        d.image(skin_png(art, "ADDICON"), 640, y + 60)
        for k, nm in enumerate(("NODROP", "ADDICON", "REPLACEICON")):
            mk = {"NODROP": skin_nodrop, "ADDICON": skin_addicon, "REPLACEICON": skin_replaceicon}[nm]
            d.image(art.png("skin:" + nm, mk, 48, 48), 760 + k * 56, y + 120)
        menu_items = MENU_ITEMS + [("Folder", "Folder", "F")]
        sample_menu(art, d, 920, y, menu_items, selected=1, pressed=4)
        d.image(skin_png(art, "DELICON"), 1210, y)
        x = 1210
        for s in (16, 24, 32, 48):
            d.image(art.png("app%d" % s, lambda s=s: app_icon_svg(s), s, s), x, y + 190 - s)
            x += s + 16
        d.image(art.png("app256", lambda: app_icon_svg(256), 256, 256), 2120, y)
        x = 1210
        for i in range(9):
            d.image(art.png("eng%d_32" % i, lambda i=i: engine_svg(i, 32), 32, 32), x + i * 40, y + 220)
            d.image(art.png("eng%d_16" % i, lambda i=i: engine_svg(i, 16), 16, 16), x + 8 + i * 40, y + 260)
        d.image(art.png("hover_engine", hover_engine_svg, 32, 20), x + 370, y + 226)
        d.image(art.png("eng0_16", lambda: engine_svg(0, 16), 16, 16), x + 376, y + 228)
        d.image(art.png("search", lambda: magnifier_svg(16, "#3A4250"), 16, 16), x + 420, y + 228)
        d.image(art.png("hover_search", lambda: magnifier_svg(16, "#FFFFFF", True), 16, 16), x + 444, y + 228)
    return d


# --------------------------------------------------------------------------
# the whole tree
# --------------------------------------------------------------------------
def generate(out, jobs):
    art = Art(out, jobs)
    tasks = []

    def later(fn, *a):
        tasks.append(art.pool.submit(fn, *a))

    for nm, make, w, h, opaque in SKIN:
        later(lambda nm=nm, make=make, w=w, h=h, opaque=opaque:
              store_png(art.png("skin:" + nm, make, w, h), art.path("resources/skin/%s.png" % nm), opaque))
    for nm, _ in SYSICONS:
        later(lambda nm=nm: store_png(art.icon(nm, 256), art.path("resources/SysIcons/%s.png" % nm)))
    for i in range(9):
        for s in (16, 32):
            later(lambda i=i, s=s: store_png(art.png("eng%d_%d" % (i, s), lambda: engine_svg(i, s), s, s),
                                             art.path("resources/search/engine%d_%d.png" % (i, s))))
    later(lambda: store_png(art.png("hover_engine", hover_engine_svg, 32, 20),
                            art.path("resources/search/hover_engine.png")))
    later(lambda: store_png(art.png("hover_search", lambda: magnifier_svg(16, "#FFFFFF", True), 16, 16),
                            art.path("resources/search/hover_search.png")))
    later(lambda: store_png(art.png("search", lambda: magnifier_svg(16, "#3A4250"), 16, 16),
                            art.path("resources/search/search.png")))
    def icon_files():
        imgs = [art.png("app%d" % s, lambda s=s: app_icon_svg(s), s, s) for s in (16, 24, 32, 48, 256)]
        write_ico(imgs, art.path("resources/app/VekDesktop.ico"))
        store_png(imgs[-1], art.path("resources/app/VekDesktop.png"))

    later(icon_files)
    for size in (128, 64, 48, 32):
        for nm, _ in SYSICONS:
            art.warm("sys:" + nm, art.icons[nm], size, size)
    # composites call art.png from inside, so build them on this thread
    for i, page in enumerate(PAGES):
        svg = page(art).svg()
        later(lambda i=i, svg=svg: store_png(rsvg(svg, 520, 320), art.path("resources/pages/page%d.png" % i),
                                             True, "#000000"))
    sheet = contact_sheet(art)
    store_png(rsvg(sheet.svg(), sheet.w, sheet.h), art.path("docs/contact-sheet.png"), True, "#000000")
    for t in tasks:
        t.result()
    art.pool.shutdown()


def outputs(root):
    found = []
    for sub in ("resources/skin", "resources/SysIcons", "resources/search", "resources/pages", "resources/app"):
        base = os.path.join(root, sub)
        for dirpath, _, files in os.walk(base):
            for f in files:
                found.append(os.path.relpath(os.path.join(dirpath, f), root))
    found.append("docs/contact-sheet.png")
    return sorted(found)


def main(argv=None):
    ap = argparse.ArgumentParser(description="Generate VEK Desktop's artwork.")
    ap.add_argument("--out", help="write the tree under this folder instead of the repository")
    ap.add_argument("--check", action="store_true", help="exit 1 if committed files differ from a fresh run")
    ap.add_argument("--jobs", type=int, default=os.cpu_count() or 2)
    a = ap.parse_args(argv)
    for tool in ("rsvg-convert", "convert"):
        if not shutil.which(tool):
            sys.exit("%s is missing (install librsvg2-bin and imagemagick)" % tool)
    if a.check:
        tmp = tempfile.mkdtemp(prefix="vek-art-")
        try:
            generate(tmp, a.jobs)
            bad = []
            for rel in outputs(tmp):
                mine = os.path.join(REPO, rel)
                if not os.path.exists(mine):
                    bad.append("missing: " + rel)
                else:
                    with open(mine, "rb") as f1, open(os.path.join(tmp, rel), "rb") as f2:
                        if f1.read() != f2.read():
                            bad.append("differs: " + rel)
            for line in bad:
                print(line)
            if bad:
                return 1
            print("artwork is up to date (%d files)" % len(outputs(tmp)))
            return 0
        finally:
            shutil.rmtree(tmp, ignore_errors=True)
    generate(a.out or REPO, a.jobs)
    return 0


if __name__ == "__main__":
    sys.exit(main())
