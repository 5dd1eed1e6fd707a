#!/usr/bin/env bash
# Builds the .deb from the build folder given, checks it with lintian, unpacks
# it into a scratch folder, checks it as a desktop would see it, and starts the
# program it carries on a virtual display.
# Usage: check_package.sh BUILD-FOLDER SOURCE-FOLDER VERSION
set -euo pipefail
build=$1
source=$2
version=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

make_package() {
    (cd "$build" && cpack -G DEB -B "$scratch/out" >"$scratch/cpack.log" 2>&1) ||
        { cat "$scratch/cpack.log"; fail "cpack could not make the package"; }
    deb=$(ls "$scratch"/out/quillmere_*.deb)
    [[ $(basename "$deb") == "quillmere_${version}_$(dpkg --print-architecture).deb" ]] ||
        fail "unexpected name $(basename "$deb")"
    [[ $(dpkg-deb -f "$deb" Version) == "$version" ]] || fail "the package is not version $version"
    dpkg-deb -x "$deb" "$scratch/root"
}

check_lintian() {
    # Every error and warning fails; informational tags are shown.
    lintian --fail-on error,warning --display-info "$deb" >"$scratch/lintian.log" 2>&1 ||
        { cat "$scratch/lintian.log"; fail "lintian finds fault with the package"; }
    grep -v '^running with root privileges' "$scratch/lintian.log" || true
}

check_depends() {
    local depends package
    depends=$(dpkg-deb -f "$deb" Depends)
    for package in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 \
        fonts-dejavu-core; do
        [[ ", $depends," == *", $package "* || ", $depends," == *", $package,"* ]] ||
            fail "the package does not depend on $package"
    done
}

check_files() {
    local id=com.velmorasoftwares.Quillmere file size
    for file in usr/bin/quillmere \
        "usr/share/applications/$id.desktop" \
        "usr/share/metainfo/$id.metainfo.xml" \
        "usr/share/icons/hicolor/scalable/apps/$id.svg" \
        usr/share/doc/quillmere/copyright \
        usr/share/doc/quillmere/changelog.gz \
        usr/share/man/man1/quillmere.1.gz; do
        [[ -f "$scratch/root/$file" ]] || fail "missing $file"
    done
    for size in 16 22 24 32 48 64 128 256; do
        [[ -f "$scratch/root/usr/share/icons/hicolor/${size}x${size}/apps/$id.png" ]] ||
            fail "missing the ${size}px icon"
    done
    desktop-file-validate "$scratch/root/usr/share/applications/$id.desktop" ||
        fail "the desktop file does not validate"
    appstreamcli validate --no-net "$scratch/root/usr/share/metainfo/$id.metainfo.xml" >/dev/null ||
        fail "the metainfo file does not validate"
}

check_documents() {
    local doc=$scratch/root/usr/share/doc/quillmere
    /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/check_copyright.py" "$doc/copyright" "$source"
    zcat "$doc/changelog.gz" >"$scratch/changelog"
    [[ $(dpkg-parsechangelog -l "$scratch/changelog" -S Version) == "$version" ]] ||
        fail "the changelog's latest entry is not version $version"
    man -l "$scratch/root/usr/share/man/man1/quillmere.1.gz" >"$scratch/manual" 2>&1
    grep -q "Quillmere $version" "$scratch/manual" || fail "the manual page does not name version $version"
}

# The program as installed shows its main window: on a virtual display, a
# window of the program's own process, titled with the package's version, is
# mapped (xdotool looks for it until it is there, for up to two minutes);
# then the program is ended. A program that dies or hangs at start fails.
check_start() {
    mkdir -m 700 "$scratch/runtime"
    XDG_RUNTIME_DIR=$scratch/runtime XDG_CONFIG_HOME=$scratch/config QT_QPA_PLATFORM=xcb \
        xvfb-run -a -s "-screen 0 1024x768x24" bash -s -- \
        "$scratch/root/usr/bin/quillmere" "Quillmere v$version" "$scratch" <<'ON_DISPLAY' ||
set -euo pipefail
program=$1 title=$2 scratch=$3
"$program" >"$scratch/run.log" 2>&1 &
app=$!
timeout 120 xdotool search --sync --all --onlyvisible --pid "$app" \
    --name "^${title//./\\.}\$" >"$scratch/window" &
finder=$!
status=0
wait -n -p ended "$app" "$finder" || status=$?
if [[ $ended == "$app" ]]; then
    kill "$finder" 2>/dev/null || true
    cat "$scratch/run.log" >&2
    echo "the installed program ended with status $status before showing its main window" >&2
    exit 1
fi
kill "$app"
wait "$app" || true
if ((status != 0)); then
    cat "$scratch/run.log" >&2
    echo "no main window titled \"$title\" appeared within two minutes" >&2
    exit 1
fi
echo "the installed program showed its main window \"$title\""
ON_DISPLAY
        fail "the installed program did not start"
}

make_package
check_lintian
check_depends
check_files
check_documents
check_start
echo "package $(basename "$deb") checked"
