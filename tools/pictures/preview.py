#!/usr/bin/env python3
"""Looks at the committed pictures the way the program will show them.

    python3 tools/pictures/preview.py [--res DIR] OUTDIR

Reads resources/ (or DIR) and writes PNGs into OUTDIR (a scratch folder outside the repository):
- dial_screen.png, blossom_screen_8x.png: the renderer pictures with the upload's red/blue
  exchange applied, i.e. as they appear on screen;
- scene.png (1024 x 768) and scene_small.png (152 x 112): a mock-up of the renderer's frame
  (the renderer's camera, ground with its grey falloff, the three hands, the blossom
  ring), ray-cast in numpy; not the real renderer, only a check of how the pictures read;
- panel.png, panel_text.png (with sample black labels), indicators_8x.png, icon_8x.png,
  cursor_8x.png (hot spot marked), buttons_8x.png and buttons_stretched_8x.png (the eight-piece
  drawing of the button control at 81 x 25 and 41 x 25 over the control's gradient).
"""
import math
import os
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import make_pictures as mp  # noqa: E402  (also re-execs under /usr/bin/python3 when needed)

import numpy as np  # noqa: E402
from PIL import Image, ImageDraw, ImageFont  # noqa: E402


def load_bmp_bytes_order(path):
    """The picture as the loader's pixel buffer would hold it: H x W x 3 in byte order B, G, R."""
    im = np.asarray(Image.open(path).convert("RGB"))
    return im[:, :, ::-1]


def renderer_texture(path):
    """The texture as shown on screen: the buffer's bytes taken as R, G, B (GL_RGB)."""
    return load_bmp_bytes_order(path).astype(np.float32) / 255.0


def big(im, f):
    im = Image.fromarray(im) if isinstance(im, np.ndarray) else im
    return im.resize((im.width * f, im.height * f), Image.NEAREST)


# ------------------------------------------------------------------------------------------------
# Scene mock-up
# ------------------------------------------------------------------------------------------------

def look_at(eye, centre, up):
    f = np.array(centre, float) - eye
    f /= np.linalg.norm(f)
    s = np.cross(f, up)
    s /= np.linalg.norm(s)
    u = np.cross(s, f)
    return f, s, u


def sample(tex, s, t):
    """Bilinear sampling with wrap (GL_REPEAT)."""
    h, w = tex.shape[:2]
    x = s * w - 0.5
    y = t * h - 0.5
    x0 = np.floor(x).astype(np.int64)
    y0 = np.floor(y).astype(np.int64)
    fx = (x - x0)[..., None]
    fy = (y - y0)[..., None]
    x0m, x1m = x0 % w, (x0 + 1) % w
    y0m, y1m = y0 % h, (y0 + 1) % h
    a = tex[y0m, x0m] * (1 - fx) + tex[y0m, x1m] * fx
    b = tex[y1m, x0m] * (1 - fx) + tex[y1m, x1m] * fx
    return a * (1 - fy) + b * fy


