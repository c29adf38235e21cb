#!/usr/bin/env python3
"""Paints every picture of Orvellia and writes them into resources/.

    python3 tools/pictures/make_pictures.py            # regenerate resources/
    python3 tools/pictures/make_pictures.py --out DIR  # write the same tree under DIR instead

Everything is painted procedurally: no photographs, no downloads. The output is deterministic
(fixed seeds, no timestamps); re-running gives the same bytes with the same Debian packages:
python3-numpy, python3-pil and the font package fonts-dejavu-core (DejaVu Sans Bold, used for the
dial's numerals). See resources/README.md for the list of pictures and who uses them.

Colour conventions: every painting function returns the picture as it should look ON SCREEN
(RGB). The renderer's texture upload exchanges red and blue (it hands the DIB's blue-green-red bytes to OpenGL as RGB), so the two
renderer pictures are written with red and blue exchanged (see write_renderer_bmp); the host's
pictures are drawn by GDI directly and are written as they look.
"""
import math
import os
import struct
import sys


def _ensure_modules():
    """pyenv and similar shims may hide Debian's python3-pil/python3-numpy: fall back to
    the system interpreter, which has them."""
    try:
        import numpy  # noqa: F401
        import PIL  # noqa: F401
    except ImportError:
        system_python = "/usr/bin/python3"
        if (os.path.exists(system_python)
                and os.path.realpath(sys.executable) != os.path.realpath(system_python)):
            os.execv(system_python, [system_python] + sys.argv)
        raise


_ensure_modules()

import numpy as np  # noqa: E402
from PIL import Image, ImageDraw, ImageFont  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(os.path.dirname(HERE))

# Debian package fonts-dejavu-core.
NUMERAL_FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"


# ------------------------------------------------------------------------------------------------
# File writers
# ------------------------------------------------------------------------------------------------

def to_u8(img):
    """Float picture (0..1) to uint8, rounding to nearest."""
    return np.clip(np.rint(np.asarray(img, dtype=np.float64) * 255.0), 0, 255).astype(np.uint8)


def bmp24_bytes(rgb):
    """A 24-bit BI_RGB bottom-up Windows bitmap of an H x W x 3 uint8 RGB array."""
    rgb = np.asarray(rgb, dtype=np.uint8)
    h, w, _ = rgb.shape
    row = w * 3
    pad = (-row) % 4
    rows = np.ascontiguousarray(rgb[::-1, :, ::-1])  # bottom-up, B G R
    if pad:
        rows = np.concatenate([rows.reshape(h, row), np.zeros((h, pad), np.uint8)], axis=1)
    pixels = rows.tobytes()
    ppm = 3780  # 96 dots per inch
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(pixels), ppm, ppm, 0, 0)
    offset = 14 + len(info)
    head = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return head + info + pixels


