#!/usr/bin/env bash
# `cmake --install` into a fresh prefix, then the checks of an installed tree.
#   check_install.sh BUILD_DIR VERSION FILE_LIST
set -euo pipefail
build=$1 version=$2 list=$3
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
"$(dirname "$0")/check_tree.sh" "$prefix" "$version" "$list"
