#!/usr/bin/env bash
# A user's session with the real program under a private X server: two components placed from the
# palette with the mouse, one dragged, the drag undone and redone, the design saved with Ctrl+S
# through the file dialog, the second frame's height and label changed in its property dialog
# (Ctrl+click), the stand's size and back wall changed in the stand form, the program quit from
# its menu. The saved files are then read back with
# the command line, which reads designs as Load does.
#
# usage: editor_session.sh PATH/TO/halvern
set -euo pipefail

SCRIPT_NAME=editor_session
# shellcheck source=x_session.sh
. "$(dirname "$0")/x_session.sh"

start_program
top=$(plan_top)
[ -n "$top" ] || fail "the plan is not on the screen"

# Two frames from the palette: cell 3 and cell 4 of the built-in library.
place_from_palette 3 300 300
place_from_palette 4 650 300

save_through_dialog
cp "$work/stand.qlm" "$work/placed.qlm"

# Ctrl+S once the design has a file: written without a question. The file is taken away first, so
# that its coming back tells that the save is done.
save_again() { # NAME: a copy of what was saved
  rm -f "$work/stand.qlm"
  key ctrl+s
  wait_for 10 saved || fail "Ctrl+S did not write the design again ($1)"
  sleep 0.3
  cp "$work/stand.qlm" "$work/$1.qlm"
}

# Drag the first frame 100 pixels to the right and 40 down, undo, save, redo, save.
drag 301 $((top + 300)) 401 $((top + 340))
xdotool windowfocus --sync "$window" 2>/dev/null || true
key ctrl+z
save_again undone
key ctrl+y
save_again redone

# Ctrl+click on the second frame opens its properties: the label has the focus, Tab goes on to the
# height, Return is OK.
find_named() { xdotool search --name "$1" >/dev/null 2>&1; }
gone_named() { ! find_named "$1"; }
move 651 $((top + 300))
xdotool keydown ctrl; pause
xdotool mousedown 1; pause; xdotool mouseup 1; pause
xdotool keyup ctrl; pause
wait_for 10 find_named '^Object properties$' || fail "Ctrl+click opened no property dialog"
sleep 0.5
key ctrl+a; xdotool type --delay 20 "Reception"; key Tab
key ctrl+a; xdotool type --delay 20 "150"; key Return
wait_for 10 gone_named '^Object properties$' || fail "OK did not close the property dialog"

xdotool windowfocus --sync "$window" 2>/dev/null || true
# The second frame copied with Ctrl+C and pasted with Ctrl+Shift+V (Ctrl+V turns its verso picture)
# at two places 300 pixels apart; then one notch of Ctrl+wheel zooms in by 1.25 about the pointer
# and the same two pastes land 1.25 times closer together on the plan.
click 651 $((top + 300))
key ctrl+c
paste_at() { move "$1" "$2"; key ctrl+shift+v; }
paste_at 250 $((top + 560))
paste_at 550 $((top + 560))
move 400 $((top + 200))
xdotool keydown ctrl; pause; xdotool click 4; pause; xdotool keyup ctrl; pause
sleep 0.5
paste_at 250 $((top + 560))
paste_at 550 $((top + 560))
save_again pasted

# The stand form from the Project menu (fourth menu, first entry): 8 x 4 m, and the back wall
# switched over.
open_stand_form() {
  click 20 8
  sleep 1
  key Right; key Right; key Right
  key Return
  wait_for 5 find_named '^Stand$'
}
open_stand_form || { key Escape; key Escape; open_stand_form; } || fail "the stand form did not open"
sleep 0.5
key ctrl+a; xdotool type --delay 20 "8"; key Tab
key ctrl+a; xdotool type --delay 20 "4"
# client, title, floor texture, left wall, right wall, back wall
for k in 1 2 3 4 5 6; do key Tab; done
key space
key Return
wait_for 10 gone_named '^Stand$' || fail "OK did not close the stand form"
xdotool windowfocus --sync "$window" 2>/dev/null || true
save_again edited

