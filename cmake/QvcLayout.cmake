# Where every part goes when installed (GNUInstallDirs), and the relative paths
# from the installed library to its shipped files, which the component resolves
# at run time (no absolute path is compiled in, so the tree can be moved).
include(GNUInstallDirs)

set(QVC_INSTALL_PRIVATE_LIBDIR ${CMAKE_INSTALL_LIBDIR}/qvcomponents)
set(QVC_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/qvcomponents)
set(QVC_INSTALL_EXAMPLESDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/qvcomponents/examples)
set(QVC_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/QVComponents)

file(RELATIVE_PATH QVC_LIB_TO_DATA ${CMAKE_INSTALL_FULL_LIBDIR}
     ${CMAKE_INSTALL_PREFIX}/${QVC_INSTALL_DATADIR})
file(RELATIVE_PATH QVC_LIB_TO_EXAMPLES ${CMAKE_INSTALL_FULL_LIBDIR}
     ${CMAKE_INSTALL_PREFIX}/${QVC_INSTALL_EXAMPLESDIR})
file(RELATIVE_PATH QVC_BIN_TO_LIB ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBDIR})

# The build tree mirrors a "lib" + "share" install, so the same lookup finds the
# generated resources and the source tree's examples there.
set(QVC_BUILD_DATADIR ${CMAKE_BINARY_DIR}/share/qvcomponents)
file(MAKE_DIRECTORY ${QVC_BUILD_DATADIR})
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/share/doc/qvcomponents)
if(NOT EXISTS ${CMAKE_BINARY_DIR}/share/doc/qvcomponents/examples)
  file(CREATE_LINK ${CMAKE_SOURCE_DIR}/examples ${CMAKE_BINARY_DIR}/share/doc/qvcomponents/examples
       SYMBOLIC)
endif()
