#!/usr/bin/python3
"""Independent checks of what the journeys leave behind: files and clipboard texts are compared
with values computed here from the sample files (pydicom for DICOM, numpy for arithmetic)."""
import io
import os
import sys

import numpy as np
import pydicom


def fail(message):
    sys.exit("check failed: " + message)


BIG_ENDIAN = b"1.2.840.10008.1.2.2\0"


def read_dicom(path):
    """The data set, and the transfer syntax the file declares. The big-endian sample keeps
    little-endian element headers (only its pixel words are big-endian), so it is parsed as
    explicit little endian."""
    data = open(path, "rb").read()
    declared = None
    if BIG_ENDIAN in data[:512]:
        declared = BIG_ENDIAN.rstrip(b"\0").decode()
        data = data.replace(BIG_ENDIAN, b"1.2.840.10008.1.2.1\0", 1)
    ds = pydicom.dcmread(io.BytesIO(data))
    return ds, declared or str(ds.file_meta.TransferSyntaxUID)


def dicom_words(path):
    """The stored 16-bit pixel words of a DICOM file, as rows x columns."""
    ds, _ = read_dicom(path)
    return ds, np.asarray(ds.pixel_array).astype(np.uint16)


def trim(dicom_path, bin_path, x0, y0, w, h):
    """The trimmed file holds the ROI block of the sample's words, little-endian, row by row."""
    _, words = dicom_words(dicom_path)
    x0, y0, w, h = int(x0), int(y0), int(w), int(h)
    expected = words[y0:y0 + h, x0:x0 + w].astype("<u2").tobytes()
    actual = open(bin_path, "rb").read()
    if len(actual) != 2 * w * h:
        fail(f"{bin_path}: {len(actual)} bytes, expected {2 * w * h}")
    if actual != expected:
        fail(f"{bin_path}: bytes differ from the sample's block at ({x0}, {y0})")


def header(dicom_path, text_path):
    """The copied header lists the sample's rows, columns and transfer syntax as tab-separated
    lines ended by CR LF."""
    ds, syntax_uid = read_dicom(dicom_path)
    text = open(text_path, "rb").read().decode("latin-1")
    if not text.endswith("\r\n"):
        fail("header text does not end with CR LF")
    lines = [line.split("\t") for line in text.split("\r\n") if line]

    def value_of(group, element):
        for fields in lines:
            if len(fields) > 6 and fields[1].upper() == group and fields[2].upper() == element:
                return fields[6]
        fail(f"header text has no ({group},{element}) line")

    if value_of("0028", "0010").strip() != str(ds.Rows):
        fail("rows differ")
    if value_of("0028", "0011").strip() != str(ds.Columns):
        fail("columns differ")
    syntax = value_of("0002", "0010").rstrip("\x00 ")
    if syntax != syntax_uid:
        fail(f"transfer syntax {syntax!r}, expected {syntax_uid}")


def roi_values(dicom_path, x0, y0, n):
    """The hand-off's sample values: stored word plus the rescale intercept, wrapped to 16 bits
    and read as signed; indexed [row][column]."""
    ds, words = dicom_words(dicom_path)
    block = words[y0:y0 + n, x0:x0 + n].astype(np.int64)
    offset = int(getattr(ds, "RescaleIntercept", 0))
    return ((block + offset + 32768) % 65536 - 32768).astype(np.float64)


def high_cut_filtered(values, cutoff=0.25, power=5):
    """The ROI through a radial Butterworth high-cut filter, by numpy's FFT: gain
    1 / sqrt(1 + (r / N / c)^(2n)) around the centred zero frequency."""
    n = values.shape[0]
    h = n // 2
    ky, kx = np.mgrid[0:n, 0:n]
    r = np.sqrt((kx - h) ** 2 + (ky - h) ** 2)
    gain = np.sqrt(1.0 / ((r / n / cutoff) ** (2 * power) + 1.0))
    spectrum = np.fft.fft2(values) * np.fft.ifftshift(gain)
    return np.real(np.fft.ifft2(spectrum))


def filtered_raw(dicom_path, raw_path, x0, y0, n):
    """The saved filtered image: N x N little-endian singles, row by row, each the filtered ROI
    divided by N^2 once more."""
    x0, y0, n = int(x0), int(y0), int(n)
    expected = high_cut_filtered(roi_values(dicom_path, x0, y0, n)) / n / n
    data = open(raw_path, "rb").read()
    if len(data) != 4 * n * n:
        fail(f"{raw_path}: {len(data)} bytes, expected {4 * n * n}")
    actual = np.frombuffer(data, dtype="<f4").reshape(n, n).astype(np.float64)
    scale = np.abs(expected).max()
    worst = np.abs(actual - expected).max()
    if not worst <= 1e-4 * scale:
        fail(f"{raw_path}: off by {worst:g} (values up to {scale:g})")


