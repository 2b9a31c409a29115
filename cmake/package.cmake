# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package: `cpack -G DEB` in the build folder. Depends come from the shared libraries the
# installed programs link (dpkg-shlibdeps), so they follow whatever the build machine links.
set(CPACK_PACKAGE_NAME ziehfix)
set(CPACK_PACKAGE_VENDOR "ZIEHFIX")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Checks tickets of a 75-number lottery")
set(CPACK_PACKAGE_DESCRIPTION
    "ZIEHFIX reads ticket files, takes the draw from a board of 75 numbers or from pasted text and\n"
    "shows every ticket's complete lines, its win class and the totals. ziehfix-check does the same\n"
    "without a window.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_CONTACT "ZIEHFIX <info@ziehfix.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.ziehfix.example/")
# Qt loads these at run time, so no library dependency names them: the German dialogs and the
# platform plug-in for X11 and Wayland.
# The speech-dispatcher plug-in of Qt's text-to-speech and the German voice behind it are loaded at
# run time too; without them the announcements go on with the line on screen and the chimes.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "qt6-translations-l10n, qt6-qpa-plugins, qt6-speech-speechd-plugin, speech-dispatcher, speech-dispatcher-espeak-ng, espeak-ng")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xdg-utils")
# Qt loads its SQLite driver as a plug-in, so no library dependency names it; the archive needs it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite")
if(ZIEHFIX_SCAN)
  # Tesseract's English model holds the digits the picture reader reads, and Qt's TIFF and WEBP
  # readers are plug-ins it loads at run time; no library names them.
  string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", tesseract-ocr-eng, qt6-image-formats-plugins")
endif()
set(CPACK_GENERATOR DEB)
include(CPack)
