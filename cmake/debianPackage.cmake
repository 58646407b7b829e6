# The Debian package, made from the install tree by `cpack -G DEB` in the
# build folder. Shared-library dependencies are found by dpkg-shlibdeps; what
# the program needs without linking it is declared by hand.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tollbrook2)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "the Tollbrook2 project")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "turns many LZH and CAB archives into self-extracting executables")
# Debian shows the description in 80 columns: each line at most 79 here.
set(CPACK_PACKAGE_DESCRIPTION
    "Tollbrook2 collects LZH and CAB archives in a work list and turns each of\n\
them into a self-extracting executable for DOS, Windows 3.1 (Win16) or Win32\n\
in one run. Every step is recorded in an execution history that can be\n\
copied or saved as a log. Started with archive names and the option Auto, it\n\
converts them without showing a window.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/COPYING)
set(CPACK_STRIP_FILES ON)

# No person answers for this package, so no address is made up for one.
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "the Tollbrook2 project <tollbrook2@packages.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The desk speaks Japanese: without a CJK face every caption is boxes. The
# SVG plugin draws the program's icon.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-mincho | fonts-noto-cjk, libqt6svg6, qt6-translations-l10n")
# The manual opens in the desktop's browser through xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
# CPack adds postinst and postrm scripts that run ldconfig whenever a shared
# library lies below /usr/lib, even in a private folder the dynamic linker
# never searches. The program loads its libraries by path, so the package
# is rebuilt without those two scripts.
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/dropLdconfigScripts.cmake)
include(CPack)
