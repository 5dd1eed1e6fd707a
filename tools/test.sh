#!/usr/bin/env bash
# Sets up, builds and runs every test of Quillmere.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${QUILLMERE_BUILD_DIR:-$root/build}

"$root/tools/setup.sh"
"$root/tools/build.sh"

cd "$build"
# Where the machine allows it, the tests print on a real default printer.
if [[ -x "$root/tools/test-printer.sh" ]]; then
    "$root/tools/test-printer.sh" ctest --output-on-failure --timeout 600
else
    ctest --output-on-failure --timeout 600
fi
