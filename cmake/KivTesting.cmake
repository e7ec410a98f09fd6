# kiv_add_test(<name> SOURCES <files...> [LIBS <targets...>] [PARTS <part>...])
# One Qt Test executable, registered with ctest, run headless.
# PARTS: a long test runs in parts that ctest runs side by side, each an entry of its own named
# <name>.<part> (each run of signs other than letters and digits made one '-'). A part is a test
# function and, after a colon, the start of the data tags of the rows it runs
# ("everyTextFits:800x600, English"), or the function alone for every row no other part of it
# takes, or "*" (named <name>.others) for the functions no other part names. Nothing is left
# out: a row that no part takes runs in its function's first part, a function that no part
# names in "*" or else in the first part (kivtest::inThisPart, tests/support/test_support.h).
function(kiv_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;PARTS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE kivtestsupport ${T_LIBS} Qt6::Test)
  set(env "QT_QPA_PLATFORM=offscreen"
          "KIV_SOURCE_DIR=${PROJECT_SOURCE_DIR}"
          "KIV_PROGRAM_DIR=${KIV_PROGRAM_DIR}"
          "ASAN_OPTIONS=detect_leaks=0:abort_on_error=1"
          "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
          "LC_ALL=C.UTF-8")
  if(NOT T_PARTS)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" TIMEOUT 300)
    return()
  endif()
  list(JOIN T_PARTS "|" all)
  set(index 0)
  foreach(part IN LISTS T_PARTS)
    if(part STREQUAL "*")
      set(label others)
    else()
      string(REGEX REPLACE "[^A-Za-z0-9]+" "-" label "${part}")
      string(REGEX REPLACE "^-+|-+$" "" label "${label}")
    endif()
    add_test(NAME ${name}.${label} COMMAND ${name})
    set_tests_properties(${name}.${label} PROPERTIES
      ENVIRONMENT "${env};KIV_TEST_PARTS=${all};KIV_TEST_PART=${index}" TIMEOUT 300)
    math(EXPR index "${index} + 1")
  endforeach()
endfunction()
