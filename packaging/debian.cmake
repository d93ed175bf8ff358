# The Debian package: cpack -G DEB (./scripts/package) writes
# kestrane_<version>-<release>_<arch>.deb. Depends comes from the shared
# libraries the programs link (dpkg-shlibdeps), plus what is loaded at run
# time and so cannot be seen in the programs: the Qt platform plugins that
# open a window. The trend window's plot library, libqcustomplot2.1-qt6,
# comes in through the programs that link it.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kestrane)
set(CPACK_PACKAGE_VENDOR "The Kestrane developers")
set(CPACK_PACKAGE_CONTACT "The Kestrane developers <kestrane@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "service tool for electric-vehicle motor controllers")
set(CPACK_PACKAGE_DESCRIPTION
    "Kestrane connects a PC to the motor controller of an electric vehicle over
RS-232: live state, parameter blocks, current calibration, hall tests, and
recording of the live state with export to a spreadsheet, in English or
Chinese. The package also holds kestrane-sim, a simulated controller on a
pseudo-terminal for trying the tool without a vehicle.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CHECKSUM SHA256)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# Chinese captions need a CJK font.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://kestrane.example.org/")
include(CPack)
