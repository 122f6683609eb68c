# A portrait radiograph, 384 columns x 512 rows: the viewer shows it Columns across and Rows down,
# the ROI dragged into its bottom-right corner is that corner's block for the statistics, the
# trimmed file and the hand-off to the filter window, each compared with numpy over the file.
DX=$WORK/samples/dx-chest-3x4.dcm

# The text of an edit of the viewer, through its own Ctrl+C.
edit_text() {
  xclip -selection clipboard -i /dev/null  # a copy that fails must not leave older text to read
  click Form1 "$1"
  xdotool key ctrl+a ctrl+c
  sleep 0.2
  xclip -selection clipboard -o 2>/dev/null || die "nothing copied from $1"
}

start_app
load "$DX"
expect_no_box 10 "the radiograph did not load quietly"
columns=$(edit_text EditImgSizeX)
rows=$(edit_text EditImgSizeY)
[ "$columns $rows" = "384 512" ] || die "image size $columns x $rows, expected 384 columns x 512 rows"

click Form1 EditROISizeX "" "" 3  # the size menu: 64 is its first item
xdotool key Down Return
sleep 0.5

# At zoom 1 the picture is as high as the 512-pixel area and as wide as its proportion gives,
# centred: screen pixels per image pixel 512 / rows, left edge (512 - 512 * columns / rows) / 2.
# The 64 x 64 ROI starts centred on the image; pressing inside it and releasing over image
# column columns - 32, row rows - 32 puts it on columns columns-64 .. columns-1, rows rows-64 .. rows-1.
read -r ix iy <<<"$(pos Form1 Image1 0 0)"
left=$(((512 - 512 * columns / rows) / 2))
screen() { echo $((ix + left + $1 * 512 / rows)) $((iy + $2 * 512 / rows)); }
read -r fx fy <<<"$(screen $((columns / 2)) $((rows / 2)))"
read -r tx ty <<<"$(screen $((columns - 32)) $((rows - 32)))"
xdotool mousemove --window "$WID" "$fx" "$fy" mousedown 1
for step in 1 2 3 4 5 6 7 8; do
  xdotool mousemove --window "$WID" $((fx + (tx - fx) * step / 8)) $((fy + (ty - fy) * step / 8))
  sleep 0.05
done
xdotool mouseup 1
sleep 0.5
shot 7-roi-corner
shot_window 7-viewer "$WID"

# The ROI edits give its centre; a ROI of even side n starts n / 2 before it.
cx=$(edit_text EditROIPosX)
cy=$(edit_text EditROIPosY)
x0=$((cx - 32)) y0=$((cy - 32))
log "ROI centre ($cx, $cy): columns $x0.., rows $y0.."
[ "$x0 $y0" = "$((columns - 64)) $((rows - 64))" ] || die "the ROI did not reach the bottom-right corner: ($x0, $y0)"

for edit in EditAve EditSD EditMax EditMin; do edit_text "$edit"; echo; done >"$WORK/corner-stats.txt"
check roi-stats "$DX" "$WORK/corner-stats.txt" "$x0" "$y0" 64

mkdir -p "$WORK/out"
click Form1 ButtonTriming
answer_save_dialog "$WORK/out/corner.raw"
confirm_box 7-trim-saved
trimmed="$WORK/out/corner 64 64 0p2.bin"
[ -f "$trimmed" ] || die "no trimmed file: $(ls "$WORK/out")"
check trim "$DX" "$trimmed" "$x0" "$y0" 64 64

click Form1 ButtonToTable
form3=$(wait_window '^Form3$' 150) || die "the filter window did not come up"
sleep 1.5
xdotool windowactivate --sync "$form3"; sleep 0.5
shot_window 7-filter-window "$form3"
keep=$WID; WID=$form3
click Form3 ButtonSaveFltrd
answer_save_dialog "$WORK/out/corner-filtered.raw"
WID=$keep
check filtered-raw "$DX" "$WORK/out/corner-filtered.raw" "$x0" "$y0" 64
stop_app
