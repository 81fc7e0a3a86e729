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

# A test on real windows under Wine takes one of the display slots of ui/tests/run-with-display: a
# private Xvfb with a Wine prefix of its own. The test presets that run them hand CTest the slots
# (cmake/display-slots.json), so it starts no more of them at once than there are; without that file
# the script's own lock on each slot keeps them apart.

# tolvane_display_test_properties(<test> [<seconds>]): the properties of such a test; the seconds it
# takes, when given, start the long ones first, so that they do not end the run alone.
function(tolvane_display_test_properties test)
  set_tests_properties(${test} PROPERTIES LABELS "wine;integration" SKIP_RETURN_CODE 77
    TIMEOUT ${TOLVANE_TEST_TIMEOUT} RESOURCE_GROUPS display:1)
  if(ARGC GREATER 1)
    set_tests_properties(${test} PROPERTIES COST ${ARGV1})
  endif()
endfunction()

# tolvane_add_display_test(<test> <program> [arguments...]): a Windows program of the build on real
# windows under Wine, on the session's display or else a private Xvfb (ui/tests/run-with-display).
function(tolvane_add_display_test test)
  add_test(NAME ${test}
    COMMAND ${CMAKE_SOURCE_DIR}/ui/tests/run-with-display ${TOLVANE_RUN_UNDER_WINE} ${ARGN})
  tolvane_display_test_properties(${test})
endfunction()

# tolvane_add_win32_gtest(<name> SOURCES ... LIBRARIES ...): a GoogleTest program of the Windows
# build that opens real windows (a GUI program with a console for its report), run as a display test.
function(tolvane_add_win32_gtest name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBRARIES} GTest::gtest_main)
  target_link_options(${name} PRIVATE -mwindows -mconsole)
  tolvane_warnings(${name})
  tolvane_add_display_test(wine.${name} $<TARGET_FILE:${name}>)
endfunction()

# tolvane_run_on_real_windows(<name>): the test program's cases that run on every back-end are named
# ".../headless" and ".../win32". In the Windows build its ordinary test leaves the real-window cases
# out, and a test of their own runs them on a display. [<seconds>]: as for
# tolvane_display_test_properties.
function(tolvane_run_on_real_windows name)
  if(CMAKE_CROSSCOMPILING)
    set_property(TEST wine.${name} APPEND PROPERTY ENVIRONMENT "GTEST_FILTER=-*/win32")
    tolvane_add_display_test(wine.${name}.win32 $<TARGET_FILE:${name}> --gtest_filter=*/win32)
    if(ARGC GREATER 1)
      tolvane_display_test_properties(wine.${name}.win32 ${ARGV1})
    endif()
  endif()
endfunction()
