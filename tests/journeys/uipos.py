#!/usr/bin/python3
"""Prints the centre of a named widget of a .ui form, in the form's client coordinates.

Usage: uipos.py FORM.ui WIDGET [dx dy]   (dx, dy: offset from the widget's top-left instead)
Positions follow from the geometry the form gives its widgets, parent by parent.
"""
import sys
import xml.etree.ElementTree as ET


def geometry(widget):
    for prop in widget.findall("property"):
        if prop.get("name") == "geometry":
            r = prop.find("rect")
            return [int(r.find(k).text) for k in ("x", "y", "width", "height")]
    return [0, 0, 0, 0]


def find(node, name, origin, top):
    for child in node:
        if child.tag != "widget":
            # layouts and items hold widgets too
            hit = find(child, name, origin, top)
            if hit:
                return hit
            continue
        x, y, w, h = geometry(child)
        here = origin if child is top else (origin[0] + x, origin[1] + y)
        if child.get("name") == name:
            return here, (w, h)
        hit = find(child, name, here, top)
        if hit:
            return hit
    return None


def main():
    root = ET.parse(sys.argv[1]).getroot()
    top = root.find("widget")
    if top.get("name") == sys.argv[2]:
        x, y, w, h = geometry(top)
        print(w // 2, h // 2)
        return
    hit = find(top, sys.argv[2], (0, 0), top)
    if not hit:
        sys.exit("uipos: no widget " + sys.argv[2])
    (x, y), (w, h) = hit
    if len(sys.argv) > 4:
        print(x + int(sys.argv[3]), y + int(sys.argv[4]))
    else:
        print(x + w // 2, y + h // 2)


main()
