# Cross-compiles for 64-bit Windows with Debian's mingw-w64 (g++-mingw-w64-x86-64-posix).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(BRIGHTWELL_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${BRIGHTWELL_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${BRIGHTWELL_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${BRIGHTWELL_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${BRIGHTWELL_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The Win32-only test programs link the C++ and threads runtimes in, so they need none of
# mingw's DLLs. Qt and the programs that use it share the runtime DLLs, which travel with them.
if(NOT BRIGHTWELL_MINGW_SHARED_RUNTIME)
  set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
endif()
