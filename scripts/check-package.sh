#!/usr/bin/env bash
# Builds the Debian package from a build folder (default build/) with CPack and
# checks it: the control file (the name, the program's own version, and
# dependencies on runtime libraries only, never on a -dev package), lintian
# with no error or warning, the software centres' metainfo and the desktop
# entry through their validators, the man page through man, and the unpacked
# program playing its data from /.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
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

lintian --fail-on error,warning "$deb" || fail "lintian reports the above"

unpacked="$out/root"
dpkg-deb --extract "$deb" "$unpacked"
program="$unpacked/usr/games/quorvel8"
[[ -x $program ]] || fail "has no /usr/games/quorvel8"
for metainfo in "$unpacked"/usr/share/metainfo/*.metainfo.xml; do
    [[ -f $metainfo ]] || fail "has no metainfo"
    appstreamcli validate --no-net "$metainfo" || fail "$(basename "$metainfo") is not valid"
done
for entry in "$unpacked"/usr/share/applications/*.desktop; do
    said=$(desktop-file-validate "$entry") || { echo "$said" >&2; fail "$(basename "$entry") is not valid"; }
    [[ $said != *error:* && $said != *warning:* ]] || { echo "$said" >&2; fail "$(basename "$entry") has warnings"; }
done
# The man page: the sections a man page has, and not one warning from man.
page="$unpacked/usr/share/man/man6/quorvel8.6.gz"
warnings=$(man --warnings -l "$page" 2>&1 >/dev/null) || fail "man cannot show $(basename "$page")"
[[ -z $warnings ]] || { echo "$warnings" >&2; fail "man warns about $(basename "$page")"; }
sections=$(man -l "$page" 2>/dev/null | grep -E '^[A-Z]')
for section in NAME SYNOPSIS OPTIONS KEYS 'EXIT STATUS' FILES EXAMPLES; do
    grep -qx "$section" <<<"$sections" || fail "$(basename "$page") has no $section section"
done
# What the package installs finds its data from any working directory.
(cd / && "$program" --check >/dev/null) || fail "the unpacked program's --check fails from /"
echo "check-package: $(basename "$deb"): Depends: $depends"
