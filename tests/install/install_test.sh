#!/usr/bin/env bash
# Installs the build into a scratch prefix as a user's `cmake --install` would, then checks what the
# desktop sees: a valid .desktop file, ".qlm" known as our type, the icons, and the installed
# program finding its data through the link in bin/.
# Usage: install_test.sh BUILD_DIR
set -euo pipefail
build="$1"
prefix="$(mktemp -d)"
trap 'chmod -R u+w "$prefix" 2>/dev/null; rm -rf "$prefix"' EXIT
fail() { echo "install_test: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
share="$prefix/share"
desktop-file-validate "$share/applications/halvern.desktop" || fail "the .desktop file is not valid"
grep -q '^MimeType=application/x-halvern-design;$' "$share/applications/halvern.desktop" || fail "no MIME type"
for icon in apps/halvern.svg mimetypes/application-x-halvern-design.svg; do
  [ -s "$share/icons/hicolor/scalable/$icon" ] || fail "missing icon $icon"
  for size in 16 24 32 48 64 128 256; do
    png="$share/icons/hicolor/${size}x${size}/${icon%.svg}.png"
    [ "$(file -b "$png" | grep -o "$size x $size")" = "$size x $size" ] || fail "missing or wrong icon $png"
  done
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

# An installation the user cannot write: a price table import goes into the user's own folder and is
# read over the installed table. The administrator may write anywhere, so as root the program runs
# as "nobody" over a folder made read-only.
chmod 755 "$prefix"
chmod -R a-w "$prefix/lib/halvern"
home="$(mktemp -d)"
trap 'chmod -R u+w "$prefix"; rm -rf "$prefix" "$home"' EXIT
chmod 777 "$home"
as_user=(env)
if [ "$(id -u)" = 0 ]; then as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups env); fi
# Under the sanitizers, their suppression files must be readable by that user too.
sanitizer_env=()
for var in ASAN_OPTIONS LSAN_OPTIONS; do
  value="${!var:-}"
  [[ "$value" == *suppressions=* ]] || continue
  file="$(sed -E 's/^(.*:)?suppressions=([^:]*).*/\2/' <<<"$value")"
  cp "$file" "$home/$var.supp"
  chmod 644 "$home/$var.supp"
  sanitizer_env+=("$var=${value/"$file"/"$home/$var.supp"}")
done
run_as_user() {
  "${as_user[@]}" -u HALVERN_APP_DIR HOME="$home" XDG_DATA_HOME="$home/data" XDG_CONFIG_HOME="$home/config" \
    XDG_CACHE_HOME="$home/cache" "${sanitizer_env[@]}" "$exe" "$@"
}
installed_table="$prefix/lib/halvern/extlib/table.lib"
before="$(cat "$installed_table" 2>/dev/null || true)"
run_as_user price-table export "$home/prices.txt"
# Component 101's price (the fifth line of its 17-line record) becomes 123.5.
awk 'BEGIN { r = -1 } (NR - 1) % 17 == 0 && /^101\r?$/ { r = NR } r > 0 && NR == r + 4 { print "123.5\r"; next } { print }' \
  "$home/prices.txt" > "$home/new.txt"
chmod 644 "$home/new.txt"
run_as_user price-table import "$home/new.txt" || fail "the import into a read-only installation failed"
[ -s "$home/data/Halvern Visual Design/extlib/table.lib" ] || fail "the import did not go into the user's folder"
[ "$(cat "$installed_table" 2>/dev/null || true)" = "$before" ] || fail "the installed price table changed"
run_as_user component 101 | grep -q '^price=123.5$' || fail "the user's price table is not read over the installed one"
echo "install_test: ok ($prefix)"
