# The stand-ins in this folder, each at the path the full VST3 SDK gives the file it stands in for.
# Where QUORVANE_VST3_SDK_DIR holds the real file, the build compiles that instead, file by file.
# A new stand-in joins by being listed here (its header sits beside it at the SDK's include path).

# Compiled into the `vst3sdk` library.
set(QUORVANE_VST3_STANDINS
  public.sdk/source/common/commoniids.cpp
  public.sdk/source/main/moduleinit.cpp
  public.sdk/source/main/pluginfactory.cpp
  public.sdk/source/vst/vstaudioeffect.cpp
  public.sdk/source/vst/hosting/parameterchanges.cpp
)

# The module entry points: linked into the module itself (target `vst3sdk_main`), so they are exported
# from it. Windows hosts enter a module through the SDK's Windows module main, Linux hosts through its Linux one.
if(WIN32)
  set(QUORVANE_VST3_ENTRY_STANDIN public.sdk/source/main/dllmain.cpp)
else()
  set(QUORVANE_VST3_ENTRY_STANDIN public.sdk/source/main/linuxmain.cpp)
endif()

# Sets `out` to the SDK's copy of `file` where the SDK has one, else to the stand-in, and `from_sdk` to
# whether it is the SDK's.
function(quorvane_vst3_source file out from_sdk)
  if(EXISTS "${QUORVANE_VST3_SDK_DIR}/${file}")
    set(${out} "${QUORVANE_VST3_SDK_DIR}/${file}" PARENT_SCOPE)
    set(${from_sdk} TRUE PARENT_SCOPE)
  else()
    set(${out} "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/${file}" PARENT_SCOPE)
    set(${from_sdk} FALSE PARENT_SCOPE)
  endif()
endfunction()