def render_scene(dial, blossom, W=1024, H=768, hms=(10, 8, 36), ring_turn=40.0):
    eye = np.array([0.0, 20.0, 25.0])
    f, s, u = look_at(eye, [0, 0, 0], [0, 1, 0])
    fov = math.radians(60)
    th = math.tan(fov / 2)
    aspect = W / H
    ys, xs = np.mgrid[0:H, 0:W].astype(np.float64)
    ndc_x = ((xs + 0.5) / W * 2 - 1) * th * aspect
    ndc_y = (1 - (ys + 0.5) / H * 2) * th
    d = f[None, None] + ndc_x[..., None] * s + ndc_y[..., None] * u
    img = np.zeros((H, W, 3), np.float32)

    def hit_plane(h):
        tt = (h - eye[1]) / d[..., 1]
        p = eye + d * tt[..., None]
        return p, tt > 0

    # ground
    p, ok = hit_plane(0.0)
    x, z = p[..., 0], p[..., 2]
    xmin, xmax = (0 + 1 - 32) * 2 / 3, (63 + 1 - 32) * 2 / 3
    zmin, zmax = (0 - 1 - 32) * 2 / 3, (63 - 1 - 32) * 2 / 3
    inside = ok & (x >= xmin) & (x <= xmax) & (z >= zmin) & (z <= zmax)
    ss = (x - xmin) / (xmax - xmin)
    tt = (z - zmin) / (zmax - zmin)
    g = np.clip(1 - 0.05 * np.sqrt(x * x + z * z), 0, 1)
    col = sample(dial, ss, tt) * g[..., None]
    img[inside] = col[inside]

    # hands (blending off: black parts drawn black); drawn in order second, minute, hour
    h_, m_, s_ = hms
    hour_value = (h_ % 12 or 12) + m_ / 60.0
    hands = [(s_ * 6 - 180, 1.0, 0.2, 0.1, 10.0), (m_ * 6 - 180, 1.1, 0.4, 0.2, 8.0),
             (hour_value * 30 - 180, 1.2, 1.0, 0.5, 6.6666665)]
    depth = np.full((H, W), np.inf)
    for (ang, hy, w0, w1, ln) in hands:
        p, ok = hit_plane(hy)
        a = math.radians(ang)  # local = R_y(angle) world  (world = R_y(-angle) local)
        lx = p[..., 0] * math.cos(a) + p[..., 2] * math.sin(a)
        lz = -p[..., 0] * math.sin(a) + p[..., 2] * math.cos(a)
        sv = lz / ln
        wv = w0 + (w1 - w0) * sv
        tv = (lx / np.maximum(wv, 1e-6) + 1) / 2
        m = ok & (sv >= 0) & (sv <= 1) & (tv >= 0) & (tv <= 1)
        dist = np.linalg.norm(p - eye, axis=-1)
        m &= dist < depth
        c = sample(blossom, sv, tv)
        img[m] = c[m]
        depth[m] = dist[m]

    # blossom ring: 128 entries x 3 additive billboards
    def project(P):
        v = P - eye
        z = v @ f
        return np.array([(v @ s) / (z * th * aspect), (v @ u) / (z * th)]), z

    acc = np.zeros_like(img)
    tints = [((1, 1, 1), 0), ((1, 0, 0.5), 30), ((0.8, 0.1, 0.2), 60)]
    for k in range(128):
        angle = (k * 2.8125 + ring_turn) % 360
        height = 2 * math.sin(4 * (k * 2.8125) * 0.01745) + 2.5
        for (tint, add) in tints:
            th_ = (angle + add) * 0.01745
            P = np.array([16 * math.cos(th_), height, 16 * math.sin(th_)])
            D = eye - P
            R = np.cross(D, [0, 0, 1])
            U = np.cross(D, R)
            A = R / np.linalg.norm(R) * 0.6
            B = U / np.linalg.norm(U) * 0.6
            corners = []
            for Q in (P + A, P - B, P + B):
                c2, _ = project(Q)
                corners.append(((c2[0] + 1) / 2 * W, (1 - c2[1]) / 2 * H))
            o, e1, e2 = (np.array(c) for c in corners)  # tex (0,0), (1,0), (0,1)
            M = np.array([[e1[0] - o[0], e2[0] - o[0]], [e1[1] - o[1], e2[1] - o[1]]])
            Minv = np.linalg.inv(M)
            allc = [o, e1, e2, e1 + e2 - o]
            x0 = int(max(0, math.floor(min(c[0] for c in allc))))
            x1 = int(min(W, math.ceil(max(c[0] for c in allc)) + 1))
            y0 = int(max(0, math.floor(min(c[1] for c in allc))))
            y1 = int(min(H, math.ceil(max(c[1] for c in allc)) + 1))
            if x0 >= x1 or y0 >= y1:
                continue
            py, px = np.mgrid[y0:y1, x0:x1].astype(np.float64) + 0.5
            rel = np.stack([px - o[0], py - o[1]], -1) @ Minv.T
            uu, vv = rel[..., 0], rel[..., 1]
            m = (uu >= 0) & (uu <= 1) & (vv >= 0) & (vv <= 1)
            c = sample(blossom, np.clip(uu, 0, 1), np.clip(vv, 0, 1)) * np.array(tint, np.float32)
            acc[y0:y1, x0:x1] += c * m[..., None]
    img = np.clip(img + acc, 0, 1)
    return (img * 255 + 0.5).astype(np.uint8)


