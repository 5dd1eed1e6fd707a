#!/usr/bin/env bash
# Peak memory of the analysis of a 115-megapixel page in each picture format,
# each read in a process of its own: bench/analysis-memory.sh [BUILD-FOLDER]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
bench=${1:-${QUILLMERE_BUILD_DIR:-$root/build}}/bench/quillmere-bench-analysis
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for format in jpg png tif bmp; do
    "$bench" --write "$work/page.$format" 115 >/dev/null
    "$bench" --analyse "$work/page.$format"
    rm "$work/page.$format"
done
