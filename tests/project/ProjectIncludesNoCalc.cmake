# Run with -DSOURCE_DIR=<source root>. The project component loads studies
# itself (StudyLoader); the calculator builds on it, never the other way round.
# Fails when a source of src/project includes a header of src/calc or the
# calculator's public header.
file(GLOB sources ${SOURCE_DIR}/src/project/*.cpp ${SOURCE_DIR}/src/project/*.h)
if(NOT sources)
  message(FATAL_ERROR "no sources found under ${SOURCE_DIR}/src/project")
endif()
set(offenders "")
foreach(source IN LISTS sources)
  file(STRINGS ${source} includes
       REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](calc/|qvc/cORVCalculator\\.h)")
  foreach(line IN LISTS includes)
    list(APPEND offenders "${source}: ${line}")
  endforeach()
endforeach()
if(offenders)
  list(JOIN offenders "\n" text)
  message(FATAL_ERROR "src/project includes the calculator:\n${text}")
endif()
