# Fails unless the program carries the delay-load failure hook of the selector client: the helper's
# hook variable must be the client's, initialised data ("D"), not the runtime library's empty one,
# which lies in zeroed data ("B") and leaves a function Plexer.dll lacks to end the process.
# cmake -DTOOL=<nm> -DFILE=<program> -P CheckDelayLoadHook.cmake
execute_process(COMMAND ${TOOL} ${FILE} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${TOOL} failed on ${FILE}")
endif()
string(REGEX MATCH "[0-9a-f]+ ([A-Za-z]) __pfnDliFailureHook2\n" row "${dump}")
if(NOT CMAKE_MATCH_1 STREQUAL "D")
  message(FATAL_ERROR "${FILE}: the delay-load failure hook is not linked (__pfnDliFailureHook2: "
                      "\"${CMAKE_MATCH_1}\", expected \"D\")")
endif()
message(STATUS "${FILE}: the delay-load failure hook is linked")
