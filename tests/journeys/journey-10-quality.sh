# The MTF and DQE window from the viewer's shortcut, worked by the keyboard: an edge image loaded
# in the viewer, the edge ROI typed in, a run, the CSV and JSON exports saved through the save
# dialog and compared byte for byte with what spectrum_cli mtf writes for the same file and ROI;
# then the window closed by the window manager.
mkdir -p "$WORK/out"
# A vertical edge tilted 3 degrees, blurred by a Gaussian of 0.9 pixels, with Poisson noise, as a
# DICOM file with a pixel spacing of 0.1 mm.
"$PY" - "$WORK/samples/edge.dcm" <<'PYEOF'
import sys
from math import erf, sqrt, tan, radians
import numpy as np
from pydicom.dataset import FileDataset, FileMetaDataset
from pydicom.uid import ExplicitVRLittleEndian, generate_uid
n = 300
yy, xx = np.mgrid[0:n, 0:n].astype(float)
d = (xx + 0.5 - n / 2 - 0.3 - tan(radians(3.0)) * (yy + 0.5 - n / 2)) * np.cos(radians(3.0))
step = 0.5 * (1 + np.vectorize(erf)(d / (0.9 * sqrt(2))))
img = np.random.default_rng(7).poisson(3000 + 24000 * step).astype(np.uint16)
meta = FileMetaDataset()
meta.MediaStorageSOPClassUID = '1.2.840.10008.5.1.4.1.1.1.1'
meta.MediaStorageSOPInstanceUID = generate_uid()
meta.TransferSyntaxUID = ExplicitVRLittleEndian
ds = FileDataset(sys.argv[1], {}, file_meta=meta, preamble=b"\0" * 128)
ds.SOPClassUID, ds.SOPInstanceUID = meta.MediaStorageSOPClassUID, meta.MediaStorageSOPInstanceUID
ds.Modality, ds.Rows, ds.Columns = 'DX', n, n
ds.BitsAllocated, ds.BitsStored, ds.HighBit, ds.PixelRepresentation = 16, 16, 15, 0
ds.SamplesPerPixel, ds.PhotometricInterpretation = 1, 'MONOCHROME2'
ds.PixelSpacing = [0.1, 0.1]
ds.PixelData = img.tobytes()
ds.is_little_endian, ds.is_implicit_VR = True, False
ds.save_as(sys.argv[1], write_like_original=False)
PYEOF
start_app
load "$WORK/samples/edge.dcm"
xdotool key ctrl+shift+m
Q_WID=$(wait_window "^$(in_lang 'MTF と DQE' 'MTF and DQE')\$" 50) || die "the MTF and DQE window did not come up"
xdotool windowactivate --sync "$Q_WID"; sleep 0.3
xdotool key alt+r ctrl+a; xdotool type --delay 2 "40,30,220,240"
xdotool key ctrl+r
expect_no_box 30 "the MTF run gave a message"
sleep 1
shot_window 10-quality-window "$Q_WID"
xdotool key ctrl+s
answer_save_dialog "$WORK/out/window-mtf.csv"
xdotool windowactivate --sync "$Q_WID"; sleep 0.2
xdotool key ctrl+shift+s
answer_save_dialog "$WORK/out/window-mtf"  # the extension is added
"$BUILD/cli/spectrum_cli" mtf "$WORK/samples/edge.dcm" --roi 40,30,220,240 --quiet --out "$WORK/out/cli-mtf" \
  >/dev/null || die "spectrum_cli mtf failed"
cmp "$WORK/out/window-mtf.csv" "$WORK/out/cli-mtf.csv" || die "the window's MTF CSV differs from the command line's"
cmp "$WORK/out/window-mtf.json" "$WORK/out/cli-mtf.json" || die "the window's MTF JSON differs from the command line's"
log "the window's MTF exports are the command line's, byte for byte"
xdotool windowactivate --sync "$Q_WID"; sleep 0.2
xdotool key alt+F4
wait_gone "^$(in_lang 'MTF と DQE' 'MTF and DQE')\$" || die "the MTF and DQE window did not close"
stop_app
