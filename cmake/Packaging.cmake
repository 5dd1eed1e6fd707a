# The Debian package: `cpack -G DEB` in the build folder makes
# quillmere_<version>_<arch>.deb. What it carries besides the program (its
# copyright file, changelog and manual page) is installed by assets/package.

set(CPACK_PACKAGE_NAME quillmere)
set(CPACK_PACKAGE_VENDOR "Velmora Softwares")
set(CPACK_PACKAGE_CONTACT "Velmora Softwares <support@velmorasoftwares.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Learn graphology and test yourself on it")
# The extended description, wrapped within 80 columns; an empty line starts a
# new paragraph.
set(CPACK_PACKAGE_DESCRIPTION_FILE ${PROJECT_SOURCE_DIR}/assets/package/description)
set(CPACK_PACKAGE_INSTALL_DIRECTORY quillmere)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${PROJECT_HOMEPAGE_URL}")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# Dependencies. The libraries the program links (the C and C++ run-time and
# the Qt libraries) are found by dpkg-shlibdeps with the least versions their
# symbols need; what it loads or uses without linking (a font, a Qt plugin
# package such as a Qt SQL driver or extra picture readers) is listed here,
# one package a line. The xcb window plugin and the JPEG reader of the sample
# pictures come with libqt6gui6, which the program links.
set(QUILLMERE_PACKAGE_DEPENDS
    # the face every text falls back to where Verdana is missing
    fonts-dejavu-core
    # the TIFF reader of pictures of handwriting to analyse
    qt6-image-formats-plugins
    # the SQLite driver of Qt SQL, which keeps the test history
    libqt6sql6-sqlite
)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
list(JOIN QUILLMERE_PACKAGE_DEPENDS ", " CPACK_DEBIAN_PACKAGE_DEPENDS)

# Binaries are stripped as Debian's own packages are: no symbols, and no
# .comment or .note sections.
set(CPACK_STRIP_FILES OFF)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/PackageStrip.cmake)
set(CPACK_QUILLMERE_STRIP "${CMAKE_STRIP}")

# Hardening that Debian's build flags give every package: the dynamic
# relocations are resolved at start and then made read-only.
if(TARGET quillmere)
    target_link_options(quillmere PRIVATE LINKER:-z,relro LINKER:-z,now)
endif()

include(CPack)
