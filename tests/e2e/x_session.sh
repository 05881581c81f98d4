# What the end-to-end scripts share: a private X server, a scratch folder, the program started and
# watched, and the hand of the user (pointer, keys, the File menu). Sourced with SCRIPT_NAME set
# and the script's own arguments (PATH/TO/halvern): the script runs again under the X server.

halvern=$(readlink -f "$1")
if [ -z "${HALVERN_E2E_INNER:-}" ]; then
  for tool in xvfb-run xdotool convert; do
    command -v "$tool" >/dev/null || { echo "$SCRIPT_NAME: needs $tool (scripts/setup installs it)" >&2; exit 1; }
  done
  exec xvfb-run -a -s "-screen 0 1280x900x24 -nolisten tcp" env HALVERN_E2E_INNER=1 "$0" "$@"
fi

work=$(mktemp -d)
app_pid=""
cleanup() {
  if [ -n "$app_pid" ] && kill -0 "$app_pid" 2>/dev/null; then kill "$app_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "$SCRIPT_NAME: $*" >&2
  import -window root "$work/failure.png" 2>/dev/null && cp "$work/failure.png" "${TMPDIR:-/tmp}/${SCRIPT_NAME}_failure.png" &&
    echo "$SCRIPT_NAME: the screen at the failure is in ${TMPDIR:-/tmp}/${SCRIPT_NAME}_failure.png" >&2
  echo "--- program output ---" >&2
  cat "$work/halvern.log" >&2 || true
  exit 1
}

# A first run: no stored settings, no designs kept aside.
export XDG_CONFIG_HOME="$work/config"
export XDG_DATA_HOME="$work/data"
export QT_QPA_PLATFORM=xcb
mkdir -p "$XDG_CONFIG_HOME"

wait_for() { # SECONDS COMMAND...: until the command succeeds
  local limit=$1; shift
  local end=$((SECONDS + limit))
  until "$@"; do
    [ "$SECONDS" -lt "$end" ] || return 1
    sleep 0.2
  done
}

start_program() { # ARGS...: the editor, once its window is up
  local attempt
  for attempt in 1 2 3; do
    "$halvern" "$@" >>"$work/halvern.log" 2>&1 &
    app_pid=$!
    if wait_for 30 find_window_or_gone && [ -n "$window" ]; then break; fi
    # On a loaded machine the X server has been seen to refuse a connection right after a killed
    # client went away: the program then ends at once, and is started again.
    grep -q "could not connect to display" "$work/halvern.log" || fail "the main window did not open"
    sleep 1
  done
  [ -n "$window" ] || fail "the main window did not open"
  sleep 1.5
}
find_window_or_gone() { find_window || ! kill -0 "$app_pid" 2>/dev/null; }

window=""
find_window() { window=$(xdotool search --name '^Halvern Visual Design' 2>/dev/null | head -1); [ -n "$window" ]; }

# Where the plan starts: the palette column's border is a dark line down the left of the plan.
plan_top() {
  import -window root "$work/screen.png"
  convert "$work/screen.png" -crop 1x900+75+0 txt:"$work/column.txt"
  awk -F'[(),]+' '
    NR > 1 { split($0, a, ":"); split(a[1], b, ","); y = b[2]; r = $3 + 0;
             if (r < 150) { run++; if (run == 40) { print y - 39; exit } } else run = 0 }' "$work/column.txt"
}

pause() { sleep 0.25; }
move() { xdotool mousemove "$1" "$2"; pause; }
click() { move "$1" "$2"; xdotool mousedown 1; pause; xdotool mouseup 1; pause; }
# A drag in steps, the way a hand makes it.
drag() { # X1 Y1 X2 Y2
  move "$1" "$2"; move $(($1 + 1)) "$2"
  xdotool mousedown 1; pause
  for k in 1 2 3 4 5; do move $(($1 + 1 + ($3 - $1 - 1) * k / 5)) $(($2 + ($4 - $2) * k / 5)); done
  xdotool mouseup 1; pause
}
key() { xdotool key --clearmodifiers "$1"; sleep 0.4; }
objects() { "$halvern" objects "$1" | cut -f 2,3,4; }

# A cell of the palette of the built-in library, below the plan's top.
cell_y() { echo $((top + 40 + 75 * $1 + 37)); }
# A component from its palette cell, dropped where the pointer is let go.
place_from_palette() { # CELL X Y
  click 37 "$(cell_y "$1")"
  drag "$2" $((top + $3)) $(($2 + 1)) $((top + $3))
}

saved() { [ -s "$work/stand.qlm" ]; }
# Ctrl+S while the design has no file yet: the dialog asks for one, given as "stand".
save_through_dialog() {
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  key ctrl+s
  find_dialog() { xdotool search --name '^Save the design' >/dev/null 2>&1; }
  wait_for 10 find_dialog || fail "Ctrl+S opened no save dialog"
  sleep 0.5
  xdotool type --delay 20 "$work/stand"
  key Return
  wait_for 10 saved || fail "the dialog wrote no $work/stand.qlm"
  sleep 0.5
}

# Quit from the File menu. The menu is given time to open before the keys reach it; a slow machine
# gets another try.
quit_program() {
  click 20 8
  sleep 1
  key Up
  key Return
  wait_for 8 bash -c "! kill -0 $app_pid 2>/dev/null"
}
