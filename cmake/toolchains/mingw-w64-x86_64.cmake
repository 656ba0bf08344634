# 64-bit Windows with mingw-w64 (Debian's g++-mingw-w64-x86-64-posix). The test
# programs run under wine64 when it is installed.
set(NIMBO_MINGW_TRIPLET x86_64-w64-mingw32)
set(NIMBO_MINGW_PROCESSOR AMD64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)

if(EXISTS /usr/lib/wine/wine64)
  set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
endif()
