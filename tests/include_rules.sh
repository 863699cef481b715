#!/usr/bin/env bash
# Holds the code to its layers: the core (model, calc, io) includes nothing of Qt, the
# windows or the calculator; calc and io build on model only; and a layer's internal/
# headers are included by no file outside that layer.
#   include_rules.sh SOURCE_DIR
set -uo pipefail
cd "$1"
status=0
refuse() {  # refuse WHAT FOLDER... : no #include matching the pattern WHAT in FOLDER
    local what=$1
    shift
    local found
    found=$(grep -rnE "^[[:space:]]*#[[:space:]]*include[[:space:]]*[<\"]($what)" "$@" 2>/dev/null)
    if [ -n "$found" ]; then
        echo "FAIL: $* must not include $what:" >&2
        echo "$found" >&2
        status=1
    fi
}
refuse 'Q|ui/|cli/|draw/' src/model src/calc src/io
refuse 'calc/|io/' src/model
refuse 'io/' src/calc
refuse 'calc/' src/io
refuse 'ui/|cli/|QtWidgets|QWidget|QApplication' src/draw
# The output library is core: no Qt, no drawing, no window, no calculator.
refuse 'Q|ui/|cli/|draw/' src/output
refuse 'output/' src/model src/calc src/io
# The windows and the calculator share the core, the output and the drawing, never
# each other.
refuse 'cli/' src/ui
refuse 'ui/' src/cli

# Nor do their targets link each other: the windows' library does not link the
# calculator's.
links=$(sed -n '/target_link_libraries(tavimo_ui /,/)/p' CMakeLists.txt)
if grep -qE '\btavimo_cli\b' <<<"$links"; then
    echo "FAIL: tavimo_ui must not link tavimo_cli:" >&2
    echo "$links" >&2
    status=1
fi
refuse '([a-z_]+/)*internal/' src tests fuzz bench

# A bare-named include in a layer must name one of its own internal headers.
for layer in calc io; do
    grep -rhoE '^#include "[a-z0-9_]+\.h"' "src/$layer" | sed -E 's/.*"(.*)"/\1/' | sort -u |
        while read -r header; do
            [ -e "src/$layer/internal/$header" ] || { echo "FAIL: src/$layer includes \"$header\", which is not in src/$layer/internal" >&2; exit 1; }
        done || status=1
done
[ $status -eq 0 ] && echo "include rules hold"
exit $status
