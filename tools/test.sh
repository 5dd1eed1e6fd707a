#!/usr/bin/env bash
# Sets up, builds and runs every test of Quillmere.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${QUILLMERE_BUILD_DIR:-$root/build}

"$root/tools/setup.sh"
# The developer tools too: the picture generator's output is checked by a test.
export QUILLMERE_CMAKE_ARGS="-DQUILLMERE_BUILD_TOOLS=ON ${QUILLMERE_CMAKE_ARGS:-}"
"$root/tools/build.sh"
"$root/tools/build.sh" --target check-format

cd "$build"
# Where the machine allows it, the tests print on a real default printer.
if [[ -x "$root/tools/test-printer.sh" ]]; then
    "$root/tools/test-printer.sh" ctest --output-on-failure --timeout 600
else
    ctest --output-on-failure --timeout 600
fi

# The abuse tests once more under AddressSanitizer, UndefinedBehaviorSanitizer
# and LeakSanitizer: a long random walk through the main window, damaged
# settings and odd input, and one whole session from start to end.
echo "Sanitizer pass"
QUILLMERE_BUILD_DIR=$root/build-asan QUILLMERE_BUILD_TYPE=Debug \
    QUILLMERE_CMAKE_ARGS="-DQUILLMERE_SANITIZE=ON -DQUILLMERE_BUILD_TOOLS=OFF" \
    "$root/tools/build.sh" --target test_randomwalk test_abuse test_session
ctest --test-dir "$root/build-asan" -L robustness --output-on-failure --timeout 900
