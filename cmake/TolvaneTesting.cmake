# GoogleTest comes from the distribution's source package and is built with the project, so the
# native and the MinGW builds use the same test framework.
enable_testing()
set(TOLVANE_GOOGLETEST_DIR /usr/src/googletest CACHE PATH "GoogleTest source tree")
if(NOT EXISTS ${TOLVANE_GOOGLETEST_DIR}/CMakeLists.txt)
  message(FATAL_ERROR "GoogleTest sources not found in ${TOLVANE_GOOGLETEST_DIR}; run scripts/install-deps")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${TOLVANE_GOOGLETEST_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

# In the Windows build every test program runs under Wine through this wrapper, which holds the
# project's Wine settings; without Wine the test reports itself skipped instead of failing.
set(TOLVANE_RUN_UNDER_WINE ${CMAKE_SOURCE_DIR}/cmake/run-under-wine)

# No test may hold CI: a stray message box under Wine fails its test after this many seconds.
set(TOLVANE_TEST_TIMEOUT 300)

# The command that runs a program of this build: the program itself, or Wine with it.
function(tolvane_test_command variable program)
  if(CMAKE_CROSSCOMPILING)
    set(${variable} ${TOLVANE_RUN_UNDER_WINE} ${program} PARENT_SCOPE)
  else()
    set(${variable} ${program} PARENT_SCOPE)
  endif()
endfunction()

# tolvane_add_gtest(<name> LABEL unit|integration SOURCES ... LIBRARIES ...)
function(tolvane_add_gtest name)
  cmake_parse_arguments(T "" "LABEL" "SOURCES;LIBRARIES" ${ARGN})
  if(NOT T_LABEL)
    set(T_LABEL unit)
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBRARIES} tolv_test_support GTest::gmock GTest::gtest_main)
  tolvane_warnings(${name})
  add_dependencies(${name} tolvane_parameter_files)
  tolvane_test_command(command $<TARGET_FILE:${name}>)
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME wine.${name} COMMAND ${command})
    set_tests_properties(wine.${name} PROPERTIES LABELS "wine;${T_LABEL}" SKIP_RETURN_CODE 77
      TIMEOUT ${TOLVANE_TEST_TIMEOUT})
  else()
    add_test(NAME ${T_LABEL}.${name} COMMAND ${command})
    set_tests_properties(${T_LABEL}.${name} PROPERTIES LABELS ${T_LABEL} TIMEOUT ${TOLVANE_TEST_TIMEOUT})
  endif()
endfunction()
