# `make package`: a Debian package of both programs, the desktop entry, the MIME type, the
# icon, the user guide and the manual page of varnholt-cli; its dependencies are found
# from the libraries the programs link (dpkg-shlibdeps).
include(GNUInstallDirs)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/res/help/ DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/varnholt/guide
        FILES_MATCHING PATTERN "*.html")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME varnholt)
set(CPACK_PACKAGE_VENDOR "Varnholt")
set(CPACK_PACKAGE_CONTACT "Varnholt developers <dev@varnholt.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for IEC 61850-6 SCL substation configuration files")
set(CPACK_PACKAGE_DESCRIPTION "Opens SCL projects (SCD files), adds IEDs from ICD/IID/CID files, wires GOOSE
inputs, edits datasets and control blocks, checks projects and exports per-IED files;
with varnholt-cli for the same work without a display.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils")
include(CPack)
