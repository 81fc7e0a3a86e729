# Runs tolvane-patterns (TOOL: the program, or Wine and the program) with ARGS and checks its exit status and, unless EXPECT_SIZE is -1, the number
# of bytes it wrote to standard output. Refusals must leave standard output empty and say why.
set(output_file ${CMAKE_CURRENT_BINARY_DIR}/tolvane-patterns-${NAME}.bin)
execute_process(COMMAND ${TOOL} ${ARGS}
  OUTPUT_FILE ${output_file}
  ERROR_VARIABLE errors
  RESULT_VARIABLE status)
file(SIZE ${output_file} size)
file(REMOVE ${output_file})
if(status EQUAL 77)
  # run-under-wine found no Wine: CTest counts the test as skipped.
  message(STATUS "SKIPPED: Wine is not installed")
  return()
endif()
if(NOT status STREQUAL EXPECT_EXIT)
  message(FATAL_ERROR "tolvane-patterns ${ARGS}: exit status ${status}, expected ${EXPECT_EXIT}\n${errors}")
endif()
if(NOT EXPECT_SIZE EQUAL -1 AND NOT size EQUAL EXPECT_SIZE)
  message(FATAL_ERROR "tolvane-patterns ${ARGS}: ${size} bytes, expected ${EXPECT_SIZE}\n${errors}")
endif()
if(NOT EXPECT_EXIT EQUAL 0 AND errors STREQUAL "")
  message(FATAL_ERROR "tolvane-patterns ${ARGS}: refused without a message")
endif()
message(STATUS "tolvane-patterns ${ARGS}: exit ${status}, ${size} bytes")
