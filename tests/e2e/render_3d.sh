#!/usr/bin/env bash
# `halvern render-3d` under a private X server: the island example from the front and from the top,
# with a back wall, a floor picture and printed faces of known colours, and an empty design. The
# pictures are checked by colour regions, never pixel by pixel (the software renderer may differ in
# the last unit from machine to machine).
#
# usage: render_3d.sh PATH/TO/halvern
set -euo pipefail

halvern=$(readlink -f "$1")
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${HALVERN_E2E_INNER:-}" ]; then
  for tool in xvfb-run convert python3; do
    command -v "$tool" >/dev/null || { echo "render_3d: needs $tool (scripts/setup installs it)" >&2; exit 1; }
  done
  # Without a display the command says so and draws nothing.
  if env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM= "$halvern" render-3d "$(dirname "$halvern")/examples/island_stand_8x6.qlm" /tmp/none-$$.png 2>/tmp/render3d-err-$$; then
    echo "render_3d: drew without a display" >&2; exit 1
  fi
  grep -q "needs a display" /tmp/render3d-err-$$ || { echo "render_3d: no clear message without a display:" >&2; cat /tmp/render3d-err-$$ >&2; exit 1; }
  [ ! -e /tmp/none-$$.png ] || { echo "render_3d: a picture was written without a display" >&2; exit 1; }
  rm -f /tmp/render3d-err-$$
  exec xvfb-run -a -s "-screen 0 1280x900x24 -nolisten tcp" env HALVERN_E2E_INNER=1 "$0" "$@"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_CACHE_HOME="$work/cache"
export QT_QPA_PLATFORM=xcb

# Plain pictures of known colours.
convert -size 64x64 xc:'rgb(30,160,40)' "$work/green_floor.jpg"
convert -size 64x64 xc:'rgb(220,20,20)' "$work/red_face.jpg"

python3 "$here/render_3d_designs.py" "$(dirname "$halvern")/examples/island_stand_8x6.qlm" "$work"

render() { # DESIGN VIEW OUT
  "$halvern" render-3d "$1" "$3" --view "$2" --size 640x480 2>"$work/err.txt" ||
    { echo "render_3d: render-3d $1 --view $2 failed:" >&2; cat "$work/err.txt" >&2; exit 1; }
  if grep -v XDG_RUNTIME_DIR "$work/err.txt" | grep -q .; then echo "render_3d: render-3d complained:" >&2; cat "$work/err.txt" >&2; exit 1; fi
}
render "$work/island.qlm" front "$work/island_front.png"
render "$work/island.qlm" top "$work/island_top.png"
render "$work/empty.qlm" top "$work/empty_top.png"
render "$work/empty.qlm" front "$work/empty_front.png"
"$halvern" render-3d "$work/island.qlm" "$work/island.jpg" --size 320x200 --view iso 2>/dev/null
[ "$(identify -format '%m %w %h' "$work/island.jpg")" = "JPEG 320 200" ] || { echo "render_3d: the JPEG is not 320 x 200" >&2; exit 1; }

for f in island_front island_top empty_top empty_front; do convert "$work/$f.png" "$work/$f.ppm"; done
python3 "$here/render_3d_check.py" "$work" && echo "render_3d: passed"
