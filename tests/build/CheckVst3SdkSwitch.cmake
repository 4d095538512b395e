# cmake -DSOURCE_DIR=... -DSUBSET_DIR=... -DWORK_DIR=... -DGENERATOR=... -P CheckVst3SdkSwitch.cmake
#
# Configures the project against two made-up SDK folders, each a copy of Debian's subset: one with a
# placeholder at the real path of every stand-in's file (a full SDK), one with only the plug-in factory's.
# In the generated compile commands each unit must come from the SDK where the SDK has it, and from
# compat/vst3sdk where it has not.

cmake_minimum_required(VERSION 3.25)
include("${SOURCE_DIR}/compat/vst3sdk/StandIns.cmake")
set(_units ${QUORVANE_VST3_STANDINS} ${QUORVANE_VST3_ENTRY_STANDIN})

function(check_layout name provided)
  set(_sdk "${WORK_DIR}/${name}/sdk")
  set(_build "${WORK_DIR}/${name}/build")
  file(REMOVE_RECURSE "${WORK_DIR}/${name}")
  file(COPY "${SUBSET_DIR}/" DESTINATION "${_sdk}")
  foreach(_file ${provided})
    file(WRITE "${_sdk}/${_file}" "// placeholder for the SDK's own ${_file}\n")
  endforeach()

  execute_process(
    COMMAND "${CMAKE_COMMAND}" -S "${SOURCE_DIR}" -B "${_build}" -G "${GENERATOR}"
      "-DQUORVANE_VST3_SDK_DIR=${_sdk}" -DQUORVANE_BUILD_TESTS=OFF -DQUORVANE_BUILD_BENCH=OFF
      -DQUORVANE_BUILD_FUZZ=OFF
    RESULT_VARIABLE _result OUTPUT_VARIABLE _output ERROR_VARIABLE _output)
  if(NOT _result EQUAL 0)
    message(SEND_ERROR "${name}: configuring against ${_sdk} failed:\n${_output}")
    return()
  endif()

  file(READ "${_build}/compile_commands.json" _commands)
  string(JSON _count LENGTH "${_commands}")
  math(EXPR _last "${_count} - 1")
  set(_compiled "")
  foreach(_index RANGE ${_last})
    string(JSON _path GET "${_commands}" ${_index} file)
    list(APPEND _compiled "${_path}")
  endforeach()

  foreach(_file ${_units})
    set(_real "${_sdk}/${_file}")
    set(_standin "${SOURCE_DIR}/compat/vst3sdk/${_file}")
    if(_file IN_LIST provided)
      set(_expected "${_real}")
      set(_unexpected "${_standin}")
    else()
      set(_expected "${_standin}")
      set(_unexpected "${_real}")
    endif()
    if(NOT _expected IN_LIST _compiled OR _unexpected IN_LIST _compiled)
      message(SEND_ERROR "${name}: ${_file} should be compiled from ${_expected} alone")
    else()
      message(STATUS "${name}: ${_file} from ${_expected}")
    endif()
  endforeach()
endfunction()

check_layout(full "${_units}")
check_layout(partial "public.sdk/source/main/pluginfactory.cpp")
