#!/usr/bin/env bash
# Sets up, builds and starts Quillmere. With no display (a server, CI), it
# starts the program on a virtual display instead (xvfb-run), waits until a
# window of the program's process is mapped, saves a screenshot of that
# window once its picture has settled, prints where it is, and ends the
# program.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${QUILLMERE_BUILD_DIR:-$root/build}

"$root/tools/setup.sh"
"$root/tools/build.sh" --target quillmere
program="$build/app/quillmere"

if [[ -n "${DISPLAY:-}" ]] && xdpyinfo >/dev/null 2>&1; then
    exec "$program"
fi

shot=${QUILLMERE_SCREENSHOT:-$build/quillmere-screenshot.png}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -m 700 "$scratch/runtime"

XDG_RUNTIME_DIR=$scratch/runtime QT_QPA_PLATFORM=xcb \
    xvfb-run -a -s "-screen 0 1024x768x24" bash -s -- "$program" "$shot" "$scratch" <<'ON_DISPLAY'
set -euo pipefail
program=$1 shot=$2 scratch=$3
"$program" &
app=$!
# xdotool looks for the window until it is there, for up to a minute.
timeout 60 xdotool search --sync --onlyvisible --pid "$app" >"$scratch/windows" &
finder=$!
status=0
wait -n -p ended "$app" "$finder" || status=$?
if [[ $ended == "$app" ]]; then
    kill "$finder" 2>/dev/null || true
    echo "Quillmere ended with status $status before showing a window." >&2
    exit 1
fi
if ((status != 0)); then
    kill "$app"
    echo "No window of Quillmere appeared within a minute." >&2
    exit 1
fi
window=$(head -n 1 "$scratch/windows")

# The window is mapped before it is painted: take pictures of it until two in
# a row are the same and show more than one colour.
settled=no
import -window "$window" "$scratch/last.png"
for attempt in $(seq 100); do
    import -window "$window" "$scratch/shot.png"
    if [[ $(identify -format %k "$scratch/shot.png") -gt 1 ]] &&
        compare -metric AE "$scratch/last.png" "$scratch/shot.png" null: 2>/dev/null; then
        settled=yes
        break
    fi
    mv "$scratch/shot.png" "$scratch/last.png"
done
title=$(xdotool getwindowname "$window")
kill "$app"
wait "$app" || true
if [[ $settled != yes ]]; then
    echo "The window of Quillmere did not settle after $attempt pictures." >&2
    exit 1
fi
mv "$scratch/shot.png" "$shot"
echo "Quillmere started on a virtual display; screenshot of its window \"$title\": $shot"
ON_DISPLAY
