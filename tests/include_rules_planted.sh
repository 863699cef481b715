#!/usr/bin/env bash
# The layer rules must catch what they forbid: each row plants one violation in a copy
# of the sources and expects include_rules.sh to refuse it, naming the folder.
#   include_rules_planted.sh SOURCE_DIR
set -uo pipefail
root=$(cd "$1" && pwd)
rules=$root/tests/include_rules.sh
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# FILE|LINE|what the refusal must name: LINE is written at the top of FILE (a new file
# when it does not exist). FILE "CMakeLists.txt" gets LINE inside tavimo_ui's links.
cases=(
  "src/model/planted.cpp|#include <QString>|src/model"
  "src/calc/planted.cpp|#include \"ui/timing/form1.h\"|src/calc"
  "src/io/planted.cpp|#include \"cli/calc_options.h\"|src/io"
  "src/model/planted.cpp|#include \"calc/calculation.h\"|src/model"
  "src/calc/planted.cpp|#include \"io/project_file.h\"|src/calc"
  "src/io/planted.cpp|#include \"calc/calculation.h\"|src/io"
  "src/draw/planted.cpp|#include <QWidget>|src/draw"
  "src/draw/planted.cpp|#include \"ui/timing/form1.h\"|src/draw"
  "src/output/planted.cpp|#include <QString>|src/output"
  "src/output/planted.cpp|#include \"draw/chart_painter.h\"|src/output"
  "src/calc/planted.cpp|#include \"output/results_table.h\"|src/calc"
  "src/ui/planted.cpp|#include \"cli/calc_options.h\"|src/ui"
  "src/cli/planted.cpp|#include \"ui/timing/form1.h\"|src/cli"
  "tests/planted.cpp|#include \"io/internal/utdf_text.h\"|internal"
  "src/calc/planted.cpp|#include \"form1.h\"|src/calc includes"
  "CMakeLists.txt|tavimo_cli|tavimo_ui must not link tavimo_cli"
)

copy() {
  rm -rf "$scratch/tree"
  mkdir -p "$scratch/tree"
  cp -r "$root/src" "$root/CMakeLists.txt" "$scratch/tree/"
  mkdir -p "$scratch/tree/tests" "$scratch/tree/fuzz" "$scratch/tree/bench"
}

status=0
copy
if ! bash "$rules" "$scratch/tree" > /dev/null 2>&1; then
  echo "FAIL: the untouched sources break the rules" >&2
  status=1
fi
for row in "${cases[@]}"; do
  IFS='|' read -r file line named <<<"$row"
  copy
  target=$scratch/tree/$file
  if [ "$file" = CMakeLists.txt ]; then
    sed -i "0,/target_link_libraries(tavimo_ui /s//target_link_libraries(tavimo_ui $line /" "$target"
  else
    mkdir -p "$(dirname "$target")"
    { echo "$line"; [ -f "$target" ] && cat "$target"; } > "$target.new" && mv "$target.new" "$target"
  fi
  if out=$(bash "$rules" "$scratch/tree" 2>&1); then
    echo "FAIL: $line in $file was not refused" >&2
    status=1
  elif ! grep -qF -- "$named" <<<"$out"; then
    echo "FAIL: $line in $file was refused without naming $named:" >&2
    echo "$out" >&2
    status=1
  fi
done
[ $status -eq 0 ] && echo "every planted violation of the include rules was refused (${#cases[@]} rows)"
exit $status
