# "toFilter" with a 64 x 64 and a 256 x 256 ROI: the spectrum window computes and minimises
# itself, the filter window comes up with its five views; "SaveFltrd" and "SaveBMP" write files
# that check.py compares with the ROI filtered independently (numpy's FFT, the default high-cut
# filter 0.25 / 5).
window_state() { xprop -id "$1" _NET_WM_STATE 2>/dev/null; }

to_filter_and_save() {  # size, x0, y0, menu downs
  local n=$1 x0=$2 y0=$3 downs=$4
  xdotool windowactivate --sync "$WID"; sleep 0.3
  click Form1 EditROISizeX "" "" 3
  for ((i = 0; i < downs; i++)); do xdotool key Down; done
  xdotool key Return
  sleep 0.5
  click Form1 ButtonToTable
  local form3
  form3=$(wait_window '^Form3$' 150) || die "the filter window did not come up"
  sleep 1.5
  local form2
  form2=$(xdotool search --name '^Form2$' | tail -1)
  window_state "$form2" | grep -q HIDDEN || die "the spectrum window did not minimise itself"
  xdotool windowactivate --sync "$form3"; sleep 0.5
  shot "4-filter-$n"
  shot_window "4-filter-window-$n" "$form3"
  local saved=$WORK/out/filtered-$n.raw bmp=$WORK/out/view-$n.bmp
  mkdir -p "$WORK/out"
  local keep=$WID; WID=$form3
  click Form3 ButtonSaveFltrd
  answer_save_dialog "$saved"
  click Form3 ButtonSaveBMP
  answer_save_dialog "$bmp"
  WID=$keep
  check filtered-raw "$WORK/samples/ct-phantom.dcm" "$saved" "$x0" "$y0" "$n"
  check filtered-bmp "$WORK/samples/ct-phantom.dcm" "$bmp" "$x0" "$y0" "$n"
  # "Form2" brings the spectrum window back as it is, on its spectrum page.
  xdotool windowactivate --sync "$WID"; sleep 0.3
  click Form1 ButtonToForm2
  sleep 1
  window_state "$form2" | grep -q HIDDEN && die "the spectrum window did not come back"
  xdotool windowactivate --sync "$form2" 2>/dev/null || true
  keep=$WID; WID=$form2
  click Form2 PageControl1 140 12  # the "2D-Spectl" tab
  WID=$keep
  sleep 0.5
  shot_window "4-spectrum-window-$n" "$form2"
}

start_app
load "$WORK/samples/ct-phantom.dcm"
# The size menu: 64 is the first item, 256 the third; the ROI stays centred at (128, 128).
to_filter_and_save 64 96 96 1
to_filter_and_save 256 0 0 3
stop_app
