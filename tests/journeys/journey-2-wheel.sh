# Step through a folder with the mouse wheel: load the first file in name order (numbers in names
# by value, letters without case, as file managers list them) through the dialog, then each notch
# away from the user loads the entry the file number names and points it one further. The header copied after each step names the file that was loaded.
mkdir -p "$WORK/wheel"
cp "$WORK"/samples/*.dcm "$WORK/wheel/"
mapfile -t order < <("$PY" -c '
import os, re, sys
key = lambda n: ([int(t) if t.isdigit() else t.lower() for t in re.split(r"(\d+)", n)], n)
print("\n".join(sorted(os.listdir(sys.argv[1]), key=key)))' "$WORK/wheel")
start_app
load "$WORK/wheel/${order[0]}"
read -r cx cy <<<"$(pos Form1 Image1 256 256)"
xdotool mousemove --window "$WID" "$cx" "$cy"
# The first notch shows the loaded file again and points at the next one.
for expected in 0 1 2; do
  xdotool click 4
  sleep 0.8
  click Form1 ButtonCB
  clipboard_to "$WORK/wheel-header.txt"
  check header "$WORK/wheel/${order[$expected]}" "$WORK/wheel-header.txt"
  xdotool mousemove --window "$WID" "$cx" "$cy"
done
shot 2-wheel-last
stop_app
