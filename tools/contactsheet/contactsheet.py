#!/usr/bin/env python3
"""Builds one contact-sheet PNG of every rendered texture, to look at the art as a whole.

usage: contactsheet.py ASSETS_DIR RESOURCE_DIR OUT.png [RSVG_CONVERT]

Every PNG under RESOURCE_DIR is shown on a checkerboard (so transparency shows), scaled to fit its
cell, with its frame grid drawn over it and its name, size and grid below. The grid comes from the
"grid CxR" line in the description of the texture's SVG source under ASSETS_DIR. A frame that is
fully transparent is crossed out in red: every frame the game can show should hold a picture.
"""

import base64
import os
import re
import struct
import subprocess
import sys

# The icon packer beside the art already decodes the PNG files that the build writes.
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir, os.pardir, "assets"))
from pack_ico import read_png  # noqa: E402

CELL = 236
LABEL = 40
PAD = 14
COLUMNS = 9
ORDER = ["Animations", "ParticleSystems", "Cursors", "Skins", "GameIcon"]


def png_info(data):
    width, height, depth, colour = struct.unpack(">IIBB", data[16:26])
    return width, height, depth, colour


def empty_frames(path, cols, rows_count, frames):
    width, height, rows = read_png(path)
    alpha = [row[3::4] for row in rows]
    fw, fh = width // cols, height // rows_count
    empty = []
    for i in range(frames):
        col, row = i % cols, i // cols
        top = (rows_count - 1 - row) * fh
        if not any(any(alpha[y][col * fw:(col + 1) * fw]) for y in range(top, top + fh)):
            empty.append(i)
    return empty


def grid_of(assets, relative):
    svg = os.path.join(assets, os.path.splitext(relative)[0] + ".svg")
    try:
        with open(svg, encoding="utf-8") as f:
            match = re.search(r"grid (\d+)x(\d+), (\d+) frame", f.read(4000))
    except OSError:
        return 1, 1, 1
    return (int(match.group(1)), int(match.group(2)), int(match.group(3))) if match else (1, 1, 1)


def textures(resources):
    found = []
    for root, _, files in os.walk(resources):
        for name in files:
            if name.endswith(".png"):
                found.append(os.path.relpath(os.path.join(root, name), resources))
    folder_rank = {f: k for k, f in enumerate(ORDER)}
    return sorted(found, key=lambda r: (folder_rank.get(r.split(os.sep)[0], 99), r.lower()))


def esc(s):
    return s.replace("&", "&amp;").replace("<", "&lt;")


def main(assets, resources, out, rsvg="rsvg-convert"):
    items = textures(resources)
    rows = (len(items) + COLUMNS - 1) // COLUMNS
    width = COLUMNS * (CELL + PAD) + PAD
    height = rows * (CELL + LABEL + PAD) + PAD + 60
    parts = [
        f'<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" '
        f'width="{width}" height="{height}">',
        '<defs><pattern id="check" width="16" height="16" patternUnits="userSpaceOnUse">'
        '<rect width="16" height="16" fill="#8a8f99"/><rect width="8" height="8" fill="#a9aeb8"/>'
        '<rect x="8" y="8" width="8" height="8" fill="#a9aeb8"/></pattern></defs>',
        f'<rect width="{width}" height="{height}" fill="#23202b"/>',
        f'<text x="{PAD}" y="40" font-family="DejaVu Sans" font-weight="bold" font-size="26" fill="#f6c453">'
        f'Morvane: {len(items)} textures</text>',
    ]
    problems = []
    for k, relative in enumerate(items):
        with open(os.path.join(resources, relative), "rb") as f:
            data = f.read()
        w, h, _, _ = png_info(data)
        cols, grid_rows, frames = grid_of(assets, relative)
        x0 = PAD + (k % COLUMNS) * (CELL + PAD)
        y0 = 60 + (k // COLUMNS) * (CELL + LABEL + PAD)
        s = min(CELL / w, CELL / h, 4.0)
        iw, ih = w * s, h * s
        ix, iy = x0 + (CELL - iw) / 2, y0 + (CELL - ih) / 2
        href = "data:image/png;base64," + base64.b64encode(data).decode()
        parts.append(f'<rect x="{x0}" y="{y0}" width="{CELL}" height="{CELL}" fill="#16141c"/>')
        parts.append(f'<rect x="{ix:.1f}" y="{iy:.1f}" width="{iw:.1f}" height="{ih:.1f}" fill="url(#check)"/>')
        rendering = ' style="image-rendering:pixelated"' if s > 1 else ""
        parts.append(f'<image x="{ix:.1f}" y="{iy:.1f}" width="{iw:.1f}" height="{ih:.1f}" '
                     f'preserveAspectRatio="none" xlink:href="{href}"{rendering}/>')
        for c in range(1, cols):
            x = ix + iw * c / cols
            parts.append(f'<line x1="{x:.1f}" y1="{iy:.1f}" x2="{x:.1f}" y2="{iy + ih:.1f}" stroke="#f6c453" '
                         f'stroke-width="1" stroke-dasharray="4 3"/>')
        for r in range(1, grid_rows):
            y = iy + ih * r / grid_rows
            parts.append(f'<line x1="{ix:.1f}" y1="{y:.1f}" x2="{ix + iw:.1f}" y2="{y:.1f}" stroke="#f6c453" '
                         f'stroke-width="1" stroke-dasharray="4 3"/>')
        for i in empty_frames(os.path.join(resources, relative), cols, grid_rows, frames):
            problems.append(f"{relative}: frame {i} is empty")
            col, row = i % cols, i // cols
            fx, fy = ix + iw * col / cols, iy + ih * (grid_rows - 1 - row) / grid_rows
            parts.append(f'<path d="M{fx:.1f},{fy:.1f} l{iw / cols:.1f},{ih / grid_rows:.1f} m0,{-ih / grid_rows:.1f} '
                         f'l{-iw / cols:.1f},{ih / grid_rows:.1f}" stroke="#ff3030" stroke-width="3"/>')
        name = esc(os.path.splitext(relative)[0].split(os.sep)[-1])
        info = f"{w}x{h}" + (f", {cols}x{grid_rows} grid, {frames} frames" if frames > 1 else "")
        parts.append(f'<text x="{x0 + CELL / 2}" y="{y0 + CELL + 16}" text-anchor="middle" font-family="DejaVu Sans" '
                     f'font-weight="bold" font-size="13" fill="#ffffff">{name}</text>')
        parts.append(f'<text x="{x0 + CELL / 2}" y="{y0 + CELL + 32}" text-anchor="middle" font-family="DejaVu Sans" '
                     f'font-size="11" fill="#b9b4c8">{esc(info)}</text>')
    parts.append("</svg>")
    svg_path = out + ".svg"
    with open(svg_path, "w", encoding="utf-8") as f:
        f.write("\n".join(parts))
    subprocess.run([rsvg, "--format=png", "--output", out, svg_path], check=True)
    os.remove(svg_path)
    for problem in problems:
        print(problem, file=sys.stderr)
    print(f"contact sheet of {len(items)} textures: {out}")
    return 1 if problems else 0


if __name__ == "__main__":
    if len(sys.argv) not in (4, 5):
        sys.exit(__doc__)
    sys.exit(main(*sys.argv[1:]))
