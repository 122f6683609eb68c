#!/usr/bin/python3
"""The value each pixel of a DICOM file means, worked out with pydicom and numpy alone.

Usage: value_model_reference.py IN OUT
Writes OUT as text: "rows columns photometric" on the first line, then frame 1 row by row, one
integer per pixel. pydicom reads the stored samples (uncompressed or RLE; other compressed files are
decoded by dcmtk before they get here); everything after that is done here from the header:

- the stored bits are read unsigned, masked to Bits Stored and, for Pixel Representation 1,
  sign-extended from bit Bits Stored - 1 (pydicom's pixel_array keeps overlay bits and does not
  sign-extend narrow samples, so its raw words are only the starting point);
- colour becomes luminance: the Y sample for YBR_*, round(0.299 R + 0.587 G + 0.114 B) with ties
  to even for RGB;
- values spanning more than 16 bits are shifted right (floor) by the smallest k that makes
  (max >> k) - (min >> k) <= 65535;
- Rescale Intercept is added truncated toward zero; Rescale Slope is ignored.
"""
import sys

import numpy as np
import pydicom


def stored_values(ds):
    arr = ds.pixel_array
    frames = int(getattr(ds, "NumberOfFrames", 1) or 1)
    if frames > 1:
        arr = arr[0]
    allocated = int(ds.BitsAllocated)
    stored = int(getattr(ds, "BitsStored", allocated) or allocated)
    raw = arr.view(np.dtype(f"u{arr.dtype.itemsize}")).astype(np.int64)
    values = raw & ((1 << stored) - 1)
    if int(getattr(ds, "PixelRepresentation", 0)) == 1:
        values = np.where(values >= (1 << (stored - 1)), values - (1 << stored), values)
    return values


def luminance(ds, values):
    if int(getattr(ds, "SamplesPerPixel", 1)) != 3:
        return values
    photometric = str(ds.PhotometricInterpretation)
    if photometric.startswith("YBR"):
        # Only uncompressed YBR reaches here; the subsampled form has been upsampled by dcmtk.
        if photometric.endswith("_422"):
            raise SystemExit("subsampled YBR must be decoded to full samples first")
        return values[..., 0]
    if photometric != "RGB":
        raise SystemExit("unexpected photometric interpretation " + photometric)
    rgb = values.astype(np.float64)
    return np.rint(0.299 * rgb[..., 0] + 0.587 * rgb[..., 1] + 0.114 * rgb[..., 2]).astype(np.int64)


def fit_sixteen_bits(values):
    low, high = int(values.min()), int(values.max())
    k = 0
    while (high >> k) - (low >> k) > 65535:
        k += 1
    return values >> k


def main():
    source, out = sys.argv[1], sys.argv[2]
    ds = pydicom.dcmread(source)
    values = fit_sixteen_bits(luminance(ds, stored_values(ds)))
    intercept = getattr(ds, "RescaleIntercept", None)
    if intercept is not None and str(intercept).strip():
        values = values + int(float(intercept))  # int() truncates toward zero
    rows, columns = values.shape
    with open(out, "w") as f:
        f.write(f"{rows} {columns} {ds.PhotometricInterpretation}\n")
        for row in values:
            f.write(" ".join(str(int(v)) for v in row) + "\n")


if __name__ == "__main__":
    main()
