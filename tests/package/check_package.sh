#!/usr/bin/env bash
# Builds the .deb from the build folder given, unpacks it into a scratch
# folder and checks it as a desktop would see it.
set -euo pipefail
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$scratch/out" >"$scratch/cpack.log") ||
    { cat "$scratch/cpack.log"; fail "cpack could not make the package"; }
deb=$(ls "$scratch"/out/quillmere_*.deb)
[[ $(basename "$deb") =~ ^quillmere_1\.20_[a-z0-9]+\.deb$ ]] || fail "unexpected name $(basename "$deb")"

depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 fonts-dejavu-core; do
    [[ $depends == *"$package"* ]] || fail "the package does not depend on $package"
done

dpkg-deb -x "$deb" "$scratch/root"
id=com.velmorasoftwares.Quillmere
for file in usr/bin/quillmere \
    "usr/share/applications/$id.desktop" \
    "usr/share/metainfo/$id.metainfo.xml" \
    "usr/share/icons/hicolor/scalable/apps/$id.svg"; do
    [[ -f "$scratch/root/$file" ]] || fail "missing $file"
done
for size in 16 22 24 32 48 64 128 256; do
    icon="$scratch/root/usr/share/icons/hicolor/${size}x${size}/apps/$id.png"
    [[ -f $icon ]] || fail "missing the ${size}px icon"
done

desktop-file-validate "$scratch/root/usr/share/applications/$id.desktop" ||
    fail "the desktop file does not validate"
appstreamcli validate --no-net "$scratch/root/usr/share/metainfo/$id.metainfo.xml" >/dev/null ||
    fail "the metainfo file does not validate"

# The program as installed starts and keeps running until it is ended.
mkdir -m 700 "$scratch/runtime"
status=0
XDG_RUNTIME_DIR=$scratch/runtime XDG_CONFIG_HOME=$scratch/config \
    timeout 5 "$scratch/root/usr/bin/quillmere" >"$scratch/run.log" 2>&1 || status=$?
[[ $status -eq 124 ]] || { cat "$scratch/run.log"; fail "the installed program ended with status $status"; }
echo "package $(basename "$deb") checked"
