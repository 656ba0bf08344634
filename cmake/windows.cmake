# The Windows build, included by CMakeLists.txt when the toolchain targets Windows
# (cmake/toolchains/mingw-w64-*.cmake), after the portable layers and nimbodock.exe; it
# adds win/. The test programs run under CMAKE_CROSSCOMPILING_EMULATOR (wine64) where
# there is one.
nimbo_layer(win/com LINKS nimbo_automation)
target_link_libraries(nimbo_win_com PUBLIC oleaut32 ole32 uuid)

if(NOT NIMBO_TESTS)
  return()
endif()
enable_testing()

# Debian ships GoogleTest as sources; they are built here with the cross compiler.
set(NIMBO_GTEST_SOURCES /usr/src/googletest CACHE PATH "GoogleTest's sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(${NIMBO_GTEST_SOURCES} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

# The portable layers' own tests show that the core behaves the same on Windows; the
# win/ tests bring their own main, which starts COM.
function(nimbo_windows_test name sources)
  add_executable(${name} ${sources})
  target_compile_options(${name} PRIVATE ${NIMBO_WARNINGS})
  target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARGN})
  target_compile_definitions(${name} PRIVATE NIMBO_SOURCE_DIR="${CMAKE_CURRENT_SOURCE_DIR}"
                             NIMBO_BINARY_DIR="${CMAKE_BINARY_DIR}")
  if(CMAKE_CROSSCOMPILING_EMULATOR)
    add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  endif()
endfunction()

# The portable layers' test programs, linked as on Linux. Three test files are left out:
# they provoke their failures with POSIX alone (a file size limit, fork and wait, an SVG
# checked by a Linux program through popen); tools/compare-windows.sh replays every
# session through nimbodock.exe instead.
set(NIMBO_POSIX_ONLY_TESTS
    ${CMAKE_CURRENT_SOURCE_DIR}/tests/replay/replay_command_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/tests/replay/replay_picture_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/tests/replay/streamed_transcript_test.cpp)
foreach(layer automation host geometry control overlay measure sync shell standalone replay
        reliability)
  file(GLOB test_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/${layer}/*.cpp)
  list(REMOVE_ITEM test_sources ${NIMBO_POSIX_ONLY_TESTS})
  set(under_test nimbo_${layer})
  if(layer MATCHES "^(geometry|control|overlay|measure|sync)$")
    list(APPEND under_test nimbo_shell)
  elseif(layer STREQUAL "reliability")
    set(under_test nimbo_replay_sweep)
  endif()
  if(test_sources)
    nimbo_windows_test(${layer}_tests "${test_sources}" ${under_test} nimbo_standalone gtest gmock
                       gtest_main)
  endif()
endforeach()

file(GLOB win_com_test_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/win/com/*.cpp)
nimbo_windows_test(win_com_tests "${win_com_test_sources}" nimbo_win_com gtest gmock)
