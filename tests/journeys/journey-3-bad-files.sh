# Bad files give a message box and the program keeps working: a DICOM file cut off inside its
# pixel data, a raw file too small for the size its name gives, a raw name with a size that is
# not a number.
head -c 2000 "$WORK/samples/ct-phantom.dcm" >"$WORK/samples/cut.dcm"
head -c 100 "$WORK/samples/phantom 256 256 0p5.raw" >"$WORK/samples/small 64 64 1p0.raw"
head -c 100 "$WORK/samples/phantom 256 256 0p5.raw" >"$WORK/samples/bad x 64 1p0.raw"
start_app
load "$WORK/samples/cut.dcm"
confirm_box 3-cut-dicom
load "$WORK/samples/small 64 64 1p0.raw"
confirm_box 3-small-raw
load "$WORK/samples/bad x 64 1p0.raw"
confirm_box 3-bad-name
# Still working: a good file loads and its header copies.
load "$WORK/samples/ct-phantom-implicit.dcm"
confirm_box optional 5
click Form1 ButtonCB
clipboard_to "$WORK/after-bad.txt"
check header "$WORK/samples/ct-phantom-implicit.dcm" "$WORK/after-bad.txt"
stop_app
