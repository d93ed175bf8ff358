#!/usr/bin/env bash
# The libraries that only a module may bring in: the spreadsheet writer (and
# the zip and crypto libraries behind it) only through kestrane-workbook, Qt
# Multimedia only through kestrane-sound. Every program of the build, the
# tests and benchmarks too, starts without them. Usage:
#   check-linkage.sh BIN_DIR
set -uo pipefail
bin=$1
command -v readelf >/dev/null || { echo "SKIP: readelf (binutils) is not installed"; exit 77; }
# library pattern -> the one file allowed to need it
declare -A only_in=([libxlsxwriter]=kestrane-workbook.so [libQt6Multimedia]=kestrane-sound.so)
failures=0 checked=0
for file in "$bin"/*; do
    [ -f "$file" ] && [ "$(head -c 4 "$file" | od -An -c | tr -d ' ')" = '177ELF' ] || continue
    needed=$(readelf -d "$file" 2>/dev/null | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
    checked=$((checked + 1))
    for lib in "${!only_in[@]}"; do
        if grep -q "^$lib" <<<"$needed" && [ "$(basename "$file")" != "${only_in[$lib]}" ]; then
            echo "FAIL $(basename "$file") needs $lib (only ${only_in[$lib]} may)"
            failures=$((failures + 1))
        fi
    done
done
for lib in "${!only_in[@]}"; do
    module=$bin/${only_in[$lib]}
    if [ -f "$module" ] && ! readelf -d "$module" | grep -q "NEEDED.*\[$lib"; then
        echo "FAIL ${only_in[$lib]} does not need $lib"
        failures=$((failures + 1))
    fi
done
echo "$checked files checked, $failures failures"
[ "$checked" -gt 0 ] && [ "$failures" -eq 0 ]
