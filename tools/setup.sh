#!/usr/bin/env bash
# Installs the Debian 12 packages that Quillmere needs to build, run and test,
# and only those that are missing. Runs apt-get as root, or through sudo.
set -euo pipefail

packages=(
    # building
    g++ make cmake ninja-build clang-format
    qt6-base-dev qt6-base-dev-tools libqt6test6 libqt6printsupport6 qt6-qpa-plugins
    # fonts: the program's fall-back face and the hand of the sample pictures
    fonts-dejavu-core fonts-dancingscript fonts-dkg-handwriting
    # TIFF and other scans for the analysis of a page of handwriting
    qt6-image-formats-plugins
    # a further hand for the pages that the analysis tests write
    fonts-kaushanscript
    # a virtual display, finding a program's window on it, and screenshots
    xvfb xauth x11-utils xdotool imagemagick
    # a real default printer for the printing test, and reading its PDF back
    cups printer-driver-cups-pdf poppler-utils
    # the test history: Qt SQL and its SQLite driver
    libqt6sql6 libqt6sql6-sqlite
    # benchmarks
    libbenchmark-dev libxcb1-dev python3
    # the Debian package: its library dependencies (dpkg-shlibdeps) and changelog
    # (dpkg-parsechangelog), and checking its launcher, AppStream file,
    # copyright file and the whole package
    dpkg-dev desktop-file-utils appstream python3-debian lintian
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done

if ((${#missing[@]} == 0)); then
    exit 0
fi

echo "Installing: ${missing[*]}"
as_root=()
if ((EUID != 0)); then
    as_root=(sudo)
fi
"${as_root[@]}" apt-get update -q
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -q --no-install-recommends "${missing[@]}"