def filtered_bmp(dicom_path, bmp_path, x0, y0, n):
    """The saved work bitmap after a hand-off: an N x N 8-bit BMP with the linear grey palette,
    whose greys rise with the filtered values (the last view drawn is the filtered image)."""
    x0, y0, n = int(x0), int(y0), int(n)
    data = open(bmp_path, "rb").read()
    if data[:2] != b"BM":
        fail("not a BMP file")
    width, height = int.from_bytes(data[18:22], "little", signed=True), int.from_bytes(data[22:26], "little", signed=True)
    bits = int.from_bytes(data[28:30], "little")
    if (width, abs(height), bits) != (n, n, 8):
        fail(f"BMP {width} x {height}, {bits} bits; expected {n} x {n}, 8 bits")
    offset = int.from_bytes(data[10:14], "little")
    header_size = int.from_bytes(data[14:18], "little")
    palette = np.frombuffer(data[14 + header_size:14 + header_size + 1024], dtype=np.uint8).reshape(256, 4)
    if not (palette[:, 0] == np.arange(256)).all() or not (palette[:, :3] == palette[:, :1]).all():
        fail("the palette is not the linear grey scale")
    stride = (n + 3) // 4 * 4
    rows = np.frombuffer(data[offset:offset + stride * n], dtype=np.uint8).reshape(n, stride)[:, :n]
    pixels = rows[::-1] if height > 0 else rows
    expected = high_cut_filtered(roi_values(dicom_path, x0, y0, n))
    order = np.argsort(expected, axis=None, kind="stable")
    greys = pixels.reshape(-1)[order].astype(int)
    if len(np.unique(greys)) < 8:
        fail("the picture has almost no grey levels")
    if (np.diff(greys) < -1).any():
        fail("greys do not follow the filtered values")


def nps_csv(dicom_path, csv_path, n, corners_text, bin_width="0.05", axis_lines="7", placement="radial"):
    """The NPS window's table for the given ROIs (top-left corners "x,y;x,y;...") of side n, with a
    second-order polynomial fitted by least squares over their bounding box: radial NPS,
    standard error (spread of the single-ROI bin means), count, NNPS and the two axis curves,
    from numpy's FFT over the full plane. The axis curves' samples (the k lines each side of an
    axis) are binned by their radial frequency ("radial") or by their distance along the axis
    ("along")."""
    n, w, k = int(n), float(bin_width), int(axis_lines)
    ds, _ = dicom_words(dicom_path)
    dx = float(ds.PixelSpacing[0])
    corners = [tuple(int(v) for v in c.split(",")) for c in corners_text.split(";")]
    image = roi_values(dicom_path, 0, 0, int(ds.Columns))
    x0, y0 = min(c[0] for c in corners), min(c[1] for c in corners)
    x1, y1 = max(c[0] for c in corners) + n, max(c[1] for c in corners) + n
    yy, xx = np.mgrid[y0:y1, x0:x1].astype(np.float64)
    basis = np.stack([np.ones_like(xx), xx, yy, xx * xx, xx * yy, yy * yy], axis=-1).reshape(-1, 6)
    coefficients = np.linalg.lstsq(basis, image[y0:y1, x0:x1].reshape(-1), rcond=None)[0]
    surface = np.zeros(image.shape)
    surface[y0:y1, x0:x1] = (basis @ coefficients).reshape(y1 - y0, x1 - x0)
    powers = [np.abs(np.fft.fft2(image[y:y + n, x:x + n] - surface[y:y + n, x:x + n])) ** 2 for x, y in corners]
    mean = np.mean([image[y:y + n, x:x + n].mean() for x, y in corners])
    scale = dx * dx / (n * n)
    u = np.fft.fftfreq(n, dx)
    uu, vv = np.meshgrid(u, u)
    bins = int(np.floor(1 / (2 * dx) / w)) + 1
    radial = np.rint(np.hypot(uu, vv) / w)
    radial[0, 0] = -1
    line = np.abs(np.fft.fftfreq(n) * n)
    u_lines = (line[:, None] >= 1) & (line[:, None] <= k) & np.ones((1, n), bool)
    rows = [l.split(",") for l in open(csv_path).read().splitlines()]
    if rows[0] != ["frequency_per_mm", "nps", "standard_error", "count", "nnps", "nps_u_axis", "nps_v_axis"]:
        fail(f"table header {rows[0]}")
    if len(rows) != bins + 1:
        fail(f"{len(rows) - 1} bins, expected {bins}")

    def close(text, value, what, b):
        if not np.isfinite(value):
            if text != "":
                fail(f"bin {b} {what}: {text}, expected empty")
            return
        if abs(float(text) - value) > 1e-9 * abs(value) + 1e-300:
            fail(f"bin {b} {what}: {text}, expected {value!r}")

    mean_power = np.mean(powers, axis=0) * scale
    for b in range(bins):
        inside = radial == b
        count = int(inside.sum())
        if int(rows[b + 1][3]) != count:
            fail(f"bin {b} count {rows[b + 1][3]}, expected {count}")
        nan = float("nan")
        nps = mean_power[inside].mean() if count else nan
        single = [p[inside].mean() * scale for p in powers] if count else []
        error = np.std(single, ddof=1) / np.sqrt(len(single)) if count and len(single) > 1 else nan
        if placement == "radial":
            u_in, v_in = u_lines & inside, u_lines.T & inside
        else:
            u_in = u_lines & (np.rint(np.abs(uu) / w) == b)
            v_in = u_lines.T & (np.rint(np.abs(vv) / w) == b)
        close(rows[b + 1][1], nps, "nps", b)
        close(rows[b + 1][2], error, "standard error", b)
        close(rows[b + 1][4], nps / mean ** 2 if mean else nan, "nnps", b)
        close(rows[b + 1][5], mean_power[u_in].mean() if u_in.any() else nan, "u axis", b)
        close(rows[b + 1][6], mean_power[v_in].mean() if v_in.any() else nan, "v axis", b)


