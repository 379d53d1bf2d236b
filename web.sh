#!/usr/bin/env bash
# Builds the show for the browser into build-web/; the site, which any static
# server plays, is build-web/site/ alone: the page (index.html, its style and
# scripts), the program (quorvel8.js, quorvel8.wasm), the show's data package
# (demodat.data with its loader demodat.js), the logo and the sound's worklet. Installs what is missing first: the native build's packages
# (its data generator makes the data), emscripten, Chromium and stb from
# Debian, and the page tests' npm packages into node_modules/.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
"$root/scripts/setup.sh" web
if ! command -v npm >/dev/null; then
    echo "web.sh: npm is missing: install Node.js 20 with npm (Debian's npm package conflicts with it)" >&2
    exit 2
fi
if [[ ! -d "$root/node_modules" || "$root/package-lock.json" -nt "$root/node_modules" ]]; then
    (cd "$root" && npm ci --no-audit --no-fund)
fi

# The data comes from the native build.
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" --target demodata

# emcc finds its JavaScript parser there; Debian's emscripten keeps its
# prebuilt system libraries in a frozen cache, so EM_CACHE stays unset.
export NODE_PATH=/usr/share/nodejs
unset EM_CACHE
emcmake cmake -S "$root" -B "$root/build-web" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DQUORVEL_WEB_DATA="$root/build/demodat" >/dev/null
cmake --build "$root/build-web"

echo "web.sh: built the site in build-web/site/. Serve that folder, for example with"
echo "  python3 -m http.server -d build-web/site --bind 127.0.0.1 8000"
echo "and open http://127.0.0.1:8000/ (add ?t=1:10 for the frame at 1:10)."
