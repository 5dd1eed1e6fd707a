#!/usr/bin/env bash
# Times Quillmere and a minimal Qt Widgets program from start until their
# first window is mapped, on a virtual display, in alternating pairs, and
# records each one's peak resident memory. Prints medians and the ratios.
# Usage: bench/startup.sh [RUNS] [OTHER]   (default 40 runs)
# OTHER, a program to compare with instead of the minimal one, for instance
# an older build of Quillmere.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
runs=${1:-40}
other=${2:+$(realpath "$2")}
build=${QUILLMERE_BENCH_BUILD_DIR:-$root/build-bench}

"$root/tools/setup.sh"
QUILLMERE_BUILD_DIR=$build QUILLMERE_BUILD_TYPE=Release \
    QUILLMERE_CMAKE_ARGS="-DQUILLMERE_BUILD_TESTS=OFF -DQUILLMERE_BUILD_TOOLS=OFF" \
    "$root/tools/build.sh" --target quillmere quillmere-bench-minimal quillmere-bench-startwatch

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# Every run on one virtual display, which xvfb-run starts and waits for.
xvfb-run -a -s "-screen 0 1024x768x24" bash -s -- "$build" "$runs" "$scratch" "$other" <<'ON_DISPLAY'
set -euo pipefail
build=$1 runs=$2 scratch=$3
yardstick=${4:-$build/bench/quillmere-bench-minimal}
watch=$build/bench/quillmere-bench-startwatch
measure() { # program -> "ms kb"; a fresh user every run, as on a first start
    local home
    home=$(mktemp -d "$scratch/run.XXXX")
    mkdir -m 700 "$home/runtime"
    XDG_RUNTIME_DIR=$home/runtime XDG_CONFIG_HOME=$home/config HOME=$home QT_QPA_PLATFORM=xcb \
        "$watch" "$1" </dev/null
}

# One warm-up each, so that neither pays for a cold disk cache.
measure "$build/app/quillmere" >/dev/null
measure "$yardstick" >/dev/null

: >"$scratch/pairs"
for _ in $(seq "$runs"); do
    q=$(measure "$build/app/quillmere")
    m=$(measure "$yardstick")
    echo "$q $m" >>"$scratch/pairs"
done
ON_DISPLAY

python3 - "$scratch/pairs" "${other:+other program}" <<'PY'
import statistics, sys
other = sys.argv[2] or "minimal"
rows = [list(map(float, line.split())) for line in open(sys.argv[1])]
q_ms, q_kb, m_ms, m_kb = zip(*rows)
time_ratio = statistics.median(a / b for a, b in zip(q_ms, m_ms))
mem_ratio = statistics.median(a / b for a, b in zip(q_kb, m_kb))
print(f"runs: {len(rows)} pairs")
print(f"time to first window, median: quillmere {statistics.median(q_ms):.1f} ms, "
      f"{other} {statistics.median(m_ms):.1f} ms, ratio (median of pairs) {time_ratio:.2f}")
print(f"peak resident memory, median: quillmere {statistics.median(q_kb)/1024:.1f} MiB, "
      f"{other} {statistics.median(m_kb)/1024:.1f} MiB, ratio (median of pairs) {mem_ratio:.2f}")
PY
