# What a new user runs into, mended: a bad ROI size whose error box must not come back each time
# it closes, saving to new file names (and a question before an old file is replaced), and a
# hand-off that stops part-way, after which the older filtered image must not be saved as current.
start_app
load "$WORK/samples/ct-phantom.dcm"
confirm_box optional 5

# 1. "12a" in the ROI size edit, Tab, "Disp": one error box. Clicking back into the edit to
# correct it shows the error once (the user moved in); closing it must not bring it back.
click Form1 EditROISizeX
xdotool key ctrl+a; xdotool type "12a"; xdotool key Tab
sleep 0.3
click Form1 ButtonDisp
confirm_box 5-bad-size
click Form1 EditROISizeX
text=$(box_text 5-bad-size-entry)
grep -qF "$(in_lang "'12a' は整数ではありません" "'12a' is not an integer")" <<<"$text" || die "unexpected entry message: $text"
expect_no_box 25 "the error box came back after it closed: the user is trapped"
# The user can now correct the text and go on.
xdotool key ctrl+a; xdotool type "64"; xdotool key Tab
sleep 0.3
click Form1 EditROISizeY
xdotool key ctrl+a; xdotool type "64"; xdotool key Tab
sleep 0.3
click Form1 ButtonDisp
expect_no_box 10 "a corrected size still gives an error"

# 2. Trimming to a new name: no question, the file appears beside it.
rm -rf "$WORK/new" && mkdir -p "$WORK/new"  # new names, also when the journey runs again
click Form1 ButtonTriming
answer_save_dialog "$WORK/new/knee.raw"
confirm_box 5-trim-new-name
[ -f "$WORK/new/knee 64 64 0p5.bin" ] || die "the trimmed file was not written under a new name: $(ls "$WORK/new")"

# The filter window saves under new names; an existing file is replaced only when the user says so.
click Form1 ButtonToTable
form3=$(wait_window '^Form3$' 150) || die "the filter window did not come up"
sleep 1.5
xdotool windowactivate --sync "$form3"; sleep 0.5
keep=$WID; WID=$form3
click Form3 ButtonSaveFltrd
answer_save_dialog "$WORK/new/filtered.raw"
[ "$(stat -c %s "$WORK/new/filtered.raw")" = $((64 * 64 * 4)) ] || die "no filtered image under the new name"
printf 'keep me' >"$WORK/new/old.raw"
click Form3 ButtonSaveFltrd
answer_save_dialog "$WORK/new/old.raw"
text=$(box_text 5-replace-question)   # Return: the default answer, No
grep -q "$(in_lang "は既に存在します" "already exists")" <<<"$text" || die "no replace question: $text"
[ "$(cat "$WORK/new/old.raw")" = "keep me" ] || die "the old file was replaced although the user said No"
click Form3 ButtonSaveFltrd
answer_save_dialog "$WORK/new/old.raw"
box=$(wait_window "$BOX_TITLE" 50) || die "no replace question"
xdotool windowactivate --sync "$box"; xdotool key alt+y
wait_gone "$BOX_TITLE" || die "the question stayed"
sleep 0.5
[ "$(stat -c %s "$WORK/new/old.raw")" = $((64 * 64 * 4)) ] || die "Yes did not replace the file"
WID=$keep

# 3. A constant ROI: the hand-off stops at the data picture. "SaveFltrd" must refuse the older
# image instead of saving it as the new ROI's.
"$PY" -c "import sys; sys.stdout.buffer.write(bytes(2 * 256 * 256))" >"$WORK/samples/flat 256 256 1p0.raw"
xdotool windowactivate --sync "$WID"; sleep 0.3
load "$WORK/samples/flat 256 256 1p0.raw"
confirm_box optional 5
click Form1 EditROISizeX "" "" 3  # the size menu: 64, a ROI inside the image
xdotool key Down Return
sleep 0.5
click Form1 ButtonToTable
confirm_box 5-constant-roi-stops
xdotool windowactivate --sync "$form3"; sleep 0.5
keep=$WID; WID=$form3
click Form3 ButtonSaveFltrd
text=$(box_text 5-stale-refused)
grep -q "$(in_lang "最後に渡した ROI のものではありません" "does not belong to the ROI handed over last")" <<<"$text" || die "stale result not refused: $text"
[ -n "$(find_window "^$(in_lang 名前を付けて保存 "Save As")\$")" ] && die "a save dialog opened for a stale result"
WID=$keep
stop_app
