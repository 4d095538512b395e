# cmake -DCHECK=defaults|release -DSOURCE_DIR=... -DTOOLCHAIN_FILE=... -DWORK_DIR=... -DGENERATOR=...
#       [-DOBJDUMP=... -DJOBS=... -DDEBUG_MODULE=...] -P CheckWindowsBuild.cmake
#
# defaults: the Windows build configured as the toolchain file's own comment says, with nothing else on the
#   command line, must succeed (there is no Google Benchmark for Windows here) and give the module, quorvane.exe
#   and the tests, without benchmarks.
# release: a Release build of the module alone must ship without debug sections, while DEBUG_MODULE (a
#   RelWithDebInfo module) keeps them.

cmake_minimum_required(VERSION 3.25)

function(configure_into dir)
  file(REMOVE_RECURSE "${dir}")
  # The file API's answer names the targets the configuration made.
  file(WRITE "${dir}/.cmake/api/v1/query/codemodel-v2" "")
  execute_process(
    COMMAND "${CMAKE_COMMAND}" -S "${SOURCE_DIR}" -B "${dir}" -G "${GENERATOR}"
      "-DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN_FILE}" ${ARGN}
    RESULT_VARIABLE _result OUTPUT_VARIABLE _output ERROR_VARIABLE _output)
  if(NOT _result EQUAL 0)
    message(FATAL_ERROR "configuring with '-DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN_FILE} ${ARGN}' failed:\n${_output}")
  endif()
  set(configure_output "${_output}" PARENT_SCOPE)
endfunction()

function(configured_targets dir out)
  file(GLOB _index "${dir}/.cmake/api/v1/reply/index-*.json")
  file(READ "${_index}" _json)
  string(JSON _codemodel_file GET "${_json}" reply codemodel-v2 jsonFile)
  file(READ "${dir}/.cmake/api/v1/reply/${_codemodel_file}" _json)
  string(JSON _count LENGTH "${_json}" configurations 0 targets)
  math(EXPR _last "${_count} - 1")
  set(_names "")
  foreach(_index RANGE ${_last})
    string(JSON _name GET "${_json}" configurations 0 targets ${_index} name)
    list(APPEND _names "${_name}")
  endforeach()
  set(${out} "${_names}" PARENT_SCOPE)
endfunction()

# The names of a binary's sections, as objdump -h lists them.
function(sections binary out)
  execute_process(COMMAND "${OBJDUMP}" -h "${binary}" RESULT_VARIABLE _result OUTPUT_VARIABLE _listing
    ERROR_VARIABLE _listing)
  if(NOT _result EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} -h ${binary} failed:\n${_listing}")
  endif()
  string(REGEX MATCHALL "\n *[0-9]+ +[^ \n]+" _rows "${_listing}")
  set(_names "")
  foreach(_row ${_rows})
    string(REGEX REPLACE "^\n *[0-9]+ +" "" _name "${_row}")
    list(APPEND _names "${_name}")
  endforeach()
  set(${out} "${_names}" PARENT_SCOPE)
endfunction()

if(CHECK STREQUAL "defaults")
  set(_build "${WORK_DIR}/defaults")
  configure_into("${_build}")
  file(STRINGS "${_build}/CMakeCache.txt" _bench REGEX "^QUORVANE_BUILD_BENCH:")
  if(NOT _bench STREQUAL "QUORVANE_BUILD_BENCH:BOOL=OFF")
    message(SEND_ERROR "benchmarks should default to off in a cross build, the cache has '${_bench}'")
  endif()
  if(NOT configure_output MATCHES "Benchmarks off: ")
    message(SEND_ERROR "the configure output does not say the benchmarks are off:\n${configure_output}")
  endif()
  configured_targets("${_build}" _targets)
  foreach(_wanted Quorvane quorvane windows_module_tests processor_tests)
    if(NOT _wanted IN_LIST _targets)
      message(SEND_ERROR "the default configuration lacks the target ${_wanted}")
    endif()
  endforeach()
  foreach(_unwanted envelope_bench module_load_bench)
    if(_unwanted IN_LIST _targets)
      message(SEND_ERROR "the default configuration has the benchmark ${_unwanted}")
    endif()
  endforeach()
elseif(CHECK STREQUAL "release")
  set(_build "${WORK_DIR}/release")
  configure_into("${_build}" -DCMAKE_BUILD_TYPE=Release -DQUORVANE_BUILD_TESTS=OFF)
  execute_process(COMMAND "${CMAKE_COMMAND}" --build "${_build}" --target Quorvane --parallel ${JOBS}
    RESULT_VARIABLE _result OUTPUT_VARIABLE _output ERROR_VARIABLE _output)
  if(NOT _result EQUAL 0)
    message(FATAL_ERROR "building the Release module failed:\n${_output}")
  endif()
  set(_module "${_build}/Quorvane.vst3/Contents/x86_64-win/Quorvane.vst3")
  sections("${_module}" _released)
  message("Release module: ${_released}")
  if(NOT ".text" IN_LIST _released)
    message(FATAL_ERROR "no sections read from ${_module}")
  endif()
  list(FILTER _released INCLUDE REGEX "^\\.debug")
  if(_released)
    message(SEND_ERROR "the Release module carries debug sections: ${_released}")
  endif()
  if(DEBUG_MODULE)
    sections("${DEBUG_MODULE}" _kept)
    if(NOT ".debug_info" IN_LIST _kept)
      message(SEND_ERROR "${DEBUG_MODULE}, built with debug information, lost it: ${_kept}")
    endif()
  endif()
else()
  message(FATAL_ERROR "CHECK must be defaults or release, not '${CHECK}'")
endif()
