# Script mode: install, configure, build and run the consumer.
file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)

function(run)
  execute_process(COMMAND ${ARGV} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "failed: ${ARGV}\n${out}\n${err}")
  endif()
endfunction()

run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
run(${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${WORK_DIR}/build -G ${GENERATOR}
    -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_BUILD_TYPE=Release -DVELLORAN_EXPECTED_VERSION=${VERSION})
run(${CMAKE_COMMAND} --build ${WORK_DIR}/build)
run(${WORK_DIR}/build/consumer)

# The same program through pkg-config.
find_program(PKG_CONFIG pkg-config REQUIRED)
set(ENV{PKG_CONFIG_PATH} ${prefix}/lib/pkgconfig:${prefix}/lib/x86_64-linux-gnu/pkgconfig)
execute_process(COMMAND ${PKG_CONFIG} --cflags --libs velloran RESULT_VARIABLE rc OUTPUT_VARIABLE flags
                OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "pkg-config does not know velloran")
endif()
execute_process(COMMAND ${PKG_CONFIG} --modversion velloran OUTPUT_VARIABLE pcversion
                OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT pcversion STREQUAL VERSION)
  message(FATAL_ERROR "pkg-config says version ${pcversion}, the project is ${VERSION}")
endif()
separate_arguments(flags UNIX_COMMAND "${flags}")
run(c++ ${SOURCE_DIR}/main.cpp ${flags} "-DVELLORAN_EXPECTED_VERSION=\"${VERSION}\"" -o ${WORK_DIR}/consumer-pc)
run(${WORK_DIR}/consumer-pc)

# The quick start, built against the installed package, shows its window
# offscreen and saves an empty drawing.
if(QUICK_START)
  run(${CMAKE_COMMAND} -S ${QUICK_START} -B ${WORK_DIR}/quick_start -G ${GENERATOR}
      -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_BUILD_TYPE=Release)
  run(${CMAKE_COMMAND} --build ${WORK_DIR}/quick_start)
  set(ENV{QT_QPA_PLATFORM} offscreen)
  run(${WORK_DIR}/quick_start/quick_start ${WORK_DIR}/drawing.vld --quit-after 100)
  if(NOT EXISTS ${WORK_DIR}/drawing.vld)
    message(FATAL_ERROR "the installed quick start saved no drawing")
  endif()
endif()
