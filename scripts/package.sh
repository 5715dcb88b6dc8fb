#!/usr/bin/env bash
# Builds the release packages into dist/:
#   Velumixer-<version>-win64.zip    Velumixer.aex (Release, Windows x64), INSTALL.txt, COPYRIGHT.txt
#   velumixer_<version>_<arch>.deb   velumixer-render and the effect module for Debian (CPack)
#   SHA256SUMS                       of both
# Installs what it needs on Debian (run as root or with sudo), builds in build/package-windows
# and build/package-native, and checks both packages before anything goes into dist/. A tree
# with uncommitted changes is packaged as <version>-dirty. Any failure (a build, a check, a
# lintian error) stops with the reason and a non-zero exit, and leaves dist/ as it was.
#
#   JOBS=N   build jobs (default 2)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
jobs="${JOBS:-2}"
windows="$root/build/package-windows"
native="$root/build/package-native"
dist="$root/dist"

fail() {
    echo "package.sh: $*" >&2
    exit 1
}

packages=(
  build-essential cmake ninja-build pkg-config libopenimageio-dev
  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
  dpkg-dev lintian help2man zip binutils
)
bash "$root/scripts/install-packages.sh" "${packages[@]}" || fail "cannot install the packages it needs"
# The package check skips lintian where it is missing; here it is required.
for tool in lintian help2man dpkg-shlibdeps zip x86_64-w64-mingw32-objdump; do
    command -v "$tool" >/dev/null || fail "$tool is missing"
done

suffix=""
if git -C "$root" rev-parse --is-inside-work-tree >/dev/null 2>&1 \
    && [ -n "$(git -C "$root" status --porcelain)" ]; then
    echo "package.sh: the tree has uncommitted changes; the version is marked -dirty" >&2
    suffix="-dirty"
fi

mkdir -p "$root/build"
stage=$(mktemp -d "$root/build/package-stage.XXXXXX")
trap 'rm -rf "$stage"' EXIT

configure_and_build() {  # <build dir> <target> [cmake args...]
    local dir=$1 target=$2
    shift 2
    cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELUMIXER_TESTS=OFF \
        -DVELUMIXER_VERSION_SUFFIX="$suffix" "$@" >"$stage/configure.log" 2>&1 \
        || { cat "$stage/configure.log" >&2; fail "cannot configure $dir"; }
    cmake --build "$dir" -j "$jobs" --target "$target" || fail "the build in $dir failed"
}
configure_and_build "$native" all -DVELUMIXER_CLI=ON
configure_and_build "$windows" Velumixer -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake"

# The version as the renderer reports it: "velumixer-render 1.1.1 (build 8)".
read -r _ version build_number <<<"$("$native/bin/velumixer-render" --version | tr -d '()' | sed 's/build //')"
[ -n "$build_number" ] || fail "velumixer-render --version says nothing usable"
echo "package.sh: packaging version $version, build $build_number"

# The Windows zip: the module, how to install it, and the notice of its about text.
zip_name="Velumixer-$version-win64.zip"
mkdir "$stage/zip"
for file in "$windows/bin/Velumixer.aex" "$windows/package/INSTALL.txt" "$windows/package/COPYRIGHT.txt"; do
    [ -f "$file" ] || fail "missing $file"
    cp "$file" "$stage/zip/"
done
bash "$root/tests/package/check-windows-module.sh" "$stage/zip/Velumixer.aex" "$version" "$build_number" \
    x86_64-w64-mingw32-objdump || fail "the Windows module is not fit to ship"
notice=$("$native/bin/velumixer-render" --about | tail -n 1)
tr -d '\r' <"$stage/zip/COPYRIGHT.txt" | grep -qxF "$notice" \
    || fail "COPYRIGHT.txt does not hold the about text's notice \"$notice\""
(cd "$stage/zip" && zip -X -q -9 "$stage/$zip_name" Velumixer.aex INSTALL.txt COPYRIGHT.txt) \
    || fail "cannot write $zip_name"

# The Debian package, checked from where it unpacks, lintian included.
deb_name="velumixer_${version}_$(dpkg --print-architecture).deb"
cpack --config "$native/CPackConfig.cmake" -B "$stage/cpack" >"$stage/cpack.log" 2>&1 \
    || { cat "$stage/cpack.log" >&2; fail "cpack could not make the Debian package"; }
[ -f "$stage/cpack/$deb_name" ] || fail "cpack wrote no $deb_name"
mv "$stage/cpack/$deb_name" "$stage/$deb_name"
bash "$root/tests/package/check-debian-package.sh" "$native" "$version" "$build_number" \
    "$root/samples/lake-at-night.png" "$stage/$deb_name" || fail "the Debian package is not fit to ship"

(cd "$stage" && sha256sum "$zip_name" "$deb_name" >SHA256SUMS) || fail "cannot write SHA256SUMS"

# Only complete, checked files reach dist/; the sums go last.
mkdir -p "$dist"
for file in "$zip_name" "$deb_name" SHA256SUMS; do
    mv -f "$stage/$file" "$dist/$file" || fail "cannot move $file into dist/"
done
echo "package.sh: wrote dist/$zip_name, dist/$deb_name and dist/SHA256SUMS"
