# Shared by the two mingw-w64 toolchains: set NIMBO_MINGW_TRIPLET before including.
# The -posix compilers carry winpthreads, which std::thread and std::mutex need. The C++
# run-time is linked statically, so the binaries import Windows' own DLLs only.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${NIMBO_MINGW_PROCESSOR})

set(CMAKE_C_COMPILER ${NIMBO_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${NIMBO_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${NIMBO_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${NIMBO_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++ -static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++ -static")
