#!/usr/bin/python3
"""Frame 1 of every file in a folder as pydicom decodes it, for the decoder's comparison test.

Usage: pydicom_frames.py FOLDER OUT
Writes OUT/list.txt, one line per file: "name rows columns frames" when pydicom decodes it (and
OUT/name.i64, frame 1 as little-endian 64-bit values, colour as luminance), or "name -" when it
does not. Luminance: the Y sample for YBR pixels, else round(0.299 R + 0.587 G + 0.114 B).
"""
import os
import sys

import numpy as np
import pydicom


def frame_one(ds):
    arr = ds.pixel_array
    frames = int(getattr(ds, "NumberOfFrames", 1) or 1)
    if frames > 1:
        arr = arr[0]
    if int(getattr(ds, "SamplesPerPixel", 1)) == 3:
        if str(ds.PhotometricInterpretation).startswith("YBR"):
            arr = arr[..., 0].astype(np.int64)
        else:
            rgb = arr.astype(np.float64)
            arr = np.rint(0.299 * rgb[..., 0] + 0.587 * rgb[..., 1] + 0.114 * rgb[..., 2]).astype(np.int64)
    return arr.astype(np.int64), frames


def main():
    folder, out = sys.argv[1], sys.argv[2]
    lines = []
    for name in sorted(os.listdir(folder)):
        path = os.path.join(folder, name)
        if not name.endswith(".dcm") or not os.path.isfile(path):
            continue
        try:
            ds = pydicom.dcmread(path)
            arr, frames = frame_one(ds)
        except Exception:  # pydicom cannot decode it: no pixels, no handler, a broken file
            lines.append(f"{name} -")
            continue
        arr.astype("<i8").tofile(os.path.join(out, name + ".i64"))
        lines.append(f"{name} {arr.shape[0]} {arr.shape[1]} {frames}")
    with open(os.path.join(out, "list.txt"), "w") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
