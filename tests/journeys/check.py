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


def main():
    command, args = sys.argv[1], sys.argv[2:]
    {"trim": trim, "header": header, "filtered-raw": filtered_raw, "filtered-bmp": filtered_bmp}[command](*args)
    print("ok", command, *[os.path.basename(a) for a in args])


main()
