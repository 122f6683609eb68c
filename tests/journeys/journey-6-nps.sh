# The NPS window from the viewer's shortcut, worked by the keyboard: the ROI size and an own list
# of ROIs typed in, a run, the table saved through the save dialog and compared with an NPS that
# check.py computes with numpy, first with the axis curves binned by radial frequency (the
# default), then again with them placed along the axis ("along"); then the window closed by the
# window manager.
start_app
load "$WORK/samples/ct-phantom.dcm"
xdotool key ctrl+shift+n
NPS_WID=$(wait_window '^NPS$' 50) || die "the NPS window did not come up"
xdotool windowactivate --sync "$NPS_WID"; sleep 0.3
xdotool key alt+r ctrl+a; xdotool type --delay 2 "64"
xdotool key alt+o ctrl+a; xdotool type --delay 2 "0,0;64,64;128,128"
xdotool key ctrl+r
expect_no_box 30 "the NPS run gave a message"
shot_window 6-nps-window "$NPS_WID"
mkdir -p "$WORK/out"
xdotool key ctrl+s
answer_save_dialog "$WORK/out/nps.csv"
check nps-csv "$WORK/samples/ct-phantom.dcm" "$WORK/out/nps.csv" 64 "0,0;64,64;128,128"
xdotool windowactivate --sync "$NPS_WID"; sleep 0.2
xdotool key alt+c; xdotool type --delay 2 "a"
xdotool key ctrl+r
expect_no_box 30 "the NPS run along the axes gave a message"
xdotool key ctrl+s
answer_save_dialog "$WORK/out/nps-along.csv"
check nps-csv "$WORK/samples/ct-phantom.dcm" "$WORK/out/nps-along.csv" 64 "0,0;64,64;128,128" 0.05 7 along
xdotool windowactivate --sync "$NPS_WID"; sleep 0.2
xdotool key alt+F4
wait_gone '^NPS$' || die "the NPS window did not close"
stop_app
