#!/usr/bin/env python3
"""Writes the SVG source of every texture into assets/<folder>/<name>.svg.

The SVG files are committed and are what the build renders; this program is only run by hand to
rewrite them after a change to the drawing code. `generate.py NAME...` rewrites only those.

Every SVG it writes carries a fingerprint of its own text. A file whose text no longer matches its
fingerprint (or that has none) was edited by hand, and is kept as it is unless --force is given.
"""

import hashlib
import os
import sys

import draw_enemies
import draw_bosses
import draw_field
import draw_gui
import draw_hud
import draw_menus
import draw_screens
from inventory import SKIN_RECORDS, TEXTURES

ASSETS = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

DRAWERS = {}
for module in (draw_enemies, draw_bosses, draw_field, draw_gui, draw_hud, draw_menus, draw_screens):
    for name, fn in module.DRAWERS.items():
        assert name not in DRAWERS, name
        DRAWERS[name] = fn


def write_if_changed(path, text):
    """Leaves a file that already holds the text untouched, so that the build renders only the
    pictures whose sources changed."""
    try:
        with open(path) as f:
            if f.read() == text:
                return
    except OSError:
        pass
    with open(path, "w") as f:
        f.write(text)


FINGERPRINT = "<!-- drawn by assets/generator/generate.py; fingerprint "


def digest(text):
    return hashlib.sha1(text.encode("utf-8")).hexdigest()


def stamped(svg):
    """The SVG text with the fingerprint of everything after it, on the line below the XML
    declaration."""
    declaration, rest = svg.split("\n", 1)
    return f"{declaration}\n{FINGERPRINT}{digest(rest)} -->\n{rest}"


def edited_by_hand(path):
    try:
        with open(path) as f:
            text = f.read()
    except OSError:
        return False
    lines = text.split("\n", 2)
    if len(lines) < 3 or not lines[1].startswith(FINGERPRINT):
        return True
    return lines[1] != f"{FINGERPRINT}{digest(lines[2])} -->"


def describe(tex):
    """The grid line that every SVG carries, read by people and by the contact-sheet tool."""
    text = f"grid {tex.cols}x{tex.rows}, {tex.frames} frame{'s' if tex.frames > 1 else ''} of {tex.fw}x{tex.fh}"
    if tex.rows > 1:
        text += "; frame 0 is the bottom left cell, rows go upwards"
    if tex.meaning:
        text += f"; {tex.meaning}"
    return text


def write_skin_records():
    lines = ["# skin record index: region x y width height, inner left right bottom top",
             "# (pixels of the skin image, y counted from its bottom row)"]
    for skin, records in SKIN_RECORDS.items():
        for index, (what, region, inner) in enumerate(records):
            values = " ".join(str(v) for v in (*region, *inner))
            lines.append(f"{skin} {index} {values}  # {what}")
    write_if_changed(os.path.join(ASSETS, "Skins", "skin_records.txt"), "\n".join(lines) + "\n")


def write_inventory():
    """Rewrites the inventory table of assets/README.md from the inventory."""
    readme = os.path.join(ASSETS, "README.md")
    with open(readme) as f:
        text = f.read()
    start, end = "<!-- inventory -->", "<!-- end of inventory -->"
    rows = ["| file | sheet | frames | frame | picture | collision rectangle | what it shows |",
            "|---|---|---|---|---|---|---|"]
    for tex in TEXTURES:
        rect = "" if tex.rect is None else "({}, {}, {}, {})".format(*tex.rect)
        rows.append(f"| {tex.folder}/{tex.name}.png | {tex.cols} x {tex.rows} | {tex.frames} | {tex.fw} x {tex.fh} "
                    f"| {tex.cols * tex.fw} x {tex.rows * tex.fh} | {rect} | {tex.meaning} |")
    head, rest = text.split(start, 1)
    tail = rest.split(end, 1)[1]
    write_if_changed(readme, head + start + "\n" + "\n".join(rows) + "\n" + end + tail)


def main(names, force):
    missing = [tex.name for tex in TEXTURES if tex.name not in DRAWERS]
    if missing:
        sys.exit("no drawing for: " + ", ".join(missing))
    for tex in TEXTURES:
        if names and tex.name not in names:
            continue
        path = os.path.join(ASSETS, tex.folder, tex.name + ".svg")
        if not force and edited_by_hand(path):
            print(f"kept {os.path.relpath(path, ASSETS)}: edited by hand (--force redraws it)")
            continue
        doc = DRAWERS[tex.name](tex)
        doc.desc = describe(tex)
        assert (doc.width, doc.height) == (tex.cols * tex.fw, tex.rows * tex.fh), tex.name
        os.makedirs(os.path.dirname(path), exist_ok=True)
        write_if_changed(path, stamped(doc.svg()))
    write_skin_records()
    write_inventory()


if __name__ == "__main__":
    arguments = sys.argv[1:]
    main({a for a in arguments if a != "--force"}, "--force" in arguments)
