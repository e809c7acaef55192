# Install rules, the exported CMake package, pkg-config file and the Debian
# package (CPack). Layout in QvcLayout.cmake:
#   <libdir>/libqvcomponents.so.17, libtavlo.so.17, libqvcviewer.so.17
#   <libdir>/qvcomponents/       the platform libraries (private), the chart drawing module
#                                and the viewer plug-in
#   <includedir>/qvc, tavlo      public headers
#   <datadir>/qvcomponents       resource database and help page
#   <datadir>/doc/qvcomponents/examples
# Every installed binary finds its libraries through $ORIGIN-relative run paths.
include(CMakePackageConfigHelpers)

set(QVC_PLATFORM_LIBS)
foreach(lib qvc_runtime qvc_dao qvc_document qvc_graph qvc_ui)
  if(TARGET ${lib})
    list(APPEND QVC_PLATFORM_LIBS ${lib})
  endif()
endforeach()
set(QVC_PUBLIC_LIBS)
foreach(lib qvcomponents tavlo qvcviewer)
  if(TARGET ${lib})
    list(APPEND QVC_PUBLIC_LIBS ${lib})
  endif()
endforeach()
if(NOT QVC_PLATFORM_LIBS OR NOT TARGET qvcomponents OR NOT TARGET qvc_resource_db)
  message(STATUS "Parts of the component are left out: no install rules")
  return()
endif()

foreach(lib IN LISTS QVC_PLATFORM_LIBS QVC_PUBLIC_LIBS)
  set_target_properties(${lib} PROPERTIES VERSION ${PROJECT_VERSION}
                                          SOVERSION ${PROJECT_VERSION_MAJOR})
endforeach()
set_target_properties(${QVC_PLATFORM_LIBS} PROPERTIES INSTALL_RPATH "$ORIGIN;$ORIGIN/..")
set_target_properties(${QVC_PUBLIC_LIBS} PROPERTIES INSTALL_RPATH "$ORIGIN;$ORIGIN/qvcomponents")

install(TARGETS ${QVC_PLATFORM_LIBS}
        LIBRARY DESTINATION ${QVC_INSTALL_PRIVATE_LIBDIR} NAMELINK_SKIP COMPONENT runtime)
install(TARGETS ${QVC_PUBLIC_LIBS}
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT runtime NAMELINK_COMPONENT development)

# The chart drawing module, loaded by libqvc_graph from its own folder.
if(TARGET qvc_chart_drawing)
  set_target_properties(qvc_chart_drawing PROPERTIES INSTALL_RPATH "$ORIGIN;$ORIGIN/..")
  install(TARGETS qvc_chart_drawing LIBRARY DESTINATION ${QVC_INSTALL_PRIVATE_LIBDIR}
          COMPONENT runtime)
endif()

if(TARGET qvc)
  set_target_properties(qvc PROPERTIES
    INSTALL_RPATH "$ORIGIN/${QVC_BIN_TO_LIB};$ORIGIN/${QVC_BIN_TO_LIB}/qvcomponents")
  install(TARGETS qvc RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT runtime)
  install(FILES ${CMAKE_SOURCE_DIR}/apps/qvc/qvc.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1
          COMPONENT runtime)
endif()
if(TARGET qvc_viewer_plugin)
  set_target_properties(qvc_viewer_plugin PROPERTIES INSTALL_RPATH "$ORIGIN;$ORIGIN/..")
  install(TARGETS qvc_viewer_plugin LIBRARY DESTINATION ${QVC_INSTALL_PRIVATE_LIBDIR}
          COMPONENT runtime)
endif()

# Shipped files.
install(FILES ${QVC_RESOURCE_DB} DESTINATION ${QVC_INSTALL_DATADIR} COMPONENT runtime)
install(FILES ${QVC_HELP_FILE} DESTINATION ${QVC_INSTALL_DATADIR}/help COMPONENT runtime)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/examples/ DESTINATION ${QVC_INSTALL_EXAMPLESDIR}
        COMPONENT runtime)

# Headers: the component's, the engine's, and the platform headers the viewer's
# headers include.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/include/qvc ${CMAKE_SOURCE_DIR}/platform/tavlo/include/tavlo
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT development)
if(TARGET qvcviewer)
  foreach(lib runtime document ui)
    install(DIRECTORY ${CMAKE_SOURCE_DIR}/platform/${lib}/include/qvc
            DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT development)
  endforeach()
  install(DIRECTORY ${CMAKE_SOURCE_DIR}/src/viewer/include/qvc
          DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT development)
endif()

# CMake package: find_package(QVComponents 17) gives QVComponents::qvcomponents
# (and QVComponents::viewer when the viewer is installed).
set(QVC_PACKAGE_HAS_VIEWER OFF)
if(TARGET qvcviewer)
  set(QVC_PACKAGE_HAS_VIEWER ON)
endif()
file(RELATIVE_PATH QVC_CMAKEDIR_TO_PREFIX ${CMAKE_INSTALL_PREFIX}/${QVC_INSTALL_CMAKEDIR}
     ${CMAKE_INSTALL_PREFIX})
configure_file(${CMAKE_SOURCE_DIR}/cmake/QVComponentsConfig.cmake.in
               ${CMAKE_BINARY_DIR}/package/QVComponentsConfig.cmake @ONLY)
write_basic_package_version_file(${CMAKE_BINARY_DIR}/package/QVComponentsConfigVersion.cmake
                                 VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/package/QVComponentsConfig.cmake
              ${CMAKE_BINARY_DIR}/package/QVComponentsConfigVersion.cmake
        DESTINATION ${QVC_INSTALL_CMAKEDIR} COMPONENT development)

# pkg-config, relocatable: every path is relative to the .pc file.
file(RELATIVE_PATH QVC_PCDIR_TO_PREFIX ${CMAKE_INSTALL_FULL_LIBDIR}/pkgconfig
     ${CMAKE_INSTALL_PREFIX})
configure_file(${CMAKE_SOURCE_DIR}/cmake/qvcomponents.pc.in
               ${CMAKE_BINARY_DIR}/package/qvcomponents.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/package/qvcomponents.pc
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT development)

include(QvcPackage)
