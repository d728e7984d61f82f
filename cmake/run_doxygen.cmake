# Writes the API reference: fills in docs/Doxyfile.in, runs doxygen and fails
# on any warning but an undocumented plain member (classes, structs and enums
# must all carry a description).
# Arguments: -DDOXYGEN= -DSOURCE_DIR= -DOUTPUT_DIR= -DVERSION=
set(PROJECT_SOURCE_DIR ${SOURCE_DIR})
set(PROJECT_VERSION ${VERSION})
set(VELLORAN_DOCS_OUTPUT ${OUTPUT_DIR})
file(MAKE_DIRECTORY ${OUTPUT_DIR})
configure_file(${SOURCE_DIR}/docs/Doxyfile.in ${OUTPUT_DIR}/Doxyfile @ONLY)
file(REMOVE ${OUTPUT_DIR}/warnings.log)

execute_process(COMMAND ${DOXYGEN} ${OUTPUT_DIR}/Doxyfile
  WORKING_DIRECTORY ${SOURCE_DIR} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "doxygen failed (${rc})")
endif()

file(STRINGS ${OUTPUT_DIR}/warnings.log lines)
set(count 0)
foreach(line IN LISTS lines)
  if(line MATCHES "Member .* is not documented\\.$" AND NOT line MATCHES "\\(enumeration\\)")
    continue()
  endif()
  message("${line}")
  math(EXPR count "${count} + 1")
endforeach()
if(count GREATER 0)
  message(FATAL_ERROR "API reference: ${count} warning line(s)")
endif()
message(STATUS "API reference: ${OUTPUT_DIR}/html/index.html")
