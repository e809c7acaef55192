# `make package`: one Debian package, qvcomponents_<version>_<arch>.deb, with its
# dependencies found by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qvcomponents)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "QVComponents developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Life-cycle cost component for building design alternatives, with the qvc host")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "QVComponents developers <qvcomponents@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The platform libraries and the plug-in are found through run paths only.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS
    ${CMAKE_BINARY_DIR}/lib ${CMAKE_BINARY_DIR}/lib/qvcomponents)
set(CPACK_STRIP_FILES ON)
include(CPack)
