#!/usr/bin/env bash
# Checks an installed Tavimo under PREFIX: every file is there, the desktop entry, the
# metainfo and the MIME package pass their validators, the icons have their sizes, no
# run path points at the working folder and both programs tell the project's version.
#   check_tree.sh PREFIX VERSION FILE_LIST
set -euo pipefail
prefix=$1 version=$2 list=$3
here=$(dirname "$(readlink -f "$0")")
fail() { echo "FAIL: $*" >&2; exit 1; }

while read -r f; do
    [ -e "$prefix/$f" ] || fail "$prefix/$f is not installed"
done <"$list"

desktop-file-validate "$prefix/share/applications/org.tavimo.Tavimo.desktop"
appstreamcli validate --no-net --explain "$prefix/share/metainfo/org.tavimo.Tavimo.metainfo.xml"
xmllint --noout "$prefix/share/mime/packages/org.tavimo.Tavimo.xml"

# The MIME database builds from the package and knows .tvm by its name.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/mime/packages"
cp "$prefix/share/mime/packages/org.tavimo.Tavimo.xml" "$work/mime/packages/"
XDG_DATA_DIRS="$work" update-mime-database "$work/mime" 2>&1 | { ! grep . ; } || fail "update-mime-database complained"
grep -q '^application/x-tavimo-project:\*\.tvm$' "$work/mime/globs" || fail ".tvm is not application/x-tavimo-project"
grep -q 'Tavimo signal project' "$work/mime/application/x-tavimo-project.xml" || fail "MIME comment missing"
grep -q '^application/x-tavimo-plan-project:\*\.tavimo$' "$work/mime/globs" || fail ".tavimo is not application/x-tavimo-plan-project"

for size in 16 22 24 32 48 64 128 256; do
    png="$prefix/share/icons/hicolor/${size}x${size}/apps/org.tavimo.Tavimo.png"
    kind=$(file -b "$png")
    [[ $kind == *"PNG image data, $size x $size"* ]] || fail "$png is not $size x $size: $kind"
done

# Nothing installed needs a run path; none may point at the working folder.
"$here/check_run_paths.sh" "$prefix/bin/tavimo" "$prefix/bin/tavimo-calc" "$prefix/lib/tavimo/libtavimo-draw.so"

[ "$("$prefix/bin/tavimo-calc" --version)" = "tavimo-calc $version" ] || fail "tavimo-calc --version"
[ "$(env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/tavimo" --version)" = "tavimo $version" ] ||
    fail "tavimo --version without a display"
for page in tavimo tavimo-calc; do
    man="$prefix/share/man/man1/$page.1.gz"
    zgrep -q "^\.TH ${page^^} \"1\".*\"$page $version\"" "$man" || fail "$man: no title line for $version"
    zgrep -qF -- '\-\-version' "$man" || fail "$man lacks the options of --help"
done
# help2man ends the synopsis at the first usage line that is no "or:": every form must be in it.
forms=$("$prefix/bin/tavimo-calc" --help | grep -cE '^(Usage|   or):')
synopsis=$(zcat "$prefix/share/man/man1/tavimo-calc.1.gz" | sed -n '/^\.SH SYNOPSIS/,/^\.SH DESCRIPTION/p' |
    grep -c '^\.B tavimo-calc')
[ "$forms" = "$synopsis" ] || fail "tavimo-calc.1: the synopsis holds $synopsis of the $forms forms of --help"
echo "installed tree $prefix: OK"
