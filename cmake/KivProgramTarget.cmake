# Checks, on a Ninja build tree, what the run command's target kiv_program builds: every file
# the build writes into the program folder (bin/), and of the programs and libraries the build
# links only Kiv_2000, Tivmel and the converter that writes the sample data; no test program and
# no benchmark.
#   cmake -DNINJA=<ninja> -DBUILD_DIR=<build tree> -P KivProgramTarget.cmake
execute_process(COMMAND ${NINJA} -C ${BUILD_DIR} -t targets all
                OUTPUT_VARIABLE targets RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "ninja -t targets failed in ${BUILD_DIR}")
endif()
execute_process(COMMAND ${NINJA} -C ${BUILD_DIR} -t commands kiv_program
                OUTPUT_VARIABLE commands RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "ninja -t commands kiv_program failed in ${BUILD_DIR}")
endif()

string(REPLACE "\n" ";" lines "${targets}")
set(folder_files 0)
set(faults)
set(linked)
foreach(line IN LISTS lines)
  if(NOT line MATCHES "^([^:]+): (.+)$")
    continue()
  endif()
  set(out "${CMAKE_MATCH_1}")
  set(rule "${CMAKE_MATCH_2}")
  string(REGEX REPLACE "([][+.*()^$?|\\\\])" "\\\\\\1" pattern "${out}")
  if(out MATCHES "^bin/[^/]+$")
    math(EXPR folder_files "${folder_files} + 1")
    # Named by the command that writes it: "-o bin/Kiv_2000", ".../build/bin/kiv_vol1.mdb".
    if(NOT commands MATCHES "(^|[ /;=\"])${pattern}([ ;\"\n]|$)")
      list(APPEND faults "the program folder's ${out} is not built")
    endif()
  endif()
  if(rule MATCHES "_(EXECUTABLE|SHARED_LIBRARY|MODULE_LIBRARY)_LINKER_" AND commands MATCHES " -o ${pattern}( |\n|$)")
    list(APPEND linked "${out}")
  endif()
endforeach()

list(SORT linked)
list(JOIN linked ", " linked_text)
set(expected "bin/Kiv_2000, bin/Tivmel, src/platform/db/kiv_csv2db")
if(NOT linked_text STREQUAL expected)
  list(APPEND faults "it links ${linked_text} instead of ${expected}")
endif()
if(folder_files LESS 3)
  list(APPEND faults "the build writes only ${folder_files} files into bin/")
endif()
if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "kiv_program:\n  ${text}")
endif()
message(STATUS "kiv_program builds the ${folder_files} files of the program folder and links ${linked_text}")
