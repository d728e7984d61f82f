# API reference over the installed headers. `docs` writes it to
# VELLORAN_DOCS_DIR; the test builds a copy in the build tree so that a
# warning fails `ctest` wherever doxygen is installed, and a second one plants
# faults to show that the check catches them.
find_program(VELLORAN_DOXYGEN doxygen)
find_package(Python3 COMPONENTS Interpreter)
set(VELLORAN_DOCS_DIR ${PROJECT_SOURCE_DIR}/build/docs CACHE PATH "Where `docs` writes the API reference")

function(velloran_doxygen_command out_var output_dir)
  set(${out_var} ${CMAKE_COMMAND} -DDOXYGEN=${VELLORAN_DOXYGEN} -DPYTHON=${Python3_EXECUTABLE}
      -DSOURCE_DIR=${PROJECT_SOURCE_DIR}
      -DOUTPUT_DIR=${output_dir} -DVERSION=${PROJECT_VERSION}
      -DVERSION_HEADER=${PROJECT_BINARY_DIR}/include/velloran/version.h
      -P ${PROJECT_SOURCE_DIR}/cmake/run_doxygen.cmake PARENT_SCOPE)
endfunction()

if(VELLORAN_DOXYGEN AND Python3_Interpreter_FOUND)
  velloran_doxygen_command(docs_cmd ${VELLORAN_DOCS_DIR})
  add_custom_target(docs COMMAND ${docs_cmd} VERBATIM USES_TERMINAL)
  if(VELLORAN_BUILD_TESTS)
    velloran_doxygen_command(check_cmd ${CMAKE_BINARY_DIR}/docs-check)
    add_test(NAME docs.reference COMMAND ${check_cmd})
    add_test(NAME docs.planted COMMAND bash ${PROJECT_SOURCE_DIR}/tests/docs/check_docs_test.sh
             ${CMAKE_COMMAND} ${VELLORAN_DOXYGEN} ${Python3_EXECUTABLE})
  endif()
else()
  add_custom_target(docs COMMAND ${CMAKE_COMMAND} -E echo "doxygen or python3 is missing (scripts/bootstrap installs both)"
                         COMMAND ${CMAKE_COMMAND} -E false)
endif()