def roi_stats(dicom_path, text_path, x0, y0, n):
    """The viewer's "Ave./SD" and "Max/Min" after a ROI release (one value a line: mean, SD,
    maximum, minimum) against the n x n block at column x0, row y0. The block comes straight from
    the pixel data bytes laid out Columns across and Rows down, so a picture read with its sides
    exchanged cannot pass; pydicom's decoding must agree with those bytes, as the other checks
    rely on it for such files too."""
    x0, y0, n = int(x0), int(y0), int(n)
    ds, words = dicom_words(dicom_path)
    rows, columns = int(ds.Rows), int(ds.Columns)
    if int(ds.BitsAllocated) != 16 or str(ds.file_meta.TransferSyntaxUID) != "1.2.840.10008.1.2.1":
        fail(f"{dicom_path}: expected 16-bit explicit little endian pixels")
    stored = np.frombuffer(ds.PixelData, dtype="<u2", count=rows * columns).reshape(rows, columns)
    if words.shape != (rows, columns) or not (words == stored).all():
        fail(f"{dicom_path}: pydicom's pixels are not the file's {columns} x {rows} words")
    if not (0 <= x0 and x0 + n <= columns and 0 <= y0 and y0 + n <= rows):
        fail(f"block ({x0}, {y0}) of side {n} is outside the {columns} x {rows} image")
    # Every tool sees the stored value plus the truncated intercept, never wrapped to 16 bits.
    offset = int(float(getattr(ds, "RescaleIntercept", 0)))
    block = words[y0:y0 + n, x0:x0 + n].astype(np.int64) + offset
    compare_statistics(text_path, block, "ROI", x0, y0)


def compare_statistics(text_path, block, what, x0, y0):
    """The four numbers of the viewer's statistics (mean, SD, maximum, minimum, one a line) against
    numpy's population statistics of `block`."""
    expected = [block.mean(), block.std(), block.max(), block.min()]
    values = open(text_path).read().split()
    if len(values) != 4:
        fail(f"{text_path}: {values}, expected mean, SD, maximum and minimum")
    for name, text, value in zip(("mean", "SD", "maximum", "minimum"), values, expected):
        if abs(float(text) - value) > 1e-9 * max(1.0, abs(value)):
            fail(f"{what} {name} {text}, expected {value:.15g} for the block at ({x0}, {y0})")


def roi_table(dicom_path, text_path, x0, y0, n):
    """The spectrum window's table as "All" copies it (n lines of n tab-separated values, CR LF
    after each) against the hand-off's sample values of the n x n block at column x0, row y0."""
    x0, y0, n = int(x0), int(y0), int(n)
    expected = roi_values(dicom_path, x0, y0, n)
    text = open(text_path, "rb").read().decode("latin-1")
    if not text.endswith("\r\n"):
        fail(f"{text_path}: the table does not end with CR LF")
    rows = [line.split("\t") for line in text[:-2].split("\r\n")]
    if len(rows) != n or any(len(r) != n for r in rows):
        fail(f"{text_path}: {len(rows)} lines of {[len(r) for r in rows[:3]]}... values, expected {n} x {n}")
    actual = np.array([[float(v) for v in r] for r in rows])
    if not (actual == expected).all():
        r, c = np.argwhere(actual != expected)[0]
        fail(f"table value at row {r}, column {c} is {actual[r, c]:g}, expected {expected[r, c]:g} "
             f"(block at ({x0}, {y0}))")


def raw_stats(raw_path, text_path, x0, y0, n):
    """The viewer's statistics of a raw 16-bit file read with header 0, offset 0 and no swap: its
    little-endian signed words, the size from the name, against numpy over the n x n block."""
    x0, y0, n = int(x0), int(y0), int(n)
    fields = os.path.basename(raw_path).split(".")[0].split(" ")
    columns, rows = int(fields[1]), int(fields[2])
    words = np.fromfile(raw_path, dtype="<i2", count=rows * columns).reshape(rows, columns)
    block = words[y0:y0 + n, x0:x0 + n].astype(np.int64)
    compare_statistics(text_path, block, "raw ROI", x0, y0)


def main():
    command, args = sys.argv[1], sys.argv[2:]
    {"trim": trim, "header": header, "filtered-raw": filtered_raw, "filtered-bmp": filtered_bmp,
     "nps-csv": nps_csv, "roi-stats": roi_stats, "roi-table": roi_table, "raw-stats": raw_stats}[command](*args)
    print("ok", command, *[os.path.basename(a) for a in args])


main()
