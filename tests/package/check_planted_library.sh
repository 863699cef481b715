#!/usr/bin/env bash
# A library planted in the folder a program is started from must not be loaded: both
# programs, tavimo-calc drawing a chart through its drawing library, are run from a
# folder holding a copy of a Qt library they load, and the loader's trace must not
# name that folder or try a relative path.
#   check_planted_library.sh BUILD_DIR EXAMPLE.tvm
set -euo pipefail
build=$(readlink -f "$1") example=$(readlink -f "$2")
fail() { echo "FAIL: $*" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for lib in libQt6Svg.so.6 libQt6Gui.so.6 libQt6Core.so.6; do
    cp "$(ldconfig -p | sed -n "s/^\t$lib (.*x86-64.*) => //p" | head -n1)" "$work/$lib"
done

check_trace() {
    local what=$1 trace=$2
    grep -q 'calling init' "$trace" || fail "$what: no loader trace (LD_DEBUG)"
    ! grep -F "$work" "$trace" || fail "$what loaded or tried a library of the working folder"
    ! grep -E 'trying file=[^/]' "$trace" || fail "$what tried a library by a relative path"
}

cd "$work"
LD_DEBUG=libs "$build/tavimo-calc" "$example" --chart "$work/chart.svg" >/dev/null 2>"$work/calc.trace" ||
    fail "tavimo-calc --chart failed: $(grep -v '^ *[0-9]*:' "$work/calc.trace" | head -n3)"
grep -q 'libtavimo-draw.so' "$work/calc.trace" || fail "tavimo-calc --chart did not load its drawing library"
check_trace tavimo-calc "$work/calc.trace"

LD_DEBUG=libs QT_QPA_PLATFORM=offscreen "$build/tavimo" --version >/dev/null 2>"$work/tavimo.trace" ||
    fail "tavimo --version failed"
check_trace tavimo "$work/tavimo.trace"
echo "no library from the working folder: OK"