def write_file(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def write_host_bmp(path, rgb_u8):
    write_file(path, bmp24_bytes(rgb_u8))


def write_renderer_bmp(path, screen_rgb_u8):
    """Stores a renderer texture with red and blue exchanged, so that the upload's exchange
    (GL_RGB over B,G,R bytes) shows it on screen as screen_rgb_u8."""
    write_file(path, bmp24_bytes(np.asarray(screen_rgb_u8)[:, :, ::-1]))


# ------------------------------------------------------------------------------------------------
# Small numpy painting toolkit (float RGB in 0..1, alpha in 0..1)
# ------------------------------------------------------------------------------------------------

def box_blur_axis(a, r, axis):
    if r <= 0:
        return a
    a = np.moveaxis(a, axis, 0)
    n = a.shape[0]
    pad = np.concatenate([np.repeat(a[:1], r + 1, axis=0), a, np.repeat(a[-1:], r, axis=0)])
    c = np.cumsum(pad, axis=0, dtype=np.float64)
    out = (c[2 * r + 1:] - c[:-(2 * r + 1)]) / (2 * r + 1)
    return np.moveaxis(out[:n].astype(np.float32), 0, axis)


def blur(a, sigma):
    """Gaussian-like blur: three box passes per axis (edges clamped)."""
    if sigma <= 0.3:
        return a
    # box radius giving the variance of the gaussian after three passes
    r = max(1, int(round((math.sqrt(4.0 * sigma * sigma + 1.0) - 1.0) / 2.0)))
    for _ in range(3):
        a = box_blur_axis(a, r, 0)
        a = box_blur_axis(a, r, 1)
    return a


def smoothstep(e0, e1, x):
    t = np.clip((x - e0) / (e1 - e0), 0.0, 1.0)
    return t * t * (3.0 - 2.0 * t)


def mix(a, b, t):
    return a + (b - a) * t


def rgb(hexstr):
    hexstr = hexstr.replace(" ", "")
    return np.array([int(hexstr[i:i + 2], 16) for i in (0, 2, 4)], np.float32) / 255.0


class Layer:
    """A premultiplied RGBA layer."""

    def __init__(self, h, w):
        self.c = np.zeros((h, w, 3), np.float32)
        self.a = np.zeros((h, w), np.float32)

    def put(self, col, alpha, x0, y0):
        """Composite straight colour col (h,w,3 or 3) with alpha at (x0, y0)."""
        h, w = alpha.shape
        H, W = self.a.shape
        xa, ya = max(0, x0), max(0, y0)
        xb, yb = min(W, x0 + w), min(H, y0 + h)
        if xa >= xb or ya >= yb:
            return
        s = (slice(ya - y0, yb - y0), slice(xa - x0, xb - x0))
        a = alpha[s]
        col = np.broadcast_to(col, alpha.shape + (3,))[s]
        self.c[ya:yb, xa:xb] = self.c[ya:yb, xa:xb] * (1.0 - a[..., None]) + col * a[..., None]
        self.a[ya:yb, xa:xb] = self.a[ya:yb, xa:xb] * (1.0 - a) + a

    def blurred(self, sigma):
        out = Layer(1, 1)
        out.c = blur(self.c, sigma)
        out.a = blur(self.a, sigma)
        return out

    def onto(self, dst, opacity=1.0):
        a = np.clip(self.a * opacity, 0.0, 1.0)[..., None]
        dst *= (1.0 - a)
        dst += self.c * opacity


def value_noise(h, w, cell, rng, octaves=1):
    """Smooth random field in about -1..1, cell = feature size in pixels."""
    total = np.zeros((h, w), np.float32)
    amp, norm = 1.0, 0.0
    for _ in range(octaves):
        gh, gw = int(h / cell) + 3, int(w / cell) + 3
        g = rng.uniform(-1, 1, (gh, gw)).astype(np.float32)
        im = Image.fromarray(g, mode="F").resize((int(gw * cell), int(gh * cell)), Image.BICUBIC)
        total += amp * np.asarray(im, np.float32)[:h, :w]
        norm += amp
        amp *= 0.5
        cell = max(2.0, cell / 2.0)
    return total / norm


def downsample(img, factor):
    """Box-filter downsampling of an H x W (x C) array by an integer factor."""
    if factor == 1:
        return img
    h, w = img.shape[0] // factor, img.shape[1] // factor
    img = img[:h * factor, :w * factor]
    shp = (h, factor, w, factor) + img.shape[2:]
    return img.reshape(shp).mean(axis=(1, 3))


# ------------------------------------------------------------------------------------------------
# The cherry blossom (Somei-Yoshino style: five notched petals, pink eye, long stamens)
# ------------------------------------------------------------------------------------------------

class BlossomStyle:
    def __init__(self, edge="FFFBFC", mid="FCE6EE", base="F2A9C2", eye="D2507A",
                 stamen="FFF2F4", anther="E8BE5A", vein=0.04, cup=0.16):
        self.edge, self.mid, self.base = rgb(edge), rgb(mid), rgb(base)
        self.eye, self.stamen, self.anther = rgb(eye), rgb(stamen), rgb(anther)
        self.vein, self.cup = vein, cup


def blossom_patch(radius, rng, style, rot=None, tilt=0.0, tilt_dir=0.0, inner_ss=2,
                  open_=1.0, petals=5):
    """Paints one blossom of the given petal radius (pixels) into a square patch.

    Returns (colour (n,n,3), alpha (n,n), half) where the blossom's centre lies at (half, half).
    tilt (radians) turns the flower away from the viewer about the direction tilt_dir.
    """
    if rot is None:
        rot = rng.uniform(0, 2 * math.pi)
    half = int(math.ceil(radius * 1.08)) + 2
    n = 2 * half + 1
    k = inner_ss
    coords = (np.arange(n * k, dtype=np.float32) + 0.5) / k - 0.5 - half
    ys, xs = np.meshgrid(coords, coords, indexing="ij")
    # picture plane -> flower plane
    cd, sd = math.cos(tilt_dir), math.sin(tilt_dir)
    u = xs * cd + ys * sd
    v = -xs * sd + ys * cd
    u = u / max(0.25, math.cos(tilt))
    xs2 = u * cd - v * sd
    ys2 = u * sd + v * cd
    cr, sr = math.cos(-rot), math.sin(-rot)
    X = (xs2 * cr - ys2 * sr) / radius
    Y = (xs2 * sr + ys2 * cr) / radius

    col = np.zeros(X.shape + (3,), np.float32)
    alpha = np.zeros(X.shape, np.float32)
    px = 1.0 / (radius * k)  # one (inner) pixel in flower units
    order = list(range(petals))
    start = int(rng.integers(0, petals))
    order = order[start:] + order[:start]
    for i in order:
        th = 2 * math.pi * i / petals + rng.normal(0, 0.07)
        length = open_ * (1.0 + rng.normal(0, 0.04))
        width = 0.50 * (1.0 + rng.normal(0, 0.05))
        a = (X * math.cos(th) + Y * math.sin(th)) / length
        b = (-X * math.sin(th) + Y * math.cos(th)) / width
        # obovate petal: narrow at the base, broad near the tip
        s = 0.30 + 0.78 * np.clip(a, 0, 1.2)
        e = ((a - 0.53) / 0.48) ** 2 + (b / s) ** 2
        # the notch at the tip
        notch = ((a - 1.02) / 0.13) ** 2 + (b / 0.20) ** 2
        inside = smoothstep(1.0 + 2.2 * px, 1.0 - 2.2 * px, e) * smoothstep(1.0 - 3 * px, 1.0 + 3 * px, notch)
        inside *= (a > -0.05)
        if not inside.any():
            continue
        ac = np.clip(a, 0, 1)
        c = np.where((ac < 0.35)[..., None],
                     mix(style.base, style.mid, (ac / 0.35)[..., None]),
                     mix(style.mid, style.edge, np.clip((ac - 0.35) / 0.55, 0, 1)[..., None]))
        # cupping and veins
        shade = 1.0 - style.cup * np.clip(b / s, -1, 1) ** 2
        shade *= 1.0 - style.vein * (0.5 + 0.5 * np.cos(b * math.pi * 9.0)) * np.clip(ac * 1.4, 0, 1)
        # the rim of each petal darkens a little so overlaps read
        shade *= 1.0 - 0.10 * smoothstep(0.80, 1.0, e)
        shade *= 1.0 + 0.04 * rng.normal()
        c = c * shade[..., None]
        col = col * (1 - inside[..., None]) + c * inside[..., None]
        alpha = alpha * (1 - inside) + inside

    r = np.sqrt(X * X + Y * Y)
    heart = smoothstep(0.30 + 2 * px, 0.30 - 2 * px, r)
    col = col + (style.base - col) * (heart * (1 - alpha))[..., None]  # fill the gaps at the heart
    alpha = np.maximum(alpha, heart)
    # the eye: a deep-pink heart that fades into the petals
    eye = smoothstep(0.30, 0.08, r) * alpha
    col = mix(col, style.eye, (eye * 0.85)[..., None])
    # stamens: thin pale filaments with golden anthers
    nst = 16
    fil = np.zeros(X.shape, np.float32)
    ant = np.zeros(X.shape, np.float32)
    for j in range(nst):
        ang = 2 * math.pi * (j + rng.uniform(-0.3, 0.3)) / nst
        ln = rng.uniform(0.30, 0.46)
        ex, ey = ln * math.cos(ang), ln * math.sin(ang)
        t = np.clip((X * ex + Y * ey) / (ln * ln), 0, 1)
        d = np.sqrt((X - t * ex) ** 2 + (Y - t * ey) ** 2)
        fil = np.maximum(fil, smoothstep(0.022 + 1.5 * px, 0.010, d) * (t > 0.15))
        da = np.sqrt((X - ex) ** 2 + (Y - ey) ** 2)
        ant = np.maximum(ant, smoothstep(0.050 + 1.5 * px, 0.030, da))
    col = mix(col, style.stamen, (fil * 0.9)[..., None])
    col = mix(col, style.anther, (ant * 0.95)[..., None])
    pist = smoothstep(0.07 + px, 0.04, r)
    col = mix(col, rgb("D8E08A"), (pist * 0.8)[..., None])

    col = downsample(col * alpha[..., None], k)
    alpha = downsample(alpha, k)
    col = np.where(alpha[..., None] > 1e-6, col / np.maximum(alpha[..., None], 1e-6), 0.0)
    return col.astype(np.float32), alpha.astype(np.float32), half


def bud_patch(length, rng, angle, colour="E87C9C"):
    """A closed bud: a pink teardrop with a dark calyx, pointing along angle."""
    half = int(math.ceil(length)) + 2
    n = 2 * half + 1
    ys, xs = np.mgrid[0:n, 0:n].astype(np.float32) - half
    ca, sa = math.cos(angle), math.sin(angle)
    a = (xs * ca + ys * sa) / length
    b = (-xs * sa + ys * ca) / length
    w = 0.36 * np.sqrt(np.clip(a + 0.05, 0, 2)) * np.clip(1.25 - a, 0, 1.2)
    inside = smoothstep(1.0, 0.85, np.abs(b) / np.maximum(w, 1e-3)) * (a > -0.02) * (a < 1.0)
    c = np.broadcast_to(rgb(colour), xs.shape + (3,)).copy()
    c = mix(c, rgb("F8C4D4"), (np.clip(a, 0, 1) * 0.6)[..., None])
    c *= (1.0 - 0.25 * np.clip(b / np.maximum(w, 1e-3), -1, 1) ** 2)[..., None]
    calyx = smoothstep(0.30, 0.18, a)
    c = mix(c, rgb("8A4A40"), calyx[..., None])
    return c.astype(np.float32), inside.astype(np.float32), half


# ------------------------------------------------------------------------------------------------
# Branches
# ------------------------------------------------------------------------------------------------

def grow_branch(rng, x, y, angle, length, width, depth, segs, nodes, min_width=1.5,
                node_gap=(14.0, 34.0)):
    """Random walk of a gnarly branch. Appends (x0, y0, x1, y1, w) to segs and
    cluster sites (x, y, angle, w) to nodes."""
    step = max(3.0, width * 0.8)
    travelled = 0.0
    next_fork = rng.uniform(0.25, 0.5) * length
    next_node = rng.uniform(node_gap[0] * 0.5, node_gap[1])
    w = width
    while travelled < length and w > min_width * 0.6:
        angle += rng.normal(0, 0.09)
        nx, ny = x + step * math.cos(angle), y + step * math.sin(angle)
        w1 = width * (1.0 - 0.65 * travelled / length)
        segs.append((x, y, nx, ny, w1))
        x, y, w = nx, ny, w1
        travelled += step
        next_node -= step
        if next_node <= 0:
            nodes.append((x, y, angle, w))
            next_node = rng.uniform(*node_gap)
        if depth > 0 and travelled >= next_fork:
            side = 1 if rng.random() < 0.5 else -1
            grow_branch(rng, x, y, angle + side * rng.uniform(0.35, 0.9),
                        length * rng.uniform(0.35, 0.6), w * rng.uniform(0.5, 0.7),
                        depth - 1, segs, nodes, min_width, node_gap)
            next_fork += rng.uniform(0.2, 0.45) * length
            angle -= side * rng.uniform(0.05, 0.25)
    nodes.append((x, y, angle, w))


def paint_branches(layer, segs, rng, dark="2E2226", light="6E5A56", scale=1.0):
    """Draws segments as a bark-coloured limb with a lit upper edge onto layer."""
    h, w = layer.a.shape
    mask = Image.new("L", (w, h), 0)
    hi = Image.new("L", (w, h), 0)
    dm, dh = ImageDraw.Draw(mask), ImageDraw.Draw(hi)
    for (x0, y0, x1, y1, wd) in segs:
        wd = wd * scale
        dm.line((x0, y0, x1, y1), fill=255, width=max(1, int(round(wd))))
        r = wd / 2.0
        dm.ellipse((x1 - r, y1 - r, x1 + r, y1 + r), fill=255)
        off = wd * 0.22
        hw = max(1, int(round(wd * 0.35)))
        dh.line((x0 - off * 0.4, y0 - off, x1 - off * 0.4, y1 - off), fill=255, width=hw)
    m = np.asarray(mask, np.float32) / 255.0
    hl = np.asarray(hi, np.float32) / 255.0 * m
    hl = blur(hl, 1.0) * m
    noise = value_noise(h, w, 3.0, rng, octaves=2)
    bark = mix(rgb(dark), rgb(light), np.clip(hl * 0.8 + 0.12 * noise, 0, 1)[..., None])
    # lenticels: thin lighter horizontal flecks typical of cherry bark
    fleck = (value_noise(h, w, 1.5, rng) > 0.55).astype(np.float32) * 0.12
    bark = bark * (1.0 + fleck[..., None])
    layer.put(bark.astype(np.float32), m, 0, 0)


def put_cluster(layer, rng, x, y, angle, radius, style, count, tilt_max=1.0, buds=0,
                stem_col="7C5A44"):
    """A hanging cluster of blossoms on short stalks around (x, y)."""
    items = []
    for _ in range(count):
        ang = angle + rng.normal(0, 1.3)
        dist = radius * rng.uniform(0.7, 1.9)
        items.append(("f", x + dist * math.cos(ang), y + dist * math.sin(ang),
                      radius * rng.uniform(0.8, 1.12)))
    for _ in range(buds):
        ang = angle + rng.normal(0, 1.4)
        dist = radius * rng.uniform(1.2, 2.1)
        items.append(("b", x + dist * math.cos(ang), y + dist * math.sin(ang),
                      radius * rng.uniform(0.45, 0.6)))
    # stalks first
    h, w = layer.a.shape
    st = Image.new("L", (w, h), 0)
    ds = ImageDraw.Draw(st)
    sw = max(1, int(round(radius * 0.045)))
    for (_, ix, iy, _) in items:
        ds.line((x, y, ix, iy), fill=255, width=sw)
    m = np.asarray(st, np.float32) / 255.0
    if m.any():
        layer.put(rgb(stem_col), m, 0, 0)
    rng.shuffle(items)
    for (kind, ix, iy, r) in items:
        if kind == "f":
            c, a, half = blossom_patch(r, rng, style, tilt=rng.uniform(0, tilt_max),
                                       tilt_dir=rng.uniform(0, math.pi))
        else:
            c, a, half = bud_patch(r * 1.25, rng, math.atan2(iy - y, ix - x))
        layer.put(c, a, int(round(ix)) - half, int(round(iy)) - half)


def bokeh(layer, rng, count, rmin, rmax, colours, amin=0.25, amax=0.6):
    h, w = layer.a.shape
    ys, xs = np.mgrid[0:h, 0:w].astype(np.float32)
    for _ in range(count):
        cx, cy = rng.uniform(-rmax, w + rmax), rng.uniform(-rmax, h + rmax)
        r = rng.uniform(rmin, rmax)
        x0, x1 = int(max(0, cx - r - 2)), int(min(w, cx + r + 3))
        y0, y1 = int(max(0, cy - r - 2)), int(min(h, cy + r + 3))
        if x0 >= x1 or y0 >= y1:
            continue
        d = np.sqrt((xs[y0:y1, x0:x1] - cx) ** 2 + (ys[y0:y1, x0:x1] - cy) ** 2) / r
        disc = smoothstep(1.0, 0.93, d)
        rim = 1.0 + 0.25 * smoothstep(0.7, 0.97, d)  # lens bokeh: slightly brighter edge
        col = colours[int(rng.integers(0, len(colours)))]
        a = disc * rng.uniform(amin, amax)
        c = np.clip(np.broadcast_to(col, d.shape + (3,)) * rim[..., None], 0, 1)
        layer.put(c.astype(np.float32), a.astype(np.float32), x0, y0)


# ------------------------------------------------------------------------------------------------
# A photograph-like painting of cherry blossoms
# ------------------------------------------------------------------------------------------------

STYLES = {
    "white": dict(edge="FFFDFD", mid="FDF0F4", base="F4C4D4", eye="D8688C"),
    "pale": dict(edge="FFF9FB", mid="FBE3EC", base="F0A6C0", eye="CC4A76"),
    "pink": dict(edge="FCE8F0", mid="F6C6D8", base="E88AAE", eye="C03C6A"),
}


def blossom_photo(w, h, seed, ss=2, main_branches=(), sky_top="9CC0E6", sky_bottom="EEE4EE",
                  far_amount=1.0, near_radius=(17.0, 23.0), mid_radius=(9.0, 12.0),
                  mid_branches=3, foreground=()):
    """Returns an H x W x 3 float picture (0..1): cherry blossoms photographed against a soft
    sky with a shallow depth of field: a blurred far canopy, bokeh, a slightly soft middle layer,
    sharp main branches (main_branches: (x, y as fractions, angle, length as fraction of the
    width, width in pixels)) and optional out-of-focus foreground blossoms ((x, y, radius))."""
    rng = np.random.default_rng(seed)
    W, H = w * ss, h * ss
    ys, xs = np.mgrid[0:H, 0:W].astype(np.float32)
    # --- sky -------------------------------------------------------------------------------
    t = (ys / H)[..., None]
    img = mix(rgb(sky_top), rgb(sky_bottom), t ** 0.8)
    img = (img + 0.05 * value_noise(H, W, 90 * ss, rng, 2)[..., None]).astype(np.float32)

    # --- far canopy: soft pink masses and blurred twigs ---------------------------------------
    far = Layer(H, W)
    segs, nodes = [], []
    for _ in range(max(1, int(round(5 * far_amount)))):
        grow_branch(rng, rng.uniform(0, W), rng.uniform(0, H), rng.uniform(0, 2 * math.pi),
                    rng.uniform(0.4, 0.8) * W, rng.uniform(4, 8) * ss, 2, segs, nodes,
                    node_gap=(14.0 * ss, 30.0 * ss))
    paint_branches(far, segs, rng, dark="5A4A55", light="7E6C78")
    for (x, y, ang, wd) in nodes:
        for _ in range(2):
            cx, cy = x + rng.normal(0, 14 * ss), y + rng.normal(0, 14 * ss)
            r = rng.uniform(10, 20) * ss
            st = STYLES["pale" if rng.random() < 0.5 else "pink"]
            col = mix(rgb(st["mid"]), rgb(st["base"]), rng.uniform(0, 0.6))
            x0, x1 = int(max(0, cx - 1.2 * r)), int(min(W, cx + 1.2 * r + 1))
            y0, y1 = int(max(0, cy - 1.2 * r)), int(min(H, cy + 1.2 * r + 1))
            if x0 < x1 and y0 < y1:
                d = np.sqrt((xs[y0:y1, x0:x1] - cx) ** 2 + (ys[y0:y1, x0:x1] - cy) ** 2) / r
                far.put(col, (smoothstep(1.1, 0.6, d) * 0.9).astype(np.float32), x0, y0)
    far = far.blurred(9 * ss)
    far.onto(img, 0.85)

    # --- bokeh of sunlit blossoms ------------------------------------------------------------
    bk = Layer(H, W)
    bokeh(bk, rng, int(70 * far_amount), 6 * ss, 22 * ss,
          [rgb("FFFFFF"), rgb("FBE0EA"), rgb("F6C2D6"), rgb("FFF4E8"), rgb("E8B0C8")], 0.15, 0.5)
    bk.blurred(1.6 * ss).onto(img)

    # --- middle distance: slightly soft branches with clusters --------------------------------
    mid = Layer(H, W)
    segs, nodes = [], []
    for _ in range(mid_branches):
        edge = rng.integers(0, 4)
        if edge == 0:
            x, y, a = 0, rng.uniform(0, H), rng.uniform(-0.6, 0.6)
        elif edge == 1:
            x, y, a = W, rng.uniform(0, H), math.pi + rng.uniform(-0.6, 0.6)
        elif edge == 2:
            x, y, a = rng.uniform(0, W), 0, math.pi / 2 + rng.uniform(-0.6, 0.6)
        else:
            x, y, a = rng.uniform(0, W), H, -math.pi / 2 + rng.uniform(-0.6, 0.6)
        gap = 3.2 * mid_radius[1] * ss
        grow_branch(rng, x, y, a, rng.uniform(0.5, 0.9) * W, rng.uniform(5, 8) * ss, 2, segs,
                    nodes, node_gap=(gap * 0.7, gap * 1.3))
    paint_branches(mid, segs, rng, dark="3C2E34", light="7A6670")
    for (x, y, ang, wd) in nodes:
        if rng.random() < 0.8:
            st = BlossomStyle(**STYLES[["white", "pale", "pink"][int(rng.integers(0, 3))]])
            put_cluster(mid, rng, x, y, ang + math.pi / 2 * (1 if rng.random() < .5 else -1),
                        rng.uniform(*mid_radius) * ss, st, int(rng.integers(2, 5)),
                        buds=int(rng.integers(0, 2)))
    mid = mid.blurred(2.0 * ss)
    mid.onto(img)

    # --- in focus: the main branches ----------------------------------------------------------
    near = Layer(H, W)
    segs, nodes = [], []
    gap = 3.0 * near_radius[1] * ss
    for (x, y, a, ln, wd) in main_branches:
        grow_branch(rng, x * W, y * H, a, ln * W, wd * ss, 2, segs, nodes,
                    node_gap=(gap * 0.7, gap * 1.2))
    paint_branches(near, segs, rng, dark="241A1E", light="74605C")
    for (x, y, ang, wd) in nodes:
        if rng.random() < 0.9:
            kind = ["white", "pale", "pale", "pink"][int(rng.integers(0, 4))]
            st = BlossomStyle(**STYLES[kind])
            put_cluster(near, rng, x, y, ang + math.pi / 2 * (1 if rng.random() < .5 else -1),
                        rng.uniform(*near_radius) * ss, st, int(rng.integers(2, 5)),
                        buds=int(rng.integers(0, 3)))
    # a faint soft shadow under the sharp layer separates it from the background
    sh = blur(near.a, 3 * ss) * 0.22
    img *= (1.0 - sh[..., None])
    near.onto(img)

    # --- out-of-focus foreground blossoms -----------------------------------------------------
    if foreground:
        fg = Layer(H, W)
        for (fx, fy, fr) in foreground:
            st = BlossomStyle(**STYLES["pale"])
            c, a, half = blossom_patch(fr * ss, rng, st, tilt=rng.uniform(0.2, 0.7),
                                       tilt_dir=rng.uniform(0, math.pi), inner_ss=1)
            fg.put(c, a, int(fx * W) - half, int(fy * H) - half)
        fg.blurred(7 * ss).onto(img, 0.9)

    # --- photographic finish: a soft glow of the highlights and a little grain ----------------
    glow = blur(np.clip(img - 0.75, 0, 1), 6 * ss)
    img = img + 0.35 * glow
    img = downsample(img, ss)
    img = img + rng.normal(0, 0.008, img.shape).astype(np.float32)
    return np.clip(img, 0, 1).astype(np.float32)


# ------------------------------------------------------------------------------------------------
# Renderer pictures
# ------------------------------------------------------------------------------------------------

def paint_dial():
    """512 x 512 clock dial over cherry blossoms, as seen on screen."""
    size, ss = 512, 2
    photo = blossom_photo(
        size, size, seed=20240401, ss=ss,
        main_branches=[(0.0, 0.80, -0.50, 1.0, 14), (1.0, 0.20, math.pi - 0.35, 0.85, 11),
                       (1.0, 0.86, math.pi + 0.30, 0.6, 10)],
        sky_top="A8C4E4", sky_bottom="E6DCEA",
        foreground=[(0.06, 0.08, 40), (0.95, 0.93, 46)])
    # grade for the dark scene: richer colour and a little more contrast, since the renderer's
    # grey factor halves the brightness at the ring and the picture must not turn to grey haze
    lum = photo.mean(axis=2, keepdims=True)
    photo = np.clip(lum + (photo - lum) * 1.35, 0, 1)
    photo = np.clip(0.5 + (photo - 0.5) * 1.12, 0, 1).astype(np.float32)
    img = photo.copy()
    c = size / 2.0
    ys, xs = np.mgrid[0:size, 0:size].astype(np.float32)
    r = np.sqrt((xs + 0.5 - c) ** 2 + (ys + 0.5 - c) ** 2)
    ring = size / 4.0  # 128
    # a smoky glass band under the numerals keeps them legible on the bright petals
    band = smoothstep(ring - 50, ring - 42, r) * smoothstep(ring + 7, ring + 2, r)
    grey = img.mean(axis=2, keepdims=True)
    smoky = mix(img, grey, 0.30) * 0.46 + rgb("3A1030") * 0.16
    img = mix(img, smoky, band[..., None] * 0.85)

    # dial marks are drawn at 4x and box-filtered down
    k = 4
    S = size * k
    over_img = Image.new("L", (S, S), 0)      # white marks
    dr = ImageDraw.Draw(over_img)
    C = S / 2.0

    def circle(radius, width):
        dr.ellipse((C - radius, C - radius, C + radius, C + radius), outline=255, width=int(width))

    circle((ring + 1.5) * k, 3 * k)          # the ring itself, radius 128 (outer line)
    circle((ring - 44) * k, 1 * k)           # fine inner line of the band
    for m in range(60):
        a = m * math.pi / 30
        sa, ca = math.sin(a), math.cos(a)
        if m % 5 == 0:
            r0, r1, wd = ring - 16, ring, 3.2
        else:
            r0, r1, wd = ring - 8, ring, 1.4
        pts = []
        for rr in (r0, r1):
            pts.append((C + rr * k * sa, C - rr * k * ca))
        # a tick as a thin quadrilateral
        nx, ny = ca * wd * k / 2, sa * wd * k / 2
        dr.polygon([(pts[0][0] - nx, pts[0][1] - ny), (pts[1][0] - nx, pts[1][1] - ny),
                    (pts[1][0] + nx, pts[1][1] + ny), (pts[0][0] + nx, pts[0][1] + ny)], fill=255)
    font = ImageFont.truetype(NUMERAL_FONT, 27 * k)
    stretch = 1.22  # pre-stretched vertically: the dial is seen foreshortened
    numr = ring - 30
    for hnum in range(1, 13):
        text = str(hnum)
        bbox = font.getbbox(text)
        tw, th = bbox[2] - bbox[0], bbox[3] - bbox[1]
        g = Image.new("L", (tw + 8 * k, th + 8 * k), 0)
        ImageDraw.Draw(g).text((4 * k - bbox[0], 4 * k - bbox[1]), text, font=font, fill=255)
        g = g.resize((g.width, int(round(g.height * stretch))), Image.LANCZOS)
        a = hnum * math.pi / 6
        cx, cy = C + numr * k * math.sin(a), C - numr * k * math.cos(a)
        over_img.paste(255, (int(round(cx - g.width / 2)), int(round(cy - g.height / 2))), g)
    marks = np.asarray(over_img, np.float32) / 255.0
    marks = downsample(marks, k)
    # dark halo behind the marks, then the marks in a warm white
    halo = np.clip(blur(marks, 2.0) * 2.2, 0, 1)
    img = img * (1.0 - 0.55 * halo[..., None])
    img = mix(img, rgb("FFF6F8"), marks[..., None])
    return np.clip(img, 0, 1), photo


def paint_blossom_texture():
    """32 x 32: one bright five-petal blossom on pure black."""
    big = 512
    rng = np.random.default_rng(111)
    st = BlossomStyle(edge="FFF4FA", mid="FFD2E6", base="FF86B4", eye="F0488A",
                      stamen="FFF0F6", anther="FFD870", vein=0.05, cup=0.10)
    # petal radius 0.47 of the square: the flower nearly fills it (the hands stretch it along
    # their length, so a full flower gives them body), with a black margin of about a pixel
    c, a, half = blossom_patch(big * 0.47, rng, st, rot=-math.pi / 2, inner_ss=1)
    lay = Layer(big, big)
    lay.put(c, a, big // 2 - half, big // 2 - half)
    small = downsample(lay.c, big // 32)  # premultiplied: the flower over black
    out = to_u8(np.clip(small * 1.08, 0, 1))
    # the background must be exactly black, so that the additive blend leaves the scene as it is
    out[out.max(axis=2) < 6] = 0
    out[0, :] = out[-1, :] = 0
    out[:, 0] = out[:, -1] = 0
    return out


# ------------------------------------------------------------------------------------------------
# Host pictures
# ------------------------------------------------------------------------------------------------

def paint_panel():
    """470 x 165: a pale, low-contrast photograph of cherry-blossom branches."""
    w, h = 470, 165
    photo = blossom_photo(
        w, h, seed=47016, ss=2,
        main_branches=[(1.0, 0.18, math.pi - 0.12, 0.75, 10), (0.0, 0.95, -0.35, 0.45, 8)],
        sky_top="B8D2EE", sky_bottom="F2ECF2", far_amount=0.8, near_radius=(12.0, 16.0),
        mid_radius=(7.0, 9.0), mid_branches=2)
    # wash out: lift towards a warm white and cut the contrast so black text reads on it
    lum = photo.mean(axis=2, keepdims=True)
    soft = mix(photo, lum, 0.25)
    pale = mix(rgb("FBF7F8"), soft, 0.44)
    return to_u8(pale)


def paint_indicator(on):
    img = np.ones((12, 12, 3), np.float32)
    edge = rgb("505050")
    img[:, :] = rgb("FFFFFF")
    img[0, :] = img[-1, :] = edge
    img[:, 0] = img[:, -1] = edge
    if on:
        ys = (np.arange(10, dtype=np.float32) / 9.0)[:, None, None]
        fill = mix(rgb("3C8CFF"), rgb("0050F0"), ys)
        img[1:11, 1:11] = np.broadcast_to(fill, (10, 10, 3))
        img[1, 1:11] = rgb("7CB4FF")
    else:
        img[1, 1:11] = rgb("E8E8E8")
        img[1:11, 1] = rgb("E8E8E8")
    return to_u8(img)


# --- button state pictures ------------------------------------------------------------------------

BTN_W, BTN_H = 64, 25


def button_picture(state):
    """One of the six 64 x 25 state pictures, in the style of the button control's looks.

    Only the outer 4-pixel frame reaches the screen: the 4 x 4 corners as they are and the edge
    strips stretched along their length, so every strip is kept uniform along its length (the
    sides shade only from top to bottom, which stretching keeps). Rings are counted from the
    picture's edge: ring 0 the margin, ring 1 the border, rings 2 and 3 the rim or face."""
    W, H = BTN_W, BTN_H
    X, Y = np.meshgrid(np.arange(W), np.arange(H))
    ring = np.minimum(np.minimum(X, W - 1 - X), np.minimum(Y, H - 1 - Y))
    yf = (Y / (H - 1.0))[..., None]
    img = np.zeros((H, W, 3), np.float32)

    pressed = state == "pressed"
    inset = 1 if pressed else 0                     # Pressed: everything one pixel inwards
    b = inset + 1                                   # the border's ring
    border = rgb("C9C7BA") if state == "disable" else rgb("003C74")
    if state in ("normal", "highlight", "highlight_select", "selected"):
        margin = mix(rgb("ECE9D8"), rgb("E2DECB"), yf)   # window-background beige
        face = rgb("F3F3EE")
    elif pressed:
        margin = np.broadcast_to(rgb("ECE9D8"), (H, W, 3))
        face = rgb("E2E1D9")
    else:
        margin = np.broadcast_to(rgb("ECE9D8"), (H, W, 3))
        face = rgb("F5F4EA")
    img[:] = face
    img[ring < b] = margin[ring < b]
    img[ring == b] = border

    f = b + 1                                       # first ring inside the border
    inner = ring >= f
    top, bot = inner & (Y == f), inner & (Y == H - 1 - f)
    lft, rgt = inner & (X == f), inner & (X == W - 1 - f)
    if state == "normal":
        img[(inner & (Y == H - 2 - f))] = rgb("E6E3DA")
        img[rgt] = rgb("E8E6DE")
        img[top | (lft & ~bot)] = rgb("FCFCFA")    # lighter top-left inner edge
        img[bot] = rgb("D6D0C5")                   # beige shadow row above the bottom border
    elif state in ("highlight", "highlight_select", "selected"):
        if state == "selected":
            rows_top = (rgb("CEE7FF"), rgb("BCD8FA"))
            side_top, side_bottom = rgb("B7D0F4"), rgb("8BADE4")
            rows_bottom = (rgb("6982EE"), rgb("7D96EC"))
        else:
            rows_top = (rgb("FFF0CF"), rgb("FDD889"))
            side_top, side_bottom = rgb("FEDF9A"), rgb("F9B435")
            rows_bottom = (rgb("E59700"), rgb("F8B230"))
        side = mix(side_top, side_bottom, np.clip((Y - f) / (H - 1.0 - 2 * f), 0, 1)[..., None])
        for i in range(2):                         # i = 0: the rim ring next to the border
            r = ring == f + i
            img[r] = side[r]
            img[r & (Y == f + i)] = rows_top[i]
            img[r & (Y == H - 1 - f - i)] = rows_bottom[i]
    elif pressed:
        img[top] = rgb("D0CBBF")                   # shadow along the top
        img[lft & ~top & ~bot] = rgb("D8D4CA")
        img[rgt & ~top & ~bot] = rgb("E9E8E2")
        img[bot] = rgb("F2F1EE")                   # light band along the bottom
    # rounded corners: the border's corner pixel fades into the margin, and the pixel inside it
    # takes a little of the border so that the curve reads smooth
    for (cx, cy, sx, sy) in ((b, b, 1, 1), (W - 1 - b, b, -1, 1), (b, H - 1 - b, 1, -1),
                             (W - 1 - b, H - 1 - b, -1, -1)):
        img[cy, cx] = mix(img[cy - sy, cx - sx], border, 0.30)
        img[cy + sy, cx + sx] = mix(img[cy + sy, cx + sx], border, 0.20)
    return to_u8(img)


BUTTON_STATES = ["normal", "disable", "highlight", "highlight_select", "selected", "pressed"]


# --- icon and cursor -----------------------------------------------------------------------------

def paint_icon_rgba(n, photo):
    """A circular dial seen tilted in perspective: an elliptical blossom face with a white ring,
    the disc's plum edge showing its thickness, and two hands (about 12:20)."""
    k = 8
    S = n * k
    ys, xs = np.mgrid[0:S, 0:S].astype(np.float32)
    x = (xs + 0.5) / S * 2 - 1
    y = (ys + 0.5) / S * 2 - 1
    rx, ry = 0.97, 0.60
    cy_face, thick = -0.12, 0.24
    ef = (x / rx) ** 2 + ((y - cy_face) / ry) ** 2
    eb = (x / rx) ** 2 + ((y - cy_face - thick) / ry) ** 2
    face = ef <= 1.0
    side = ((eb <= 1.0) | ((np.abs(x) <= rx) & (y >= cy_face) & (y <= cy_face + thick))) & ~face
    col = np.zeros((S, S, 3), np.float32)
    alpha = (face | side).astype(np.float32)
    # the edge of the disc: plum, lit from the left, a light line along its lower rim
    sh = 0.65 + 0.55 * np.clip(0.5 - x * 0.5, 0, 1)
    col[side] = np.clip(rgb("8A2A55") * sh[..., None], 0, 1)[side]
    low = side & (eb > 0.80) & (y > cy_face + thick)
    col[low] = np.clip(rgb("5A1838") * sh[..., None], 0, 1)[low]
    # the face: the blossom photograph seen through the ellipse, lifted towards pink
    u = x / rx
    v = (y - cy_face) / ry
    rr = np.sqrt(u * u + v * v)
    ph = photo.shape[0]
    su = np.clip((u * 0.45 + 0.5) * ph, 0, ph - 1).astype(np.int32)
    sv = np.clip((v * 0.45 + 0.5) * ph, 0, ph - 1).astype(np.int32)
    tex = blur(photo, 3.0)[sv, su]
    tex = mix(tex, rgb("F2A6C6"), 0.40)
    light = 1.05 - 0.20 * smoothstep(0.3, 1.0, rr) - 0.10 * v
    col[face] = np.clip(tex * light[..., None], 0, 1)[face]
    # the ring and its four main ticks, the hands and the hub, all in the tilted plane
    ring = face & (np.abs(rr - 0.80) < 0.055)
    col[ring] = rgb("FFFFFF")
    for ang in (0, 90, 180, 270):
        a = math.radians(ang)
        hx, hy = math.sin(a), -math.cos(a)
        t = np.clip(u * hx + v * hy, 0.56, 0.78)
        dd = np.sqrt((u - t * hx) ** 2 + (v - t * hy) ** 2)
        col[face & (dd < 0.055)] = rgb("FFFFFF")
    for (ang, ln, wd) in ((120.0, 0.50, 0.085), (0.0, 0.72, 0.06)):
        a = math.radians(ang)
        hx, hy = math.sin(a), -math.cos(a)
        t = np.clip(u * hx + v * hy, 0, ln)
        dd = np.sqrt((u - t * hx) ** 2 + (v - t * hy) ** 2)
        col[face & (dd < wd)] = rgb("3A0E28")
    col[face & (rr < 0.11)] = rgb("D03070")
    col = downsample(col * alpha[..., None], k)
    a = downsample(alpha, k)
    col = np.where(a[..., None] > 0, col / np.maximum(a[..., None], 1e-6), 0)
    return col, a


def ico_bytes(images):
    """images: list of (rgb uint8 (n,n,3), mask bool (n,n) True = opaque). Writes each as an
    8-bit palettised image (256-colour) with a 1-bit AND mask."""
    entries, blobs = [], []
    for (rgbu8, opaque) in images:
        n = rgbu8.shape[0]
        pal_img = Image.fromarray(rgbu8, "RGB").quantize(colors=255, method=Image.MEDIANCUT,
                                                         dither=Image.Dither.NONE)
        idx = np.asarray(pal_img, np.uint8).astype(np.int32) + 1  # index 0 = transparent black
        idx[~opaque] = 0
        pal = pal_img.getpalette()[:255 * 3]
        pal += [0] * (255 * 3 - len(pal))
        palette = b"\0\0\0\0" + b"".join(
            bytes((pal[3 * i + 2], pal[3 * i + 1], pal[3 * i], 0)) for i in range(255))
        xor = np.ascontiguousarray(idx[::-1].astype(np.uint8)).tobytes()  # n multiple of 4
        mask_rows = []
        for row in (~opaque)[::-1]:
            bits = np.packbits(row.astype(np.uint8))
            rb = bits.tobytes()
            rb += b"\0" * ((-len(rb)) % 4)
            mask_rows.append(rb)
        andm = b"".join(mask_rows)
        hdr = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 8, 0, len(xor) + len(andm), 0, 0, 256, 0)
        blob = hdr + palette + xor + andm
        blobs.append(blob)
        entries.append((n, blob))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (n, blob) in entries:
        out += struct.pack("<BBBBHHII", n % 256, n % 256, 0, 0, 1, 8, len(blob), offset)
        offset += len(blob)
    return out + b"".join(blobs)


# The hand cursor, 32 x 32. '#' black outline, '.' white, ' ' transparent.
# The index fingertip's top is at column 12, row 10: the hot spot.
HAND = [
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "           ###",
    "          #...#",
    "          #...#",
    "          #...#",
    "          #...#",
    "          #...###",
    "          #...#..###",
    "          #...#..#..##",
    "          #...#..#..#.#",
    "     ###  #...#..#..#..#",
    "    #...# #............#",
    "    #....##............#",
    "     #...#.............#",
    "      #................#",
    "      #...............#",
    "       #..............#",
    "       #..............#",
    "        #............#",
    "        #............#",
    "         #..........#",
    "         ############",
    "",
]
HOTSPOT = (12, 10)


def cur_bytes():
    n = 32
    xor = np.zeros((n, n), np.uint8)  # 1 = white
    andm = np.ones((n, n), np.uint8)  # 1 = transparent
    assert len(HAND) == n
    for y, line in enumerate(HAND):
        for x, ch in enumerate(line):
            if ch == "#":
                andm[y, x] = 0
            elif ch == ".":
                andm[y, x] = 0
                xor[y, x] = 1
    assert andm[HOTSPOT[1], HOTSPOT[0]] == 0, "hot spot must lie on the fingertip"
    xb = np.packbits(xor[::-1], axis=1).tobytes()   # 4 bytes a row, already 32-bit aligned
    ab = np.packbits(andm[::-1], axis=1).tobytes()
    palette = b"\0\0\0\0" + b"\xff\xff\xff\0"
    hdr = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 1, 0, len(xb) + len(ab), 0, 0, 2, 0)
    blob = hdr + palette + xb + ab
    out = struct.pack("<HHH", 0, 2, 1)
    out += struct.pack("<BBBBHHII", n, n, 2, 0, HOTSPOT[0], HOTSPOT[1], len(blob), 6 + 16)
    return out + blob



def paint_wizard(preview_path):
    """164 x 314, the setup program's welcome and finish picture: the settings dialog's navy to
    lavender gradient, pale blossoms over its upper part, and the saver's preview still framed
    below them."""
    w, h = 164, 314
    k = h / 3.142  # the dialog's gradient, turned to run down the picture
    b = np.abs(np.sin(np.arange(h, dtype=np.float64) / k)) * 220.0
    grad = np.stack([b, b, b + 30.0], axis=1)[:, None, :].repeat(w, axis=1) / 255.0
    photo = blossom_photo(
        w, h, seed=16431, ss=2,
        main_branches=[(1.0, 0.10, math.pi - 0.45, 0.9, 7), (0.0, 0.42, -0.25, 0.7, 6)],
        sky_top="B8D2EE", sky_bottom="F2ECF2", far_amount=0.7, near_radius=(10.0, 13.0),
        mid_radius=(6.0, 8.0), mid_branches=2)
    ys = (np.arange(h, dtype=np.float64) / h)[:, None, None]
    amount = 0.75 * smoothstep(0.62, 0.30, ys)
    img = mix(grad, photo, amount)
    still = np.asarray(Image.open(preview_path).convert("RGB"), dtype=np.float64) / 255.0
    sh, sw = still.shape[:2]
    x0, y0 = (w - sw) // 2, 188
    img[y0 - 1:y0 + sh + 1, x0 - 1:x0 + sw + 1] = 1.0
    img[y0:y0 + sh, x0:x0 + sw] = still
    return to_u8(img)

# ------------------------------------------------------------------------------------------------

def main(argv):
    out = os.path.join(REPO, "resources")
    if "--out" in argv:
        out = argv[argv.index("--out") + 1]
    p = lambda *parts: os.path.join(out, *parts)  # noqa: E731

    dial, photo = paint_dial()
    dial_u8 = to_u8(dial)
    write_renderer_bmp(p("renderer", "dial.bmp"), dial_u8)
    write_renderer_bmp(p("renderer", "blossom.bmp"), paint_blossom_texture())

    write_host_bmp(p("dialog", "panel.bmp"), paint_panel())
    write_host_bmp(p("dialog", "indicator_off.bmp"), paint_indicator(False))
    write_host_bmp(p("dialog", "indicator_on.bmp"), paint_indicator(True))
    write_file(p("dialog", "hand.cur"), cur_bytes())

    icons = []
    for n in (32, 16):
        col, a = paint_icon_rgba(n, photo)
        opaque = a >= 0.5
        icons.append((to_u8(col), opaque))
    write_file(p("host", "orvellia.ico"), ico_bytes(icons))

    for name in BUTTON_STATES:
        write_host_bmp(p("button", name + ".bmp"), button_picture(name))

    # Made from the preview still, which tools/preview/make_preview.sh renders from the scene.
    write_host_bmp(p("installer", "wizard.bmp"),
                   paint_wizard(os.path.join(REPO, "resources", "host", "preview.jpg")))
    print("pictures written to", out)


if __name__ == "__main__":
    main(sys.argv[1:])
