#!/usr/bin/env bash
# A crash under a private X server: one frame placed and the design saved, a second frame placed,
# the editor killed outright once its unsaved design was kept aside. The next start offers the
# design; Restore brings both frames back bound to the saved file, so that Ctrl+S writes them there
# without a question. A clean quit then leaves nothing to recover.
#
# usage: recovery_session.sh PATH/TO/halvern
set -euo pipefail

SCRIPT_NAME=recovery_session
# shellcheck source=x_session.sh
. "$(dirname "$0")/x_session.sh"

# A copy kept aside half a second after an edit, rather than a minute.
export HALVERN_AUTOSAVE_MS=500
recovery="$XDG_DATA_HOME/Halvern Visual Design/recovery"
copies() { find "$recovery" -name '*.qlm' 2>/dev/null; }
copy_of() { # PID: the copy of that editor
  find "$recovery" -name "editor-$1-*.qlm" 2>/dev/null | head -1
}

start_program
top=$(plan_top)
[ -n "$top" ] || fail "the plan is not on the screen"

place_from_palette 3 300 300
save_through_dialog
[ -z "$(copies)" ] || fail "a saved design has a copy kept aside: $(copies)"

place_from_palette 4 650 300
has_copy() { [ -n "$(copy_of "$app_pid")" ]; }
wait_for 20 has_copy || fail "the unsaved design was not kept aside"
sleep 1 # the copy of the last edit
kept=$(objects "$(copy_of "$app_pid")") || fail "the copy kept aside cannot be read"
[ "$(echo "$kept" | wc -l)" -eq 2 ] || fail "the copy holds: $kept"
[ "$(objects "$work/stand.qlm" | wc -l)" -eq 1 ] || fail "the design's own file was written"

kill -KILL "$app_pid"
wait "$app_pid" 2>/dev/null || true
app_pid=""

# The next start asks first; Restore is its default button.
"$halvern" >>"$work/halvern.log" 2>&1 &
app_pid=$!
two_windows() { [ "$(xdotool search --onlyvisible --name '^Halvern Visual Design$' 2>/dev/null | wc -l)" -ge 2 ]; }
wait_for 30 two_windows || fail "the next start offered no restore"
sleep 1
question=$(xdotool search --onlyvisible --name '^Halvern Visual Design$' | tail -1)
xdotool windowactivate --sync "$question" 2>/dev/null || true
key Return
restored() { [ -n "$(copy_of "$app_pid")" ] && [ "$(copies | wc -l)" -eq 1 ]; }
wait_for 10 restored || fail "Restore did not take the design over: $(copies)"

find_window
xdotool windowfocus --sync "$window" 2>/dev/null || true
rm -f "$work/stand.qlm"
key ctrl+s
wait_for 10 saved || fail "Ctrl+S after Restore did not write the design's own file"
sleep 0.3
after=$(objects "$work/stand.qlm") || fail "the design saved after Restore cannot be read"
echo "kept aside:"; echo "$kept"
echo "saved after Restore:"; echo "$after"
[ "$after" = "$kept" ] || fail "Restore did not bring both frames back"

top=$(plan_top)
quit_program || { key Escape; key Escape; quit_program; } || fail "the program did not quit"
app_pid=""
[ -z "$(copies)" ] || fail "a clean quit left a copy: $(copies)"
echo "recovery_session: passed"
