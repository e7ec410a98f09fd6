# kiv_add_test(<name> SOURCES <files...> [LIBS <targets...>])
# One Qt Test executable, registered with ctest, run headless.
function(kiv_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE kivtestsupport ${T_LIBS} Qt6::Test)
  add_test(NAME ${name} COMMAND ${name})
  set(env "QT_QPA_PLATFORM=offscreen"
          "KIV_SOURCE_DIR=${PROJECT_SOURCE_DIR}"
          "KIV_PROGRAM_DIR=${KIV_PROGRAM_DIR}"
          "ASAN_OPTIONS=detect_leaks=0:abort_on_error=1"
          "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
          "LC_ALL=C.UTF-8")
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" TIMEOUT 300)
endfunction()
