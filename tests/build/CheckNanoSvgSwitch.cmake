# Reads the symbols of the two probe objects: the one that sets NANOSVG_IMPLEMENTATION first defines every
# NanoSVG function, the one that sets it late defines none.
#   cmake -DNM=nm -DFIRST=first.o -DLATE=late.o -P CheckNanoSvgSwitch.cmake
set(_functions nsvgParse nsvgParseFromFile nsvgDuplicatePath nsvgDelete)

function(defined_functions object out)
  execute_process(COMMAND "${NM}" --defined-only "${object}" OUTPUT_VARIABLE _symbols RESULT_VARIABLE _result)
  if(NOT _result EQUAL 0)
    message(FATAL_ERROR "${NM} could not read ${object}")
  endif()
  set(_found)
  foreach(_function ${_functions})
    if(_symbols MATCHES " T ${_function}\n")
      list(APPEND _found ${_function})
    endif()
  endforeach()
  set(${out} "${_found}" PARENT_SCOPE)
endfunction()

defined_functions("${FIRST}" _first)
defined_functions("${LATE}" _late)
if(NOT _first STREQUAL "${_functions}")
  message(FATAL_ERROR "the switch set first defines only '${_first}' of '${_functions}'")
endif()
if(_late)
  message(FATAL_ERROR "the switch set after the first inclusion still defines '${_late}'")
endif()
