#!/usr/bin/env bash
# The program's folders form a stack: a file may include headers from its own
# folder and from the folders below it, never from one above. Lists every
# include that points up, and fails if there is one.
set -euo pipefail
root=$1

# From the bottom up.
layers=(knowledge core widgets shell learning testing history analysis analysiswindow mainwindow app)

rank() {
    local i
    for i in "${!layers[@]}"; do
        [[ ${layers[$i]} == "$1" ]] && { echo "$i"; return; }
    done
    echo -1
}

faults=0
for folder in "${layers[@]}"; do
    [[ -d "$root/$folder" ]] || continue
    own=$(rank "$folder")
    while IFS=: read -r file line included; do
        target=${included%%/*}
        theirs=$(rank "$target")
        if ((theirs > own)); then
            echo "${file#"$root"/}:$line includes $included, from a folder above $folder/"
            faults=$((faults + 1))
        fi
    done < <(grep -HnoE '^#include "[a-z]+/[^"]+"' "$root/$folder"/*.cpp "$root/$folder"/*.h 2>/dev/null |
        sed -E 's/#include "([^"]+)"/\1/')
done

if ((faults > 0)); then
    echo "$faults include(s) point up the stack (${layers[*]})" >&2
    exit 1
fi
echo "every include points down the stack: ${layers[*]}"
