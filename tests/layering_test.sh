#!/usr/bin/env bash
# The layers the build draws, kept: the core library includes nothing of the windows, and no window reaches into
# the application shell that creates and wires them.
#   layering_test.sh SOURCE_DIR
set -euo pipefail
cd "$1/src"

failures=0
# Row: which files | which includes they must not have (an extended regular expression).
while IFS='|' read -r files forbidden; do
  # shellcheck disable=SC2086 # the file patterns are globs
  hits=$(grep -nE "^#include [<\"]($forbidden)" $files 2>/dev/null || true)
  if [ -n "$hits" ]; then
    echo "FAIL: $files includes what it must not:" && echo "$hits"
    failures=$((failures + 1))
  fi
done <<'ROWS'
product.h reading/* links/* system/*|ui/|shell/|QtWidgets|QWidget|QApplication
ui/*/*|shell/app\.h|shell/qteffects\.h
shell/qteffects*|ui/
ROWS
[ $failures = 0 ] || exit 1
echo "layering: passed"
