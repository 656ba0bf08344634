# 32-bit Windows with mingw-w64 (Debian's g++-mingw-w64-i686-posix), as most of the
# CAD releases in use are. Built only: Debian's 32-bit Wine is not installed here.
set(NIMBO_MINGW_TRIPLET i686-w64-mingw32)
set(NIMBO_MINGW_PROCESSOR x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
