#!/usr/bin/env bash
# The customer's page in Debian's firefox-esr, on a private X server (its headless mode has no
# WebGL here): the stand appears in the page's view. Exits 77 (skipped), saying why, where firefox
# or the X server cannot start.
set -uo pipefail
halvern="$1"
for tool in firefox-esr xvfb-run import; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "skipped: $tool is not installed (scripts/setup installs it)"
    exit 77
  fi
done
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
stage="$(dirname "$halvern")"
if ! "$halvern" export-web "$stage/examples/island_stand_8x6.qlm" "$work/island.html" --with-quote \
     --date 2026-12-08 2>"$work/export.err"; then
  cat "$work/export.err"
  exit 1
fi
mkdir "$work/profile"
cat >"$work/look.sh" <<'LOOK'
#!/usr/bin/env bash
work="$1"
firefox-esr --no-remote --profile "$work/profile" --width 1280 --height 800 "file://$work/island.html" \
  >"$work/firefox.log" 2>&1 &
firefox=$!
# The view lies well inside the window whatever firefox's own bars take: once the stand is drawn
# it holds many colours, the empty view one.
status=1
for _ in $(seq 1 45); do
  sleep 2
  kill -0 "$firefox" 2>/dev/null || { status=2; break; }
  import -window root "$work/shot.png" 2>/dev/null || continue
  colours="$(convert "$work/shot.png" -crop 500x380+100+300 +repage -format %k info: 2>/dev/null || echo 0)"
  if [ "${colours:-0}" -gt 200 ]; then status=0; break; fi
done
kill "$firefox" 2>/dev/null
wait "$firefox" 2>/dev/null
exit $status
LOOK
chmod +x "$work/look.sh"
timeout 150 xvfb-run -a -s "-screen 0 1280x800x24" "$work/look.sh" "$work"
status=$?
case $status in
  0) echo "firefox-esr drew the stand"; exit 0 ;;
  2) echo "skipped: firefox-esr could not start here:"; tail -5 "$work/firefox.log"; exit 77 ;;
  *) if [ ! -f "$work/shot.png" ]; then echo "skipped: no X server could start (xvfb-run)"; exit 77; fi
     echo "firefox-esr showed the page but no stand in its view within 90 s"; exit 1 ;;
esac
