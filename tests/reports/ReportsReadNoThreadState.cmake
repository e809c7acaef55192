# Run with -DSOURCE_DIR=<source root>. The report builder reads the per-thread
# state in one place and hands the generators and the page frame a
# ReportInputs; fails when any other source of src/reports includes the
# thread state, the report state or the thread's resource texts.
cmake_minimum_required(VERSION 3.20)
set(builder_files cRptBuilder.cpp cRptBuilder.h RptBuilderBodies.cpp ReportSession.h
                  ReportInputsReader.cpp ReportState.cpp ReportState.h)
file(GLOB sources ${SOURCE_DIR}/src/reports/*.cpp ${SOURCE_DIR}/src/reports/*.h)
if(NOT sources)
  message(FATAL_ERROR "no sources found under ${SOURCE_DIR}/src/reports")
endif()
set(offenders "")
foreach(source IN LISTS sources)
  get_filename_component(name ${source} NAME)
  if(name IN_LIST builder_files)
    continue()
  endif()
  file(STRINGS ${source} includes
       REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](common/ThreadState|common/ResourceStrings|reports/ReportState)\\.h")
  foreach(line IN LISTS includes)
    list(APPEND offenders "${source}: ${line}")
  endforeach()
endforeach()
if(offenders)
  list(JOIN offenders "\n" text)
  message(FATAL_ERROR "a report source reads the per-thread state:\n${text}")
endif()
