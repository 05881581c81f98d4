#!/usr/bin/env bash
# Installs the build into a scratch prefix as a user's `cmake --install` would, then checks what the
# desktop sees: a valid .desktop file, ".qlm" known as our type, the icons, and the installed
# program finding its data through the link in bin/.
# Usage: install_test.sh BUILD_DIR
set -euo pipefail
build="$1"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
fail() { echo "install_test: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
share="$prefix/share"
desktop-file-validate "$share/applications/halvern.desktop" || fail "the .desktop file is not valid"
grep -q '^MimeType=application/x-halvern-design;$' "$share/applications/halvern.desktop" || fail "no MIME type"
for icon in apps/halvern.svg mimetypes/application-x-halvern-design.svg; do
  [ -s "$share/icons/hicolor/scalable/$icon" ] || fail "missing icon $icon"
done

# What scripts/install does after `cmake --install`.
update-mime-database "$share/mime"
update-desktop-database -q "$share/applications"
echo "v1.1" > "$prefix/stand.qlm"
# The desktop's own query, as a file manager asks it (GNOME's path through gio reads the database).
type="$(XDG_DATA_DIRS="$share:/usr/share" XDG_DATA_HOME="$prefix/none" XDG_CURRENT_DESKTOP=GNOME \
        xdg-mime query filetype "$prefix/stand.qlm")"
[ "$type" = "application/x-halvern-design" ] || fail "xdg-mime gives '$type' for a .qlm"
# The desktop starts "halvern" from the PATH (the .desktop file's TryExec and Exec), as for any
# program installed into a prefix whose bin/ is on it.
default_app="$(PATH="$prefix/bin:$PATH" XDG_DATA_DIRS="$share:/usr/share" XDG_DATA_HOME="$prefix/none" XDG_CURRENT_DESKTOP=GNOME \
        gio mime application/x-halvern-design 2>/dev/null || true)"
case "$default_app" in *$'\t'halvern.desktop*) ;; *) fail "no program registered for our type: $default_app" ;; esac

# The installed program runs from its link and finds its data (library, examples) beside itself.
exe="$prefix/bin/halvern"
[ -L "$exe" ] || fail "bin/halvern is not a link"
info="$(env -u HALVERN_APP_DIR "$exe" info "$prefix/lib/halvern/examples/island_stand_8x6.qlm")"
grep -q '^objects=42$' <<<"$info" || fail "the installed program cannot read the installed example: $info"
library="$(env -u HALVERN_APP_DIR "$exe" library)"
grep -q $'^102\t1\tBeach flag' <<<"$library" || fail "the installed program does not list the installed libraries"
echo "install_test: ok ($prefix)"
