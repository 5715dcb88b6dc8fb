#!/usr/bin/env bash
# The Windows module as the zip ships it: it imports only Windows system DLLs (the C and C++
# runtimes are linked in, so nothing needs to be copied beside it), and its version block says
# the build's version.
#
#   check-windows-module.sh Velumixer.aex VERSION BUILD_NUMBER OBJDUMP
set -euo pipefail

module=$1 version=$2 build_number=$3 objdump=$4
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
[ -f "$module" ] || fail "no module $module"

imports=$("$objdump" -p "$module" | sed -n 's/^[[:space:]]*DLL Name: //p')
[ -n "$imports" ] || fail "$objdump shows no imports of $module"
while read -r dll; do
    case "${dll,,}" in
        kernel32.dll | user32.dll | gdi32.dll | comctl32.dll | shell32.dll | advapi32.dll | ole32.dll | \
            shlwapi.dll | msvcrt.dll | ucrtbase.dll | api-ms-win-*.dll) ;;
        *) fail "$module imports $dll, which is not a Windows system DLL" ;;
    esac
done <<<"$imports"

# The fixed part: FILEVERSION and PRODUCTVERSION as major,minor,patch,build in 16-bit words.
IFS=. read -r major minor patch <<<"${version%%-*}"
signature=$(LC_ALL=C grep -obUaP '\xBD\x04\xEF\xFE' "$module" | head -n 1 | cut -d: -f1)
[ -n "$signature" ] || fail "$module has no version block"
# After the signature and the structure version: file MS, file LS, product MS, product LS.
read -r -a words <<<"$(od -An -tu2 -j $((signature + 8)) -N 16 "$module")"
expected="$minor $major $build_number $patch $minor $major $build_number $patch"
[ "${words[*]}" = "$expected" ] || fail "fixed version words ${words[*]}, expected $expected"

# The texts, in UTF-16: each value follows its key.
texts=$(strings -el "$module")
value() { grep -x -A1 "$1" <<<"$texts" | sed -n 2p; }
[ "$(value FileVersion)" = "${version%%-*}.$build_number" ] || fail "FileVersion is \"$(value FileVersion)\""
[ "$(value ProductVersion)" = "$version" ] || fail "ProductVersion is \"$(value ProductVersion)\""
echo "$module imports only system DLLs ($(tr '\n' ' ' <<<"$imports")) and is version $version build $build_number"
