#!/usr/bin/env bash
# The installed tool, as a user or a package gets it. Usage:
#   check-install.sh install   BUILD_DIR PREFIX   cmake --install into PREFIX
#   check-install.sh version   PREFIX VERSION     both programs say VERSION
#   check-install.sh selfcheck PREFIX             the installed copy finds its files
#   check-install.sh desktop   PREFIX             desktop-file-validate (77 when absent)
#   check-install.sh metainfo  PREFIX VERSION     appstreamcli validate (77 when absent)
#   check-install.sh deb       BUILD_DIR WORK_DIR cpack makes a package with Depends
# Exit 77 is a skip.
set -uo pipefail

app_id=org.kestrane.Kestrane
fail() { echo "FAIL: $*" >&2; exit 1; }
skip() { echo "SKIP: $*"; exit 77; }

case "${1:-}" in
install)
    build=$2 prefix=$3
    rm -rf "$prefix"
    cmake --install "$build" --prefix "$prefix" >"$prefix.log" 2>&1 || { cat "$prefix.log"; fail "cmake --install"; }
    for f in bin/kestrane bin/kestrane-sim share/kestrane/BUZZ.WAV share/kestrane/ALARM.WAV \
             share/applications/$app_id.desktop share/icons/hicolor/scalable/apps/$app_id.svg \
             share/metainfo/$app_id.metainfo.xml; do
        [ -f "$prefix/$f" ] || fail "$f not installed"
    done
    # The modules, in the libraries folder of the installation.
    for module in kestrane-sound.so kestrane-workbook.so; do
        [ -n "$(find "$prefix" -path "$prefix/lib*/kestrane/$module")" ] || fail "the module $module not installed"
    done
    # The spreadsheet writer is loaded by its module on the first export,
    # never by the program at start.
    needed=$(readelf -d "$prefix/bin/kestrane") || fail "readelf -d bin/kestrane"
    ! grep -q 'NEEDED.*xlsxwriter' <<<"$needed" || fail "bin/kestrane links libxlsxwriter"
    readelf -d "$(find "$prefix" -path "$prefix/lib*/kestrane/kestrane-workbook.so")" | grep -q 'NEEDED.*xlsxwriter' \
        || fail "kestrane-workbook.so does not link libxlsxwriter"
    # Nothing of the build beyond the tool: no tests, no static libraries, no sounds in bin/.
    extra=$(cd "$prefix" && find . -type f \( -name 'tst_*' -o -name '*.a' -o -path './bin/*.WAV' \))
    [ -z "$extra" ] || fail "installed by mistake: $extra"
    echo "installed into $prefix"
    ;;
version)
    prefix=$2 version=$3
    for program in kestrane kestrane-sim; do
        out=$("$prefix/bin/$program" --version) || fail "$program --version exited $?"
        echo "$out"
        [[ "$out" =~ ^$program\ $version(\ \(git\ [0-9a-f]+(-modified)?\))?$ ]] || fail "$program --version said: $out"
    done
    ;;
selfcheck)
    prefix=$2
    home=$(mktemp -d)
    trap 'rm -rf "$home"' EXIT
    # A user's own data folder, empty: the shipped files must come from share/.
    out=$(HOME=$home XDG_DATA_HOME=$home/data QT_QPA_PLATFORM=offscreen "$prefix/bin/kestrane" --self-check)
    rc=$?
    echo "$out"
    [ $rc -eq 0 ] || fail "--self-check exited $rc"
    real=$(cd "$prefix" && pwd -P)
    for sound in BUZZ.WAV ALARM.WAV; do
        grep -qE "^$sound \(.*\): $real/share/kestrane/$sound\$" <<<"$out" \
            || fail "$sound not found in $real/share/kestrane"
    done
    grep -qE "^kestrane-sound.so \(sound output\): $real/.+/kestrane/kestrane-sound.so\$" <<<"$out" \
        || fail "the sound module not found in $real"
    grep -qE "^kestrane-workbook.so \(spreadsheet export\): $real/.+/kestrane/kestrane-workbook.so\$" <<<"$out" \
        || fail "the workbook module not found in $real"
    grep -qx "copy: installed" <<<"$out" || fail "not seen as an installed copy"
    grep -qx "Chinese translation: embedded in the program, loads" <<<"$out" || fail "translation"
    grep -qx "log and export folder: $home/data/Kestrane" <<<"$out" || fail "log folder is not the user's data folder"
    [ -d "$home/data/Kestrane" ] || fail "the user's data folder was not created"
    ;;
desktop)
    prefix=$2
    command -v desktop-file-validate >/dev/null || skip "desktop-file-validate is not installed"
    file=$prefix/share/applications/$app_id.desktop
    out=$(desktop-file-validate "$file" 2>&1)
    rc=$?
    echo "$out"
    [ $rc -eq 0 ] && [ -z "$out" ] || fail "desktop-file-validate"
    grep -qx "Exec=kestrane" "$file" || fail "Exec is not the installed program"
    grep -qx "Icon=$app_id" "$file" || fail "Icon does not name the installed icon"
    ;;
metainfo)
    prefix=$2 version=$3
    command -v appstreamcli >/dev/null || skip "appstreamcli is not installed"
    file=$prefix/share/metainfo/$app_id.metainfo.xml
    appstreamcli validate --no-net "$file" || fail "appstreamcli validate"
    # The newest release must be this version: a new version needs its notes.
    newest=$(grep -o '<release version="[^"]*"' "$file" | head -1 | cut -d'"' -f2)
    [ "$newest" = "$version" ] || fail "newest release in the metainfo is $newest, the build is $version"
    ;;
deb)
    build=$2 work=$3
    command -v dpkg-shlibdeps >/dev/null || skip "dpkg-shlibdeps (dpkg-dev) is not installed"
    rm -rf "$work" && mkdir -p "$work"
    cpack --config "$build/CPackConfig.cmake" -B "$work" -G DEB >"$work/cpack.log" 2>&1 \
        || { cat "$work/cpack.log"; fail "cpack"; }
    deb=$(ls "$work"/kestrane_*.deb 2>/dev/null | head -1)
    [ -n "$deb" ] || fail "no package made"
    echo "$deb"
    depends=$(dpkg-deb -f "$deb" Depends)
    echo "Depends: $depends"
    # libxlsxwriter: seen only in the workbook module.
    # libqcustomplot2.1-qt6: the trend window's plots.
    for lib in libqt6core6 libqt6widgets6 libqt6serialport6 libqt6multimedia6 'libxlsxwriter[0-9]+' libc6 qt6-qpa-plugins \
               'libqcustomplot2\.1-qt6'; do
        grep -qE "(^|, )$lib( |,|$)" <<<"$depends" || fail "Depends lacks $lib"
    done
    contents=$(dpkg-deb -c "$deb")
    for module in sound workbook; do
        grep -qE " \./usr/lib/.*kestrane/kestrane-$module\.so\$" <<<"$contents" || fail "the $module module not in the package"
    done
    for f in ./usr/bin/kestrane ./usr/bin/kestrane-sim ./usr/share/kestrane/BUZZ.WAV \
             ./usr/share/applications/$app_id.desktop ./usr/share/metainfo/$app_id.metainfo.xml \
             ./usr/share/icons/hicolor/scalable/apps/$app_id.svg; do
        grep -qE " $f\$" <<<"$contents" || fail "$f not in the package"
    done
    rm -rf "$work"
    ;;
*)
    echo "usage: $0 install|version|selfcheck|desktop|metainfo|deb ..." >&2
    exit 2
    ;;
esac
