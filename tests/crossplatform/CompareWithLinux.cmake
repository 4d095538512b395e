# Runs the Linux module and the Windows module (under Wine) on the same input, settings and block sizes and
# checks that they agree: the rendered samples bit for bit (SHA-256 of each, 32-bit and 64-bit processing),
# and a .vstpreset written by either side read back on both with every value.

string(REPLACE "|" ";" EMULATOR "${EMULATOR}")
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")

foreach(_program LINUX_PROBE LINUX_CLI)
  if(NOT EXISTS "${${_program}}")
    message(FATAL_ERROR "${${_program}} is missing: build the Linux build first")
  endif()
endforeach()

# Runs a program (with the emulator when `side` is windows) and fails with its messages when it fails.
function(run side)
  if(side STREQUAL "windows")
    set(_command ${EMULATOR} ${ARGN})
  else()
    set(_command ${ARGN})
  endif()
  # Output to files: under Wine a pipe can stay open after the program ends.
  execute_process(COMMAND ${_command} RESULT_VARIABLE _result
    OUTPUT_FILE "${WORK_DIR}/last-output.txt" ERROR_FILE "${WORK_DIR}/last-errors.txt")
  if(NOT _result EQUAL 0)
    file(READ "${WORK_DIR}/last-errors.txt" _errors)
    message(FATAL_ERROR "${side}: '${ARGN}' failed (${_result}):\n${_errors}")
  endif()
endfunction()

set(_failed FALSE)

# Renders: 32-bit in blocks of 512, 64-bit in blocks of 333 (blocks that do not divide the beat).
foreach(_case "32;512" "64;333")
  list(GET _case 0 _bits)
  list(GET _case 1 _block)
  run(linux "${LINUX_PROBE}" render "${LINUX_BUNDLE}" ${_bits} ${_block} "${WORK_DIR}/linux-${_bits}.raw")
  run(windows "${WINDOWS_PROBE}" render "${WINDOWS_BUNDLE}" ${_bits} ${_block} "${WORK_DIR}/windows-${_bits}.raw")
  file(SIZE "${WORK_DIR}/linux-${_bits}.raw" _size)
  file(SHA256 "${WORK_DIR}/linux-${_bits}.raw" _linux)
  file(SHA256 "${WORK_DIR}/windows-${_bits}.raw" _windows)
  message("${_bits}-bit render, blocks of ${_block}, ${_size} bytes:\n"
          "  Linux   SHA-256 ${_linux}\n  Windows SHA-256 ${_windows}")
  if(NOT _linux STREQUAL _windows OR _size EQUAL 0)
    message(SEND_ERROR "the ${_bits}-bit renders differ")
  endif()
endforeach()

# Presets: each side saves the same settings; each side reads both files.
set(_settings --set "Note Sync=1/16" --set "Mix=30" --set "Duration=0.25" --set "Offset=-0.5" --set "Bypass=1")
set(_expected "Note Sync = 1/16" "Mix = 30" "Duration = 0.25" "Offset = -0.50" "Bypass = On")
run(linux "${LINUX_CLI}" preset save "${WORK_DIR}/linux.vstpreset" ${_settings} --bundle "${LINUX_BUNDLE}")
run(windows "${WINDOWS_CLI}" preset save "${WORK_DIR}/windows.vstpreset" ${_settings} --bundle "${WINDOWS_BUNDLE}")
set(_reference "")
foreach(_writer linux windows)
  foreach(_reader linux windows)
    string(TOUPPER "${_reader}" _READER)
    set(_out "${WORK_DIR}/${_writer}-preset-read-on-${_reader}.txt")
    run(${_reader} "${${_READER}_PROBE}" preset "${${_READER}_BUNDLE}" "${WORK_DIR}/${_writer}.vstpreset" "${_out}")
    file(READ "${_out}" _values)
    foreach(_value ${_expected})
      string(FIND "${_values}" "${_value}" _at)
      if(_at EQUAL -1)
        message(SEND_ERROR "the ${_writer} preset read on ${_reader} lacks '${_value}':\n${_values}")
      endif()
    endforeach()
    if(_reference STREQUAL "")
      set(_reference "${_values}")
      message("Preset values, as read back on each side:\n${_values}")
    elseif(NOT _values STREQUAL _reference)
      message(SEND_ERROR "the ${_writer} preset read on ${_reader} differs:\n${_values}\nfrom:\n${_reference}")
    endif()
  endforeach()
endforeach()
