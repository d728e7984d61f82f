# Writes the API reference: fills in docs/Doxyfile.in, runs doxygen and fails
# on any warning but an undocumented plain member, and on a public class,
# struct or enum without a description.
# Arguments: -DDOXYGEN= -DPYTHON= -DSOURCE_DIR= -DOUTPUT_DIR= -DVERSION=
#            -DVERSION_HEADER= (the generated velloran/version.h)
set(PROJECT_SOURCE_DIR ${SOURCE_DIR})
set(PROJECT_VERSION ${VERSION})
set(VELLORAN_DOCS_OUTPUT ${OUTPUT_DIR})
# The generated header lives in the build tree, under include/velloran/.
get_filename_component(VERSION_HEADER_ROOT ${VERSION_HEADER} DIRECTORY)
get_filename_component(VERSION_HEADER_ROOT ${VERSION_HEADER_ROOT} DIRECTORY)
# Doxygen leaves the pages of removed classes behind.
file(REMOVE_RECURSE ${OUTPUT_DIR}/html ${OUTPUT_DIR}/xml)
file(MAKE_DIRECTORY ${OUTPUT_DIR})
configure_file(${SOURCE_DIR}/docs/Doxyfile.in ${OUTPUT_DIR}/Doxyfile @ONLY)
file(REMOVE ${OUTPUT_DIR}/warnings.log)

execute_process(COMMAND ${DOXYGEN} ${OUTPUT_DIR}/Doxyfile
  WORKING_DIRECTORY ${SOURCE_DIR} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "doxygen failed (${rc})")
endif()

file(STRINGS ${OUTPUT_DIR}/warnings.log lines)
set(failed FALSE)
foreach(line IN LISTS lines)
  if(line MATCHES "Member .* is not documented\\.$" AND NOT line MATCHES "\\(enumeration\\)")
    continue()
  endif()
  message("${line}")
  set(failed TRUE)
endforeach()

# Doxygen does not warn about a class without members; the XML tells.
execute_process(COMMAND ${PYTHON} ${SOURCE_DIR}/scripts/check-doc-classes ${OUTPUT_DIR}/xml
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  set(failed TRUE)
endif()

if(failed)
  message(FATAL_ERROR "API reference: fix the warnings above")
endif()
message(STATUS "API reference: ${OUTPUT_DIR}/html/index.html")
