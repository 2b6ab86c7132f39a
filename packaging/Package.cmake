# The Debian package: `cpack -G DEB` in the build folder writes tavrionex_VERSION_ARCH.deb,
# whose dependencies dpkg-shlibdeps computes from the programs.
set(CPACK_PACKAGE_NAME tavrionex)
set(CPACK_PACKAGE_VENDOR "Tavrionex")
set(CPACK_PACKAGE_CONTACT "Tavrionex developers <developers@tavrionex.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "card-file database for one person on a Linux desktop")
set(CPACK_PACKAGE_DESCRIPTION
  "Tavrionex keeps any number of named databases of records with your own field captions: \
browse, edit and search records, attach files and pictures, build reports and charts, print, \
import, export, back up and restore. TavrionexFtp uploads a web publication over FTP.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION database)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Documents, links and reports open in the desktop's own programs; more picture formats.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, qt6-image-formats-plugins")
include(CPack)
