# Run after a test program is built: writes the CTest lines that run each of
# its test functions as a test of its own, so that CTest can overlap them,
# and lists their names in `split_tests`.
#   cmake -Dprogram=<test program> -Dname=<test name> -Dout=<file> -P list_functions.cmake
# The program lists its functions itself (Qt Test's -functions), so a new
# function is never left out.
execute_process(COMMAND ${program} -functions
                OUTPUT_VARIABLE listing ERROR_VARIABLE errors RESULT_VARIABLE status)
string(REGEX MATCHALL "[A-Za-z_][A-Za-z0-9_]*\\(\\)" functions "${listing}")
if(NOT status EQUAL 0 OR NOT functions)
  message(FATAL_ERROR "${program} -functions gave no test functions (${status}):\n${listing}${errors}")
endif()
set(lines "set(split_tests)\n")
foreach(function IN LISTS functions)
  string(REPLACE "()" "" function "${function}")
  string(APPEND lines "add_test([=[${name}.${function}]=] [=[${program}]=] [=[${function}]=])\n"
                      "list(APPEND split_tests [=[${name}.${function}]=])\n")
endforeach()
file(WRITE ${out} "${lines}")
