# Script mode: README (the file) must show QUICK_START (the file) verbatim in
# a C++ code block, so the README's program is the one the tests build.
file(READ ${README} readme)
file(READ ${QUICK_START} code)
string(FIND "${readme}" "```cpp\n${code}```\n" at)
if(at EQUAL -1)
  message(FATAL_ERROR "${README} does not show ${QUICK_START} as it is; copy the file into its code block")
endif()
