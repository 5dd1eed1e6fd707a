#!/usr/bin/env bash
# Configures and builds Quillmere in build/ (or the folder given in
# QUILLMERE_BUILD_DIR). Extra arguments go to the build step, e.g. a target.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${QUILLMERE_BUILD_DIR:-$root/build}

cmake -S "$root" -B "$build" -G Ninja \
    -DCMAKE_BUILD_TYPE="${QUILLMERE_BUILD_TYPE:-RelWithDebInfo}" \
    -DQUILLMERE_WERROR=ON ${QUILLMERE_CMAKE_ARGS:-} >/dev/null
cmake --build "$build" "$@"
