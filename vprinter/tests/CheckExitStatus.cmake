# Runs PROGRAM with ARGS and fails unless it ends with EXPECT_EXIT.
set(arguments ${ARGS})
execute_process(COMMAND ${PROGRAM} ${arguments} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL EXPECT_EXIT)
  message(FATAL_ERROR "exit ${status}, expected ${EXPECT_EXIT}\n${out}\n${err}")
endif()
