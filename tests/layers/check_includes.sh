#!/usr/bin/env bash
# Every folder of src/ is a layer, and a file includes only its own layer and the layers below it,
# so that each layer builds and tests without those above. The core's folders may include each
# other; layers side by side stay apart (the command line never reaches into the windows, nor the
# dialogs into the 3D view). The build runs this check, so a wrong include fails the build.
# Usage: check_includes.sh SRC_DIR       names every include that points up; fails on any
#        check_includes.sh --self-test   the check still finds an include that points up
set -euo pipefail

core="base library geometry plan project outputs"
declare -A may_include=(
  [base]="base"
  [library]="$core" [geometry]="$core" [plan]="$core" [project]="$core" [outputs]="$core"
  [platform]="$core platform"
  [model3d]="$core model3d"
  [view3d]="$core model3d view3d"
  [dialogs]="$core platform dialogs"
  [app]="$core platform model3d view3d dialogs app"
  [cli]="$core platform model3d view3d cli"
)

check() {
  local src="$1" bad=0 dir layer line target
  [ -d "$src" ] || { echo "check_includes: no folder $src" >&2; return 2; }
  for dir in "$src"/*/; do
    layer="$(basename "$dir")"
    if [ -z "${may_include[$layer]+x}" ]; then
      echo "$dir: a folder of no known layer; say what it may include in $0" >&2
      bad=1
      continue
    fi
    while IFS= read -r line; do
      [[ "$line" =~ ^[^:]*:[0-9]+:[[:space:]]*#[[:space:]]*include[[:space:]]*[\<\"]([A-Za-z0-9_]+)/ ]] || continue
      target="${BASH_REMATCH[1]}"
      # A folder that is no layer of ours belongs to a library, such as <Inventor/...>.
      [ -z "${may_include[$target]+x}" ] && continue
      [[ " ${may_include[$layer]} " == *" $target "* ]] && continue
      echo "$line  ($layer may not include $target)" >&2
      bad=1
    done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"][A-Za-z0-9_]+/' "$dir" || true)
  done
  return $bad
}

if [ "${1:-}" = "--self-test" ]; then
  tree="$(mktemp -d)"
  trap 'rm -rf "$tree" "$tree.case"' EXIT
  mkdir -p "$tree/base" "$tree/plan" "$tree/platform" "$tree/dialogs" "$tree/app"
  printf '#include "base/a.h"\n' >"$tree/plan/p.cpp"
  printf '#include "platform/q.h"\n#  include "plan/p.h"\n#include <Inventor/SoDB.h>\n' >"$tree/dialogs/d.cpp"
  printf '#include "dialogs/d.h"\n#include "app/w.h"\n' >"$tree/app/w.cpp"
  check "$tree" 2>/dev/null || { echo "check_includes: a sound tree was refused" >&2; exit 1; }
  for wrong in 'dialogs/d.cpp:#include "app/w.h"' 'base/x.h:#  include "plan/p.h"' 'platform/q.h:#include <dialogs/d.h>'; do
    rm -rf "$tree.case"
    cp -r "$tree" "$tree.case"
    printf '%s\n' "${wrong#*:}" >>"$tree.case/${wrong%%:*}"
    if check "$tree.case" 2>/dev/null; then
      echo "check_includes: missed $wrong" >&2
      exit 1
    fi
  done
  mkdir "$tree/extras"
  if check "$tree" 2>/dev/null; then
    echo "check_includes: a folder of no layer passed" >&2
    exit 1
  fi
  exit 0
fi

check "${1:?usage: check_includes.sh SRC_DIR | --self-test}"
