#!/usr/bin/env bash
# The commit a build reports, in each situation a build meets: a clean
# checkout without tags, an edited one, no git at all, sources unpacked
# inside some other repository, and a commit given by hand. Usage:
#   check-buildinfo.sh SOURCE_DIR
set -uo pipefail
src=$1
script=$src/cmake/WriteBuildInfo.cmake
template=$src/src/buildinfo/buildinfo.cpp.in
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0 passed=0

# generate DIR GIT OVERRIDE -> prints the commit the generated source holds
generate() {
    cmake -DSOURCE_DIR="$1" -DTEMPLATE="$template" -DOUTPUT="$work/out.cpp" -DVERSION=9.8.7 \
        -DGIT_EXECUTABLE="$2" -DCOMMIT_OVERRIDE="$3" -P "$script" >/dev/null 2>&1 || { echo "ERROR"; return; }
    sed -n 's/^constexpr char kCommit\[\] = "\(.*\)";$/\1/p' "$work/out.cpp"
}
check() { # name expected actual
    if [ "$2" = "$3" ]; then
        echo "PASS $1"; passed=$((passed + 1))
    else
        echo "FAIL $1: expected '$2', got '$3'"; failures=$((failures + 1))
    fi
}

mkdir -p "$work/plain"
check "no git" "" "$(generate "$work/plain" "" "")"
check "git missing where it was found" "" "$(generate "$work/plain" /nonexistent/git "")"
check "commit given by hand" "0123abcd" "$(generate "$work/plain" "" 0123abcd)"
grep -q '"9.8.7"' "$work/out.cpp" || { echo "FAIL version not written"; failures=$((failures + 1)); }

git=$(command -v git || true)
if [ -n "$git" ]; then
    repo=$work/repo
    mkdir -p "$repo/sub"
    g() { git -C "$repo" -c user.name=t -c user.email=t@t -c init.defaultBranch=main "$@" >/dev/null 2>&1; }
    g init && echo a >"$repo/sub/a.txt" && g add -A && g commit -m one
    head=$(git -C "$repo" rev-parse --short=10 HEAD)
    check "clean checkout, no tags" "$head" "$(generate "$repo" "$git" "")"
    before=$(stat -c %Y.%i "$work/out.cpp")
    sleep 1
    generate "$repo" "$git" "" >/dev/null
    check "unchanged commit leaves the source alone" "$before" "$(stat -c %Y.%i "$work/out.cpp")"
    echo b >>"$repo/sub/a.txt"
    check "edited checkout" "$head-modified" "$(generate "$repo" "$git" "")"
    check "sources inside another repository" "" "$(generate "$repo/sub" "$git" "")"
    check "hand-given commit wins over git" "feed" "$(generate "$repo" "$git" feed)"
else
    echo "SKIP the git cases: git is not installed"
fi

echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ]