# ------------------------------------------------------------------------------------------------
# The button control's drawing (at 96 dpi: 15 twips a pixel)
# ------------------------------------------------------------------------------------------------

def draw_button(pic, W, H, highlight_gradient=False):
    c0 = np.array([255, 255, 255], np.float32)
    c1 = np.array([0xC6, 0xC5, 0xD7], np.float32)
    if highlight_gradient:
        c0, c1 = c1, c0
    out = np.zeros((H, W, 3), np.float32)
    rows = np.arange(H - 1, dtype=np.float32)[:, None, None] / (H - 1)
    out[:H - 1, :W - 1] = c0 + (c1 - c0) * rows
    tw = 15

    def piece(dst, src):
        dx, dy, dw, dh = [int(v // tw) for v in dst]
        sx, sy, sw, sh = [int(v // tw) for v in src]
        if dw <= 0 or dh <= 0:
            return
        block = Image.fromarray(pic[sy:sy + sh, sx:sx + sw]).resize((dw, dh), Image.NEAREST)
        b = np.asarray(block, np.float32)
        hh, ww = min(dh, H - dy), min(dw, W - dx)
        out[dy:dy + hh, dx:dx + ww] = b[:hh, :ww]

    Wt, Ht = W * tw, H * tw
    piece((1, 1, 60, 60), (0, 0, 60, 60))
    piece((60, 1, Wt - 120, 60), (60, 1, 840, 60))
    piece((Wt - 60, 1, 60, 60), (900, 1, 60, 60))
    piece((Wt - 60, 60, 60, Ht - 120), (900, 60, 60, 255))
    piece((Wt - 60, Ht - 60, 60, 60), (900, 315, 60, 60))
    piece((60, Ht - 60, Wt - 120, 60), (60, 315, 840, 60))
    piece((1, Ht - 60, 60, 60), (0, 315, 60, 60))
    piece((1, 60, 60, Ht - 120), (1, 60, 60, 255))
    return out.astype(np.uint8)


def read_cur(path):
    data = open(path, "rb").read()
    reserved, typ, count = struct.unpack_from("<HHH", data, 0)
    w, h, colours, _, hx, hy, size, off = struct.unpack_from("<BBBBHHII", data, 6)
    hdr = struct.unpack_from("<IiiHHIIiiII", data, off)
    n = w
    pal_off = off + 40
    xor_off = pal_off + 8
    xor = np.unpackbits(np.frombuffer(data, np.uint8, n * n // 8, xor_off).reshape(n, n // 8), axis=1)[::-1]
    andm = np.unpackbits(np.frombuffer(data, np.uint8, n * n // 8, xor_off + n * n // 8)
                         .reshape(n, n // 8), axis=1)[::-1]
    return dict(type=typ, count=count, size=(w, h), hotspot=(hx, hy), header=hdr, xor=xor, andm=andm)


def main(argv):
    res = os.path.join(mp.REPO, "resources")
    if "--res" in argv:
        i = argv.index("--res")
        res = argv[i + 1]
        argv = argv[:i] + argv[i + 2:]
    out = argv[0] if argv else "/tmp/pics"
    os.makedirs(out, exist_ok=True)
    P = lambda *a: os.path.join(res, *a)  # noqa: E731
    O = lambda n: os.path.join(out, n)  # noqa: E731

    dial = renderer_texture(P("renderer", "dial.bmp"))
    blossom = renderer_texture(P("renderer", "blossom.bmp"))
    Image.fromarray((dial * 255 + 0.5).astype(np.uint8)).save(O("dial_screen.png"))
    big((blossom * 255 + 0.5).astype(np.uint8), 8).save(O("blossom_screen_8x.png"))
    tinted = [np.clip(blossom * np.array(t, np.float32), 0, 1) for t in
              ((1, 1, 1), (1, 0, 0.5), (0.8, 0.1, 0.2))]
    big((np.concatenate(tinted, 1) * 255 + 0.5).astype(np.uint8), 6).save(O("blossom_tints_6x.png"))
    scene = render_scene(dial, blossom)
    Image.fromarray(scene).save(O("scene.png"))
    Image.fromarray(scene).resize((152, 112), Image.LANCZOS).save(O("scene_small.png"))

    panel = Image.open(P("dialog", "panel.bmp")).convert("RGB")
    panel.save(O("panel.png"))
    pt = panel.copy()
    d = ImageDraw.Draw(pt)
    try:
        font = ImageFont.truetype("/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf", 13)
    except OSError:
        font = ImageFont.load_default()
    ind_off = Image.open(P("dialog", "indicator_off.bmp")).convert("RGB")
    ind_on = Image.open(P("dialog", "indicator_on.bmp")).convert("RGB")
    d.rectangle((20, 20, 133, 40), outline=(0, 0, 0))
    d.text((62, 24), "BGM", fill=(0, 0, 0), font=font)
    for (yy, txt, on) in ((56, "音楽CD", True), (76, "なし", False), (96, "MP3、WAV", False)):
        pt.paste(ind_on if on else ind_off, (29, yy + 1))
        d.text((44, yy), txt, fill=(0, 0, 0), font=font)
    d.text((156, 56), "曲目をﾘﾋﾟｰﾄ", fill=(0, 0, 0), font=font)
    d.rectangle((72, 116, 452, 149), outline=(0, 0, 0))
    d.text((76, 120), "C:\\Music\\sakura.mp3", fill=(0, 0, 0), font=font)
    big(pt, 2).save(O("panel_text_2x.png"))

    strip = Image.new("RGB", (12 * 2 + 4, 12), (192, 192, 192))
    strip.paste(ind_off, (0, 0))
    strip.paste(ind_on, (16, 0))
    big(strip, 8).save(O("indicators_8x.png"))

    canv = Image.new("RGBA", (80, 36), (90, 110, 160, 255))
    x = 2
    for sz in ((32, 32), (16, 16)):
        im = Image.open(P("host", "orvellia.ico"))
        im.size = sz
        im.load()
        canv.alpha_composite(im.convert("RGBA"), (x, 2))
        x += sz[0] + 4
    big(canv, 8).save(O("icon_8x.png"))

    cur = read_cur(P("dialog", "hand.cur"))
    n = cur["size"][0]
    cimg = np.zeros((n, n, 3), np.uint8)
    cimg[:] = (120, 160, 200)
    opaque = cur["andm"] == 0
    cimg[opaque & (cur["xor"] == 1)] = 255
    cimg[opaque & (cur["xor"] == 0)] = 0
    cb = big(cimg, 8)
    d = ImageDraw.Draw(cb)
    hx, hy = cur["hotspot"]
    d.rectangle((hx * 8, hy * 8, hx * 8 + 7, hy * 8 + 7), outline=(255, 0, 0))
    cb.save(O("cursor_8x.png"))
    print("cursor: type", cur["type"], "size", cur["size"], "hotspot", cur["hotspot"])

    names = mp.BUTTON_STATES
    pics = [np.asarray(Image.open(P("button", nm + ".bmp")).convert("RGB")) for nm in names]
    sheet = Image.new("RGB", (64 * 2 + 6, (25 + 4) * 3), (60, 60, 90))
    for i, pic in enumerate(pics):
        sheet.paste(Image.fromarray(pic), ((i % 2) * 70, (i // 2) * 29))
    big(sheet, 8).save(O("buttons_8x.png"))
    # stretched, on the dialog's backgrounds: dark blue-grey window and pale panel
    rows = []
    for (bg, bgname) in (((124, 124, 154), "window"), ((240, 232, 236), "panel")):
        sheet = Image.new("RGB", (6 * 90 + 10, 2 * 33 + 6), bg)
        for i, (nm, pic) in enumerate(zip(names, pics)):
            hg = nm in ("highlight",)
            b81 = draw_button(pic, 81, 25, hg)
            b41 = draw_button(pic, 41, 25, hg)
            sheet.paste(Image.fromarray(b81), (4 + i * 90, 4))
            sheet.paste(Image.fromarray(b41), (4 + i * 90, 37))
        rows.append(sheet)
    full = Image.new("RGB", (rows[0].width, rows[0].height * 2))
    full.paste(rows[0], (0, 0))
    full.paste(rows[1], (0, rows[0].height))
    big(full, 4).save(O("buttons_stretched_4x.png"))
    print("previews written to", out)


if __name__ == "__main__":
    main(sys.argv[1:])