# Quit from the File menu: the design is saved, so nothing is asked.
quit_program || { key Escape; key Escape; quit_program; } || fail "the program did not quit"
app_pid=""

placed=$(objects "$work/placed.qlm") || fail "the saved design cannot be read"
undone=$(objects "$work/undone.qlm") || fail "the design saved after undo cannot be read"
redone=$(objects "$work/redone.qlm") || fail "the design saved after redo cannot be read"
echo "placed:"; echo "$placed"
echo "redone:"; echo "$redone"

[ "$(echo "$placed" | wc -l)" -eq 2 ] || fail "expected two objects, the file holds: $placed"
[ "$(echo "$placed" | cut -f 1 | tr '\n' ' ')" = "3 4 " ] || fail "expected components 3 and 4: $placed"
[ "$undone" = "$placed" ] || fail "undo did not bring the frame back: $undone"
[ "$redone" != "$placed" ] || fail "the drag was not redone"

# The drag moved the first frame right and down, by the same 100:40 the pointer went; the second
# frame stayed.
python3 - "$placed" "$redone" <<'EOF' || fail "the dragged frame is not where the pointer left it"
import sys
before = [list(map(float, l.split('\t'))) for l in sys.argv[1].splitlines()]
after = [list(map(float, l.split('\t'))) for l in sys.argv[2].splitlines()]
dx, dy = after[0][1] - before[0][1], after[0][2] - before[0][2]
print(f"first frame moved by {dx:.1f} x {dy:.1f} cm")
assert after[1] == before[1], "the second frame moved"
assert dx > 20 and dy > 5, "the first frame did not follow the pointer"
assert abs(dx / dy - 2.5) < 0.3, "the move is not the pointer's"
EOF
pasted=$(objects "$work/pasted.qlm") || fail "the design with the pasted frames cannot be read"
echo "pasted:"; echo "$pasted"
python3 - "$pasted" <<'EOF' || fail "the pasted frames are not where the pointer put them"
import sys
rows = [list(map(float, l.split('\t'))) for l in sys.argv[1].splitlines()]
assert len(rows) == 6, f"expected 2 frames and 4 pasted copies, found {len(rows)}"
assert all(r[0] == rows[1][0] for r in rows[2:]), "a pasted copy is another component"
before, after = rows[3][1] - rows[2][1], rows[5][1] - rows[4][1]
print(f"300 pixels were {before:.1f} cm before the zoom and {after:.1f} cm after it")
assert abs(rows[3][2] - rows[2][2]) < 0.5 and abs(rows[5][2] - rows[4][2]) < 0.5
assert abs(before / after - 1.25) < 0.03, "one notch of Ctrl+wheel did not zoom by 1.25"
EOF
# The dialogs' changes, read back from the saved file.
info=$("$halvern" info "$work/edited.qlm") || fail "the edited design cannot be read"
echo "$info" | grep -qx 'stand_largeur=8' || fail "the stand width is not 8 m: $info"
echo "$info" | grep -qx 'stand_profondeur=4' || fail "the stand depth is not 4 m: $info"
murs=$(echo "$info" | sed -n 's/^stand_murs=//p')
murs_before=$("$halvern" info "$work/placed.qlm" | sed -n 's/^stand_murs=//p')
[ $((murs ^ murs_before)) -eq 2 ] || fail "the back wall switch alone should have changed ($murs_before -> $murs)"
second=$("$halvern" objects "$work/edited.qlm" | sed -n 2p)
echo "second frame: $second"
[ "$(echo "$second" | cut -f 6)" = "150" ] || fail "the second frame's height is not 150: $second"
[ "$(echo "$second" | cut -f 15)" = "Reception" ] || fail "the second frame's label is not Reception: $second"
echo "editor_session: passed"
