#!/usr/bin/env bash
# Checks the run paths of ELF files: the loader reads an empty entry (as in "::") or a
# relative one as the working folder, so a library planted there would be loaded. Every
# entry must be absolute or start at $ORIGIN, and name a folder that exists.
#   check_run_paths.sh FILE...
set -euo pipefail
fail() { echo "FAIL: $*" >&2; exit 1; }

for file in "$@"; do
    [ -f "$file" ] || fail "$file does not exist"
    dynamic=$(readelf --dynamic --wide "$file") || fail "$file is not an ELF file"
    # "(RUNPATH)  Library runpath: [a:b]" or the same for RPATH.
    while IFS= read -r paths; do
        [ -n "$paths" ] || fail "$file: a run path that is empty"
        IFS=: read -r -a entries <<<"$paths:"
        [[ $paths != :* && $paths != *: && $paths != *::* ]] || fail "$file: an empty entry in the run path [$paths]"
        for entry in "${entries[@]}"; do
            case $entry in
            '$ORIGIN'*) folder="$(dirname "$file")${entry#\$ORIGIN}" ;;
            /*) folder=$entry ;;
            *) fail "$file: the run path entry '$entry' is relative to the working folder" ;;
            esac
            [ -d "$folder" ] || fail "$file: the run path entry '$entry' names no folder ($folder)"
        done
    done < <(sed -n 's/.*(R\(UN\)\{0,1\}PATH).*\[\(.*\)\]$/\2/p' <<<"$dynamic")
done
echo "run paths of $#: OK"
