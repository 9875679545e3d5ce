# The Debian package: `cpack -G DEB` in a build folder configured with CMAKE_INSTALL_PREFIX=/usr
# (scripts/package.sh) makes tessaline_<version>-<release>_<arch>.deb of what `cmake --install`
# installs.
set(CPACK_PACKAGE_NAME tessaline)
set(CPACK_PACKAGE_VERSION ${TESSALINE_VERSION_TEXT})
set(CPACK_PACKAGE_VENDOR Corvel)
set(CPACK_PACKAGE_CONTACT "Tessaline maintainers <tessaline@corvel.example>")
set(CPACK_PACKAGE_HOMEPAGE_URL https://corvel.example/)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "split a large text file into numbered smaller files")
# Debian shows the description as it stands, so its lines are broken here; the empty line ends
# a paragraph.
set(CPACK_PACKAGE_DESCRIPTION [[
Tessaline splits one large plain-text file into a numbered series of smaller
text files, by line count or by size in characters, trimming every line and
dropping blank ones. GBK/GB18030, UTF-8 and UTF-16 sources are split by their
own characters, in flat memory whatever their size.

This package holds the window, tessaline, and the command-line program,
tessaline-split.]])
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the programs link, found by dpkg-shlibdeps (dpkg-dev) from the binaries.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the window reads at run time without linking it: a Chinese font for its captions and
# Qt's own Chinese texts for its dialogs.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wqy-microhei | fonts-noto-cjk, qt6-translations-l10n")

include(CPack)
