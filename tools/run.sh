#!/usr/bin/env bash
# Sets up, builds and starts Quillmere. With no display (a server, CI), it
# starts the program on a virtual display instead, saves a screenshot of the
# main window, prints where it is, and ends the program.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${QUILLMERE_BUILD_DIR:-$root/build}

"$root/tools/setup.sh"
"$root/tools/build.sh" --target quillmere
program="$build/app/quillmere"

if [[ -n "${DISPLAY:-}" ]] && xdpyinfo >/dev/null 2>&1; then
    exec "$program"
fi

# No display: a virtual one, just long enough for a screenshot.
shot=${QUILLMERE_SCREENSHOT:-$build/quillmere-screenshot.png}
display=:$((100 + RANDOM % 400))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
runtime=$(mktemp -d)
chmod 700 "$runtime"
cleanup() {
    kill "${app:-}" 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
    rm -rf "$runtime"
}
trap cleanup EXIT

export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

XDG_RUNTIME_DIR=$runtime "$program" &
app=$!
shown=no
for _ in $(seq 100); do
    if xwininfo -root -tree 2>/dev/null | grep -q '"Quillmere v1.20"'; then
        shown=yes
        break
    fi
    if ! kill -0 "$app" 2>/dev/null; then break; fi
    sleep 0.1
done
if [[ $shown != yes ]]; then
    echo "The main window did not appear." >&2
    exit 1
fi
sleep 0.5 # let the first paint finish
import -window root "$shot"
echo "Quillmere started on a virtual display; screenshot of its main window: $shot"
