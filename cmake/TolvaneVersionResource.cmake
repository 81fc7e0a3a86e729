# Version resources of the Windows build. Every executable and DLL we ship carries the product name,
# the version of the project() line (the one place the version is kept) and a description of the
# file, which Windows shows in the file's properties and installers compare.

# What each file is, by its base name. A file not listed is described by its name.
set(TOLVANE_FILE_DESCRIPTIONS
  "Tolvane=Tolvane printer service and adjustment program"
  "TolvPlatform=Tolvane operating-system layer"
  "Plexer=Printer port driver selector"
  "WirexXP=Printer port driver for Windows NT, 2000, XP and later"
  "Wirex98=Printer port driver for Windows 98 and Me"
  "Wirex95=Printer port driver for Windows 95"
  "VexilDrv=Printer device driver library"
  "ChanLink=IEEE 1284.4 channel library"
  "K_QDRM4TA=Printer packet transport library"
  "KCBTRG=Printer packet transport library"
  "Numora=Print job companion library"
  "Kindler=Printer firmware update program"
  "tolvane-cli=Tolvane command line"
  "tolvane-patterns=Tolvane test pattern bytes"
  "tolvane-render=Print data to PNG pages"
  "vprinter=Virtual printers for rehearsal and tests")

# tolvane_version_resource(<target> <file base name>): links a version resource into the target. The
# resource is compiled apart from the target, as the resource compiler takes none of the C++ flags.
function(tolvane_version_resource target name)
  # One per target, whichever of tolvane_deliverable and the packaging list names it first.
  if(NOT WIN32 OR TARGET ${target}_version)
    return()
  endif()
  set(TOLVANE_FILE_DESCRIPTION ${name})
  foreach(entry ${TOLVANE_FILE_DESCRIPTIONS})
    if(entry MATCHES "^${name}=(.*)$")
      set(TOLVANE_FILE_DESCRIPTION "${CMAKE_MATCH_1}")
    endif()
  endforeach()
  get_target_property(kind ${target} TYPE)
  if(kind STREQUAL "EXECUTABLE")
    set(TOLVANE_FILE_TYPE VFT_APP)
  else()
    set(TOLVANE_FILE_TYPE VFT_DLL)
  endif()
  set(TOLVANE_TARGET ${target})
  set(TOLVANE_VERSION_COMMAS "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0")
  # The file name is known only when the build is generated, after every folder has named its files.
  set(source ${CMAKE_BINARY_DIR}/version-resources/${target}.rc)
  configure_file(${CMAKE_SOURCE_DIR}/cmake/TolvaneVersionResource.rc.in ${source}.in @ONLY)
  file(GENERATE OUTPUT ${source} INPUT ${source}.in)
  add_library(${target}_version OBJECT ${source})
  target_sources(${target} PRIVATE $<TARGET_OBJECTS:${target}_version>)
endfunction()
