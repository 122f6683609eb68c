# Open a DICOM sample through the open dialog, set a 64 x 64 ROI from the size menu, drag it with
# the mouse, trim it, and copy the header.
start_app
load "$WORK/samples/ct-phantom.dcm"
shot 1-dicom-loaded

# Right click on the ROI size edit opens the size menu; its first item is 64.
click Form1 EditROISizeX "" "" 3
xdotool key Down Return
sleep 0.5

# The 256 x 256 image fills the 512-pixel area (half a pixel per screen pixel). Pressing inside
# the ROI and releasing at (300, 240) makes image column 150, row 120 its centre:
# columns 118..181, rows 88..151.
read -r ix iy <<<"$(pos Form1 Image1 0 0)"
xdotool mousemove --window "$WID" $((ix + 256)) $((iy + 256)) mousedown 1
for step in 1 2 3 4; do
  xdotool mousemove --window "$WID" $((ix + 256 + 11 * step)) $((iy + 256 - 4 * step))
  sleep 0.05
done
xdotool mouseup 1
sleep 0.5
shot 1-roi-dragged
shot_window 1-viewer "$WID"

click Form1 ButtonTriming
answer_save_dialog "$WORK/samples/ct-phantom.dcm"
confirm_box 1-trim-saved
trimmed="$WORK/samples/ct-phantom 64 64 0p5.bin"
[ -f "$trimmed" ] || die "no trimmed file $(ls "$WORK/samples")"
check trim "$WORK/samples/ct-phantom.dcm" "$trimmed" 118 88 64 64

click Form1 ButtonCB
clipboard_to "$WORK/header.txt"
check header "$WORK/samples/ct-phantom.dcm" "$WORK/header.txt"
stop_app
