#!/usr/bin/env bash
# Builds the Debian package from a build folder (default build/) with CPack and
# checks its control file: the name, the program's own version, and
# dependencies on runtime libraries only, never on a -dev package.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
out="$build/package"

rm -rf "$out"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >/dev/null
debs=("$out"/quorvel8_*.deb)
deb=${debs[0]}
[[ -f $deb ]] || { echo "check-package: no quorvel8_*.deb in $out" >&2; exit 1; }

field() { dpkg-deb --field "$deb" "$1"; }
fail() { echo "check-package: $(basename "$deb"): $*" >&2; exit 1; }
version=$("$build/quorvel8" --version)
[[ $(field Package) == quorvel8 ]] || fail "Package is '$(field Package)'"
[[ "quorvel8 $(field Version)" == "$version" ]] ||
    fail "Version '$(field Version)' is not that of '$version'"
depends=$(field Depends)
for library in libsdl2 libopenmpt libavcodec libavformat libzip libturbojpeg libpng libegl; do
    [[ $depends == *"$library"* ]] || fail "Depends lacks $library: $depends"
done
[[ $depends != *-dev* ]] || fail "Depends names a -dev package: $depends"
# The developer tools stay out.
if dpkg-deb --contents "$deb" | grep -E '/(gltrace|makedata|[a-z_]*bench)$'; then
    fail "holds a developer tool"
fi
echo "check-package: $(basename "$deb"): Depends: $depends"
