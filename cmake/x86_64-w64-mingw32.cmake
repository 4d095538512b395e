# Cross-builds the module for 64-bit Windows with Debian's mingw-w64 toolchain (posix thread model):
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/x86_64-w64-mingw32.cmake
# Tests run under Wine, in a Wine prefix of the build folder's own (cmake/wine-run.sh).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(_triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${_triple}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The compiler's own runtime (libgcc, libstdc++, winpthread) goes inside each binary, so the module and the
# programs need only Windows' system DLLs beside them.
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
# That runtime brings its debug sections along (0.5 MB in the module), and the linker adds a symbol table (1.6 MB):
# the builds meant to carry no debug information link stripped. RelWithDebInfo and Debug keep both.
foreach(_type SHARED MODULE EXE)
  foreach(_config RELEASE MINSIZEREL)
    set(CMAKE_${_type}_LINKER_FLAGS_${_config}_INIT "-s")
  endforeach()
endforeach()

# Programs built here run under Wine when CTest (or CMake's test discovery) starts them.
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/wine-run.sh;${CMAKE_BINARY_DIR}/wine-prefix")
