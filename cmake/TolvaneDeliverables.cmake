# File names of the deliverables. The Windows build carries exactly the names the system is known
# by (Tolvane.exe, VexilDrv.dll, Plexer.dll, WirexXP.dll, ...); the native build gives the
# platform's usual form of the same name (libPlexer.so), which platform::LoadLibrary maps to. On
# Windows each deliverable carries a version resource (TolvaneVersionResource.cmake).
include(TolvaneVersionResource)

function(tolvane_deliverable target name)
  get_target_property(kind ${target} TYPE)
  set_target_properties(${target} PROPERTIES OUTPUT_NAME ${name})
  if(WIN32 AND kind STREQUAL "SHARED_LIBRARY")
    set_target_properties(${target} PROPERTIES PREFIX "" SUFFIX ".dll")
  endif()
  tolvane_version_resource(${target} ${name})
endfunction()
