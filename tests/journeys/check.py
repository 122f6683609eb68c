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


def main():
    command, args = sys.argv[1], sys.argv[2:]
    {"trim": trim, "header": header}[command](*args)
    print("ok", command, *[os.path.basename(a) for a in args])


main()
