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
# The Python module is built for one Python version; the libraries and qvc do
# not need Python, so the interpreter is recommended, not required.
if(QVC_BUILD_PYTHON)
  math(EXPR qvc_next_minor "${Python_VERSION_MINOR} + 1")
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
      "python3 (>= ${Python_VERSION_MAJOR}.${Python_VERSION_MINOR}), python3 (<< ${Python_VERSION_MAJOR}.${qvc_next_minor})")
endif()
include(CPack)
