# Shared steps of the journeys: a real program in a real X window, driven by real input events.
# Sourced by run-journeys; expects ROOT, APP, OUT and WORK to be set.

BOX_TITLE='^Spectrum Viewer$'  # the title of every message box of the program
# The run's language: Japanese from the locale (the program starts as on a Japanese desktop),
# English through --lang, which beats that locale. Only the program gets the Japanese locale: the
# tools here keep the machine's, whose UTF-8 they need to read Japanese window titles. in_lang JAPANESE ENGLISH prints the
# text of the run's language.
JOURNEY_LANG=${JOURNEY_LANG:-ja}
in_lang() { if [ "$JOURNEY_LANG" = en ]; then printf '%s' "$2"; else printf '%s' "$1"; fi; }
PY=/usr/bin/python3  # Debian's python, with numpy and pydicom from scripts/setup
WID=""

log() { printf '[journey] %s\n' "$*"; }
die() { log "FAILED: $*"; shot "failure-$(date +%s)"; exit 1; }

# Screenshots of an English run are named en-*.
shot() { import -window root "$OUT/$(in_lang "" en-)$1.png"; }
shot_window() { import -frame -window "$2" "$OUT/$(in_lang "" en-)$1.png" 2>/dev/null || shot "$1"; }  # name, window id

# The newest visible window whose title matches the pattern (an extended regular expression); prints
# its id. Titles are compared as UTF-8 text: xdotool's own --name search reads the legacy title
# property, where Qt's Japanese titles are not plain text.
find_window() {
  local id
  for id in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
    xdotool getwindowname "$id" 2>/dev/null | grep -qE -- "$1" && echo "$id"
  done | tail -1
}

# Waits until a visible window whose name matches the pattern exists; prints its id.
wait_window() {
  local pattern=$1 tries=${2:-100} id
  for ((i = 0; i < tries; i++)); do
    id=$(find_window "$pattern")
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    sleep 0.1
  done
  return 1
}

wait_gone() {
  local pattern=$1
  for ((i = 0; i < 100; i++)); do
    [ -z "$(find_window "$pattern")" ] && return 0
    sleep 0.1
  done
  return 1
}

start_app() {
  # As scripts/run starts it: from the samples folder (here a private copy of it).
  local lang_option=()
  [ "$JOURNEY_LANG" = en ] && lang_option=(--lang en)
  (cd "$WORK/samples" &&
    exec env -u LC_ALL -u LC_MESSAGES LANG=ja_JP.UTF-8 "$APP" "${lang_option[@]}" >"$OUT/app.log" 2>&1) &
  APP_PID=$!
  WID=$(wait_window '^Viewer$' 150) || die "the viewer window did not appear"
  xdotool windowactivate --sync "$WID"
  sleep 0.3
}

stop_app() {
  kill "$APP_PID" 2>/dev/null || true
  wait "$APP_PID" 2>/dev/null || true
}

# Position of a control of Form1 in window coordinates: uipos FORM WIDGET [dx dy].
pos() { "$PY" "$ROOT/tests/journeys/uipos.py" "$ROOT/forms/$1.ui" "${@:2}"; }

click() {  # click FORM WIDGET [dx dy] [button]
  local p; p=$(pos "$1" "$2" ${3:+"$3"} ${4:+"$4"})
  xdotool mousemove --window "$WID" $p click "${5:-1}"
  sleep 0.3
}

# Types a path into the file dialog titled $1 that the last click brought up.
answer_file_dialog() {
  local dialog
  dialog=$(wait_window "^$1\$") || die "no '$1' dialog"
  xdotool windowactivate --sync "$dialog" 2>/dev/null || true
  xdotool type --delay 2 "$2"
  xdotool key Return
  wait_gone "^$1\$" || die "the '$1' dialog stayed"
  sleep 0.5
}
# Qt's own dialog titles, Japanese from Debian's Qt translations.
answer_open_dialog() { answer_file_dialog "$(in_lang 開く Open)" "$1"; }
answer_save_dialog() { answer_file_dialog "$(in_lang 名前を付けて保存 "Save As")" "$1"; }

# The message box's own text, copied with Ctrl+C into the clipboard, then the box confirmed.
# Prints the text. Usage: box_text [screenshot-name]
box_text() {
  local box
  box=$(wait_window "$BOX_TITLE" 50) || die "no message box"
  [ -n "${1:-}" ] && shot "$1"
  xdotool windowactivate --sync "$box" 2>/dev/null || true
  xdotool key ctrl+c
  sleep 0.2
  xclip -selection clipboard -o 2>/dev/null || true
  xdotool key Return
  wait_gone "$BOX_TITLE" || die "the message box stayed"
  sleep 0.3
}

# Fails when a message box shows up within the given tenths of a second.
expect_no_box() {
  if wait_window "$BOX_TITLE" "${1:-20}" >/dev/null; then die "$2"; fi
}

# Confirms a message box if one is up; fails when none appears and one was expected.
confirm_box() {
  local box
  box=$(wait_window "$BOX_TITLE" "${2:-50}") || { [ "${1:-}" = optional ] && return 0; die "no message box"; }
  [ -n "${1:-}" ] && [ "$1" != optional ] && shot "$1"
  xdotool windowactivate --sync "$box" 2>/dev/null || true
  xdotool key Return
  wait_gone "$BOX_TITLE" || die "the message box stayed"
  xdotool windowactivate --sync "$WID" 2>/dev/null || true
  sleep 0.3
}

load() {  # the load button and the open dialog
  click Form1 BitBtnLoad
  answer_open_dialog "$1"
}

clipboard_to() { xclip -selection clipboard -o >"$1" 2>/dev/null || die "nothing on the clipboard"; }

check() { "$PY" "$ROOT/tests/journeys/check.py" "$@" || die "check $1"; }
