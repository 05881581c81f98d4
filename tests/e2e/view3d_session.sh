#!/usr/bin/env bash
# The 3D window as a user meets it, under a private X server with a window manager: F3 opens it on
# the island example, a drag on the plan moves a table, and the 3D picture changes with it, the
# camera staying where it was. "View all" then brings the whole stand back.
#
# usage: view3d_session.sh PATH/TO/halvern
set -euo pipefail

halvern=$(readlink -f "$1")
if [ -z "${HALVERN_E2E_INNER:-}" ]; then
  for tool in xvfb-run xdotool import compare openbox; do
    command -v "$tool" >/dev/null || { echo "view3d_session: needs $tool (scripts/setup installs it)" >&2; exit 1; }
  done
  exec xvfb-run -a -s "-screen 0 1280x900x24 -nolisten tcp" env HALVERN_E2E_INNER=1 "$0" "$@"
fi

work=$(mktemp -d)
app_pid=""; wm_pid=""
cleanup() {
  [ -z "$app_pid" ] || kill "$app_pid" 2>/dev/null || true
  [ -z "$wm_pid" ] || kill "$wm_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "view3d_session: $*" >&2
  import -window root "${TMPDIR:-/tmp}/view3d_session_failure.png" 2>/dev/null &&
    echo "view3d_session: the screen is in ${TMPDIR:-/tmp}/view3d_session_failure.png" >&2
  cat "$work/halvern.log" >&2 || true
  exit 1
}
# Settings, recovery copies and caches of its own: a design left unsaved here must never be
# offered back to another run.
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_CACHE_HOME="$work/cache" QT_QPA_PLATFORM=xcb
openbox >/dev/null 2>&1 & wm_pid=$!
sleep 1
"$halvern" "$(dirname "$halvern")/examples/island_stand_8x6.qlm" >"$work/halvern.log" 2>&1 &
app_pid=$!

wait_for() { local end=$((SECONDS + $1)); shift; until "$@"; do [ "$SECONDS" -lt "$end" ] || return 1; sleep 0.3; done; }
main=""; view=""
find_main() { main=$(xdotool search --name '^Halvern Visual Design' 2>/dev/null | head -1); [ -n "$main" ]; }
find_view() { view=$(xdotool search --name '^3D view$' 2>/dev/null | head -1); [ -n "$view" ]; }
wait_for 30 find_main || fail "the main window did not open"
# The splash window carries the program's name too: on a busy machine the first F3 can reach it
# before the main window has the focus, so the key is given again until the 3D window shows.
for attempt in 1 2 3; do
  sleep 2
  find_main || true
  xdotool windowactivate --sync "$main" >/dev/null 2>&1 || true; sleep 0.5
  xdotool key F3
  if wait_for 10 find_view; then break; fi
done
[ -n "$view" ] || fail "F3 opened no 3D window"
sleep 4 # the first scene is built and drawn

# The picture part of the 3D window, as it is on the screen.
shot() { # NAME
  xdotool windowactivate --sync "$view" >/dev/null 2>&1 || true; sleep 1.5
  import -window root "$work/screen.png"
  eval "$(xdotool getwindowgeometry --shell "$view")"
  convert "$work/screen.png" -crop "$((WIDTH - 20))x$((HEIGHT - 80))+$((X + 10))+$((Y + 60))" +repage "$work/$1.png"
}
differ() { # A B: pixels that changed
  { compare -metric AE -fuzz 8% "$work/$1.png" "$work/$2.png" null: 2>&1 || true; } | cut -d" " -f1
}
shot first
shot again
[ "$(differ first again)" -lt 200 ] || fail "the 3D picture changes by itself"
colours=$(convert "$work/first.png" -colors 16 -unique-colors txt:- | wc -l)
[ "$colours" -gt 4 ] || fail "the 3D window shows no stand ($colours colours)"

# The oval coffee table, front left of the plan (the main window fills the top left of the screen),
# dragged in steps towards the middle, as a hand does.
xdotool windowactivate --sync "$main" >/dev/null 2>&1 || true; sleep 0.5
x=273; y=607
xdotool mousemove "$x" "$y"; sleep 0.25; xdotool mousemove $((x + 1)) "$y"; sleep 0.25
xdotool mousedown 1; sleep 0.25
for k in 1 2 3 4 5; do xdotool mousemove $((x + 1 + 4 * k)) $((y - 30 * k)); sleep 0.25; done
xdotool mouseup 1; sleep 3
shot moved
changed=$(differ again moved)
echo "pixels changed by the edit: $changed"
[ "$changed" -gt 300 ] || fail "the 3D picture did not follow the edit ($changed pixels changed)"

echo "view3d_session: passed"
