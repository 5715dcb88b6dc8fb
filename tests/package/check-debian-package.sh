#!/usr/bin/env bash
# The Debian package of the renderer, made by cpack from a build and unpacked into a temporary
# root: its name, version and computed dependencies, its files, lintian, and the unpacked
# renderer finding its module by itself (--version, --about, --list-params and one render,
# none of them with --plugin).
#
#   check-debian-package.sh BUILD_DIR VERSION BUILD_NUMBER SAMPLE_IMAGE [PACKAGE.deb]
# Without PACKAGE.deb the package is made from BUILD_DIR into the temporary folder.
set -euo pipefail

build=$1 version=$2 build_number=$3 sample=$(realpath "$4") deb=${5:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

if [ -z "$deb" ]; then
    cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 \
        || { cat "$work/cpack.log" >&2; fail "cpack could not make the package"; }
    deb="$work/out/velumixer_${version}_$(dpkg --print-architecture).deb"
fi
[ -f "$deb" ] || fail "no package $deb"

[ "$(dpkg-deb -f "$deb" Package)" = velumixer ] || fail "the package is not named velumixer"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version $(dpkg-deb -f "$deb" Version), not $version"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libopenimageio libc6 libstdc++6; do
    grep -q "$library" <<<"$depends" || fail "Depends (from dpkg-shlibdeps) lacks $library: $depends"
done

root="$work/root"
dpkg-deb -x "$deb" "$root"
for file in usr/bin/velumixer-render usr/lib/velumixer/Velumixer.so usr/share/man/man1/velumixer-render.1.gz \
    usr/share/doc/velumixer/copyright; do
    [ -f "$root/$file" ] || fail "the package has no /$file"
done
[ "$(ls "$root/usr/bin")" = velumixer-render ] || fail "/usr/bin holds more than the renderer: $(ls "$root/usr/bin")"
zcat "$root/usr/share/man/man1/velumixer-render.1.gz" | grep -qF 'list\-params' || fail "the man page lacks the options"

# From here on the renderer has only the unpacked tree to find its module in.
program="$root/usr/bin/velumixer-render"
cd "$work"
line=$("$program" --version) || fail "--version failed"
[ "$line" = "velumixer-render $version (build $build_number)" ] || fail "--version says \"$line\""
# The about text names the release without a "-dirty" mark; with Shift held, the build too.
line=$("$program" --about | head -n 1) || fail "--about failed"
[ "$line" = "Velumixer ${version%%-*} Release" ] || fail "the about text says \"$line\", --version $version"
line=$(VELUMIXER_SHIFT_DOWN=1 "$program" --about | head -n 1) || fail "--about with Shift failed"
[ "$line" = "Velumixer ${version%%-*} Release build:$build_number" ] || fail "the about text says \"$line\""
"$program" --list-params >params.txt || fail "--list-params failed"
grep -q "Blur Amount" params.txt || fail "--list-params lists no Blur Amount"
"$program" --set "Blur Amount=2" --set "1 : Enable=on" --set "1 : Color=#03B4F5" "$sample" rendered.png \
    || fail "the render failed"
[ -s rendered.png ] || fail "the render wrote nothing"

if command -v lintian >/dev/null; then
    status=0
    lintian --fail-on error --tag-display-limit 0 "$deb" >lintian.log 2>&1 || status=$?
    cat lintian.log
    [ "$status" -eq 0 ] || fail "lintian found errors"
fi
echo "velumixer_${version} unpacks and runs from $root"
