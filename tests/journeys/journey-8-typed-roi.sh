# A ROI typed into the viewer's edits is the ROI every tool uses: after Return its statistics and
# the table "toFilter" hands to the spectrum window equal numpy's over that block of the DICOM
# phantom. The raw phantom loaded next in "16bit" starts from the defaults, not from the DICOM
# header's offsets, and its statistics equal numpy's over its own words. The viewer's close box
# then ends the program with the analysis windows still open.

# The text of an edit of the viewer, through its own Ctrl+C.
edit_text() {
  xclip -selection clipboard -i /dev/null
  click Form1 "$1"
  xdotool key ctrl+a ctrl+c
  sleep 0.2
  xclip -selection clipboard -o 2>/dev/null || die "nothing copied from $1"
}

# Types a text over an edit's text and presses Return in it.
type_into() {
  click Form1 "$1"
  xdotool key ctrl+a
  xdotool type --delay 2 "$2"
  xdotool key Return
  sleep 0.3
}

statistics_to() {
  for edit in EditAve EditSD EditMax EditMin; do edit_text "$edit"; echo; done >"$1"
}

start_app
load "$WORK/samples/ct-phantom.dcm"
expect_no_box 10 "the phantom did not load quietly"
type_into EditROISizeX 64
type_into EditROISizeY 64
type_into EditROIPosX 100
type_into EditROIPosY 150
x0=68 y0=118  # 64 wide around column 100, row 150
shot 8-typed-roi
click Form1 ButtonStat
expect_no_box 5 "\"Stat\" gave a message"
statistics_to "$WORK/typed-stats.txt"
check roi-stats "$WORK/samples/ct-phantom.dcm" "$WORK/typed-stats.txt" $x0 $y0 64

click Form1 ButtonToTable
form3=$(wait_window '^Form3$' 150) || die "the filter window did not come up"
sleep 1.5
xdotool windowactivate --sync "$form3"; sleep 0.5
xclip -selection clipboard -i /dev/null
keep=$WID; WID=$form3
click Form3 ButtonROIToCB  # the spectrum window's table, as its "All" copies it
WID=$keep
mkdir -p "$WORK/out"
clipboard_to "$WORK/out/table.txt"
check roi-table "$WORK/samples/ct-phantom.dcm" "$WORK/out/table.txt" $x0 $y0 64

xdotool windowactivate --sync "$WID"; sleep 0.3
click Form1 RadioGroupMode 30 41  # "16bit"
load "$WORK/samples/phantom 256 256 0p5.raw"
expect_no_box 10 "the raw phantom did not load quietly after the DICOM file"
[ "$(edit_text EditHeader) $(edit_text EditOffst)" = "0 0" ] || die "the DICOM header's offsets stayed for the raw file"
click Form1 ButtonStat
statistics_to "$WORK/raw-stats.txt"
check raw-stats "$WORK/samples/phantom 256 256 0p5.raw" "$WORK/raw-stats.txt" 0 0 256  # the load's ROI
shot_window 8-raw-after-dicom "$WID"

# The close box of the viewer (the window manager's close) ends the program.
xdotool windowactivate --sync "$WID"; sleep 0.2
xdotool key alt+F4
for ((i = 0; i < 100; i++)); do
  kill -0 "$APP_PID" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$APP_PID" 2>/dev/null && die "the program kept running after the viewer was closed"
wait "$APP_PID" 2>/dev/null || true
APP_PID=""
log "the viewer's close ended the program"
