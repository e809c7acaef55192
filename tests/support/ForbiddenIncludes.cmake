# cmake -DFOLDER=<dir> -DFORBIDDEN=<regex> [-DEXCEPT=<file;file>] -DRULE=<text>
#       -P ForbiddenIncludes.cmake
# Fails, naming each offending line, when a .cpp or .h directly in FOLDER (other than the EXCEPT
# files) includes a header whose path matches FORBIDDEN.
cmake_minimum_required(VERSION 3.20)
file(GLOB sources ${FOLDER}/*.cpp ${FOLDER}/*.h)
if(NOT sources)
  message(FATAL_ERROR "no sources found under ${FOLDER}")
endif()
set(offenders "")
foreach(source IN LISTS sources)
  get_filename_component(name ${source} NAME)
  if(NOT name IN_LIST EXCEPT)
    file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](${FORBIDDEN})")
    list(TRANSFORM includes PREPEND "${source}: ")
    list(APPEND offenders ${includes})
  endif()
endforeach()
if(offenders)
  list(JOIN offenders "\n" text)
  message(FATAL_ERROR "${RULE}:\n${text}")
endif()
