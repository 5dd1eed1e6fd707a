"""Checks the copyright file of the package against the source it is built from.

The file must be machine-readable (Debian's copyright format 1.0), every
licence it names must be written out in it, and every sample picture must fall
under a paragraph of its own that names each font listed in
assets/pictures/FONTS.md, the fonts the pictures are drawn with.

Usage: check_copyright.py COPYRIGHT-FILE SOURCE-FOLDER
Runs under Debian's python3, which has python3-debian.
"""

import pathlib
import re
import sys

from debian import copyright as dep5


def fail(message):
    sys.exit(f"FAIL: the copyright file: {message}")


def font_names(fonts_md):
    """The font of each row of the table in FONTS.md, without its style or maker."""
    names = []
    for line in fonts_md.read_text(encoding="utf-8").splitlines():
        if not line.startswith("|"):
            continue
        first = line.strip("|").split("|")[0].strip()
        if first in ("", "Font") or set(first) <= set("-: "):
            continue
        names.append(re.split(r" \(|,", first)[0].strip())
    if not names:
        fail(f"no font found in the table of {fonts_md}")
    return names


def licence_names(synopsis):
    """The short names in a License synopsis such as "OFL-1.1 and (MIT or BSD-3-clause)"."""
    return [name for name in re.split(r"[\s(),]+", synopsis) if name not in ("", "and", "or")]


def check_licences(copyright):
    written = {}
    for paragraph in copyright.all_license_paragraphs():
        if not paragraph.license.text.strip():
            fail(f"the License paragraph {paragraph.license.synopsis} has no text")
        written[paragraph.license.synopsis] = paragraph
    for paragraph in copyright.all_files_paragraphs():
        if paragraph.license.text.strip():
            continue
        for name in licence_names(paragraph.license.synopsis):
            if name not in written:
                fail(f"the licence {name} of {' '.join(paragraph.files)} is not written out")


def check_pictures(copyright, source):
    fonts = font_names(source / "assets/pictures/FONTS.md")
    pictures = sorted((source / "assets/pictures").glob("*.jpg"))
    if not pictures:
        fail("no sample picture found in the source")
    for picture in pictures:
        name = picture.relative_to(source).as_posix()
        paragraph = copyright.find_files_paragraph(name)
        if paragraph is None or paragraph.files == ("*",):
            fail(f"{name} has no paragraph of its own")
        said = f"{paragraph.copyright}\n{paragraph.comment or ''}"
        for font in fonts:
            if font not in said:
                fail(f"the paragraph of {name} does not name the font {font}")
    print(f"copyright file covers {len(pictures)} pictures drawn with {', '.join(fonts)}")


def main(path, source):
    with open(path, encoding="utf-8") as file:
        try:
            copyright = dep5.Copyright(file, strict=True)
        except (dep5.NotMachineReadableError, dep5.MachineReadableFormatError, ValueError) as error:
            fail(f"not machine-readable: {error}")
    if not copyright.header.known_format():
        fail(f"unknown Format {copyright.header.format}")
    if not list(copyright.all_files_paragraphs()):
        fail("no Files paragraph")
    check_licences(copyright)
    check_pictures(copyright, pathlib.Path(source))


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
