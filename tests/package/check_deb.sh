#!/usr/bin/env bash
# Builds the Debian package, checks what it holds and how it installs, and runs both
# programs from a root it was unpacked into.
#   check_deb.sh BUILD_DIR VERSION FILE_LIST EXAMPLE.tvm
set -euo pipefail
build=$1 version=$2 list=$3 example=$4
here=$(dirname "$(readlink -f "$0")")
fail() { echo "FAIL: $*" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Its own output folder, so the check never replaces a package made by `make package`.
cpack --config "$build/CPackConfig.cmake" -B "$work/out" >/dev/null
deb=$(ls "$work"/out/tavimo_"$version"_*.deb)

contents=$(dpkg-deb --contents "$deb")
while read -r f; do
    grep -q " \./usr/$f\$" <<<"$contents" || fail "the package lacks /usr/$f"
done <"$list"
depends=$(dpkg-deb --field "$deb" Depends)
for lib in libqt6widgets6 libqt6printsupport6 qt6-qpa-plugins libc6; do
    grep -q "$lib" <<<"$depends" || fail "Depends lacks $lib: $depends"
done
control=$(dpkg-deb --ctrl-tarfile "$deb" | tar -t)
grep -q '^\./postinst$' <<<"$control" || fail "no postinst"

root="$work/root"
dpkg -x "$deb" "$root"
"$here/check_tree.sh" "$root/usr" "$version" "$list"

# The packaged calculator gives what the one in the build gives.
diff <("$build/tavimo-calc" "$example") <("$root/usr/bin/tavimo-calc" "$example") || fail "tavimo-calc differs"

# The packaged window, started with the file: it holds the file's signal, position by
# position, as tavimo-calc reads it.
shown=$(TAVIMO_REPORT_WINDOW=1 QT_QPA_PLATFORM=offscreen timeout 20 "$root/usr/bin/tavimo" "$example") ||
    fail "tavimo $example did not start"
diff <("$root/usr/bin/tavimo-calc" --format csv "$example" | cut -d, -f1-7) <(cut -d, -f1-7 <<<"$shown") ||
    fail "the window does not hold the signal of $example"
echo "package $deb: OK"
