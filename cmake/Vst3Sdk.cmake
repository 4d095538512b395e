# Builds the VST3 SDK sources the module needs into one static library, `vst3sdk`, straight from
# the SDK folder (never copied into this repository). The SDK classes that Debian's subset lacks
# come from compat/vst3sdk, under the SDK's own include paths; compat/vst3sdk adds them to this
# library, or the full SDK's own files where it has them.

set(_sdk "${QUORVANE_VST3_SDK_DIR}")
if(NOT EXISTS "${_sdk}/pluginterfaces/base/funknown.h" OR NOT EXISTS "${_sdk}/public.sdk/source/vst/vstcomponent.cpp")
  message(FATAL_ERROR
    "VST3 SDK not found at '${_sdk}'.\n"
    "Install Debian's package 'juce-modules-source-data' (apt-get install juce-modules-source-data), "
    "or point QUORVANE_VST3_SDK_DIR at a full VST3 SDK.")
endif()

set(_sdk_sources
  base/source/baseiids.cpp
  base/source/fbuffer.cpp
  base/source/fdebug.cpp
  base/source/fobject.cpp
  base/source/fstreamer.cpp
  base/source/fstring.cpp
  base/source/updatehandler.cpp
  base/thread/source/flock.cpp
  pluginterfaces/base/conststringtable.cpp
  pluginterfaces/base/coreiids.cpp
  pluginterfaces/base/funknown.cpp
  pluginterfaces/base/ustring.cpp
  public.sdk/source/common/memorystream.cpp
  public.sdk/source/common/pluginview.cpp
  public.sdk/source/vst/vstbus.cpp
  public.sdk/source/vst/vstcomponent.cpp
  public.sdk/source/vst/vstcomponentbase.cpp
  public.sdk/source/vst/vsteditcontroller.cpp
  public.sdk/source/vst/vstinitiids.cpp
  public.sdk/source/vst/vstparameters.cpp
  public.sdk/source/vst/vstpresetfile.cpp
  public.sdk/source/vst/hosting/hostclasses.cpp
  public.sdk/source/vst/hosting/pluginterfacesupport.cpp
)
list(TRANSFORM _sdk_sources PREPEND "${_sdk}/")

add_library(vst3sdk STATIC ${_sdk_sources})
# The SDK first: where it has a header of its own, a stand-in's copy in compat never shadows it.
target_include_directories(vst3sdk SYSTEM PUBLIC "${_sdk}" "${PROJECT_SOURCE_DIR}/compat/vst3sdk")
target_compile_definitions(vst3sdk PUBLIC $<IF:$<CONFIG:Debug>,DEVELOPMENT=1,RELEASE=1>)
# Third-party code: its warnings are not ours to fix. (The stand-ins compiled into the same library are
# ours, and keep them.)
set_source_files_properties(${_sdk_sources} PROPERTIES COMPILE_OPTIONS -w)
if(WIN32)
  # The SDK's Windows code calls COM (ole32) for new class identifiers; GCC ignores its `#pragma comment(lib)`.
  target_link_libraries(vst3sdk PUBLIC ole32)
else()
  target_link_libraries(vst3sdk PUBLIC pthread dl)
endif()
