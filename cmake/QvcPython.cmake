# Whether the Python package is built (QVC_BUILD_PYTHON) and with which
# Python. Debian's python3 is preferred: the package is installed where it
# looks for modules. On by default when pybind11 and the Python headers are
# found, except in the sanitizer build: a Python interpreter (not built with
# ASan) would have to preload the sanitizer runtime to load the module.
if(NOT DEFINED Python_EXECUTABLE AND EXISTS /usr/bin/python3)
  set(Python_EXECUTABLE /usr/bin/python3 CACHE FILEPATH "The Python the package is built for")
endif()
find_package(Python 3.9 COMPONENTS Interpreter Development.Module QUIET)
if(Python_FOUND)
  find_package(pybind11 2.6 CONFIG QUIET)
endif()
set(qvc_python_default OFF)
if(Python_FOUND AND pybind11_FOUND AND NOT QVC_SANITIZE)
  set(qvc_python_default ON)
endif()
option(QVC_BUILD_PYTHON "Build the Python package qvcomponents (pybind11)" ${qvc_python_default})
if(QVC_BUILD_PYTHON AND NOT (Python_FOUND AND pybind11_FOUND))
  message(FATAL_ERROR "QVC_BUILD_PYTHON needs pybind11 and the Python headers "
                      "(Debian: pybind11-dev python3-dev)")
endif()
# Where `cmake --install` puts the module: Debian's python3 finds
# <prefix>/lib/python3/dist-packages for the prefix /usr.
set(QVC_INSTALL_PYTHONDIR lib/python3/dist-packages CACHE STRING
    "Folder of the Python module, relative to the install prefix")
