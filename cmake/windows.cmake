# The Windows build, included by CMakeLists.txt when the toolchain targets Windows
# (cmake/toolchains/mingw-w64-*.cmake), after the portable layers and nimbodock.exe; it
# adds win/. The test programs run under CMAKE_CROSSCOMPILING_EMULATOR (wine64) where
# there is one.
nimbo_layer(win/com LINKS nimbo_automation)
target_link_libraries(nimbo_win_com PUBLIC oleaut32 ole32 uuid)

# The viewer over real COM: win/host/, and the stand-ins (win/standins/) over the embedded
# default.
nimbo_layer(win/host LINKS nimbo_host nimbo_win_com)

# The stand-ins' type library: widl makes the .tlb (a resource of every program that
# links the stand-ins) and the header of its GUIDs from the one IDL. The IDL imports
# come from libwine-dev, stdole2.tlb from Wine.
enable_language(RC)
find_program(NIMBO_WIDL NAMES ${NIMBO_MINGW_TRIPLET}-widl REQUIRED)
set(NIMBO_WIDL_IMPORTS /usr/include/wine/wine/windows CACHE PATH "widl's oaidl.idl and ocidl.idl")
set(NIMBO_STDOLE_DIR /usr/lib/x86_64-linux-gnu/wine/x86_64-windows CACHE PATH "stdole2.tlb")
set(standins_idl ${CMAKE_CURRENT_SOURCE_DIR}/src/win/standins/nimbo_viewer_standin.idl)
set(standins_out ${CMAKE_BINARY_DIR}/standins)
file(MAKE_DIRECTORY ${standins_out})
add_custom_command(
  OUTPUT ${standins_out}/nimbo_viewer_standin.tlb ${standins_out}/nimbo_viewer_standin.h
  COMMAND ${NIMBO_WIDL} -I${NIMBO_WIDL_IMPORTS} -L${NIMBO_STDOLE_DIR} -t
          -o ${standins_out}/nimbo_viewer_standin.tlb ${standins_idl}
  COMMAND ${NIMBO_WIDL} -I${NIMBO_WIDL_IMPORTS} -h
          -o ${standins_out}/nimbo_viewer_standin.h ${standins_idl}
  DEPENDS ${standins_idl}
  COMMENT "widl: the stand-ins' type library")
set(cad_idl ${CMAKE_CURRENT_SOURCE_DIR}/src/win/standins/nimbo_cad_standin.idl)
add_custom_command(
  OUTPUT ${standins_out}/nimbo_cad_standin.tlb ${standins_out}/nimbo_cad_standin.h
  COMMAND ${NIMBO_WIDL} -I${NIMBO_WIDL_IMPORTS} -L${NIMBO_STDOLE_DIR} -t
          -o ${standins_out}/nimbo_cad_standin.tlb ${cad_idl}
  COMMAND ${NIMBO_WIDL} -I${NIMBO_WIDL_IMPORTS} -h
          -o ${standins_out}/nimbo_cad_standin.h ${cad_idl}
  DEPENDS ${cad_idl}
  COMMENT "widl: the CAD stand-in's type library")
add_custom_target(nimbo_standins_typelib
  DEPENDS ${standins_out}/nimbo_viewer_standin.tlb ${standins_out}/nimbo_viewer_standin.h
          ${standins_out}/nimbo_cad_standin.tlb ${standins_out}/nimbo_cad_standin.h)
nimbo_layer(win/standins LINKS nimbo_win_com nimbo_standalone)
add_dependencies(nimbo_win_standins nimbo_standins_typelib)
target_include_directories(nimbo_win_standins PUBLIC ${standins_out})
# A resource in a static library would be dropped by the linker: each program compiles it.
set(standins_rc ${CMAKE_CURRENT_SOURCE_DIR}/src/win/standins/standin_type_library.rc)
set_source_files_properties(${standins_rc} PROPERTIES
  OBJECT_DEPENDS "${standins_out}/nimbo_viewer_standin.tlb;${standins_out}/nimbo_cad_standin.tlb")
target_sources(nimbo_win_standins INTERFACE ${standins_rc})

# The library's type library: widl makes it (embedded as the .ocx's TYPELIB resource 1)
# and the header of its GUIDs from the one IDL, which win/control/ and win/server/ read.
set(server_idl ${CMAKE_CURRENT_SOURCE_DIR}/src/win/server/vesk_nimbo_dock17.idl)
set(server_out ${CMAKE_BINARY_DIR}/server)
file(MAKE_DIRECTORY ${server_out})
add_custom_command(
  OUTPUT ${server_out}/vesk_nimbo_dock17.tlb ${server_out}/vesk_nimbo_dock17.h
  COMMAND ${NIMBO_WIDL} -I${NIMBO_WIDL_IMPORTS} -L${NIMBO_STDOLE_DIR} -t
          -o ${server_out}/vesk_nimbo_dock17.tlb ${server_idl}
  COMMAND ${NIMBO_WIDL} -I${NIMBO_WIDL_IMPORTS} -h -o ${server_out}/vesk_nimbo_dock17.h ${server_idl}
  DEPENDS ${server_idl}
  COMMENT "widl: the library's type library")
add_custom_target(nimbo_server_typelib
  DEPENDS ${server_out}/vesk_nimbo_dock17.tlb ${server_out}/vesk_nimbo_dock17.h)

# The ActiveX control (win/control/): DockControl with its OLE interfaces and its child
# controls, over the core and the contracts over COM. IRetrieveDockableContainer is the
# dock container's interface, declared in its type library (AC_CONT), which is not ours to
# ship: its IID is a setting. The default is a placeholder of ours; set it to the IID in
# the container's type library when building for the real container.
set(NIMBO_RETRIEVE_DOCKABLE_CONTAINER_IID "27c084b0-9530-4b23-a8b0-6a687247c576" CACHE STRING
    "IID of IRetrieveDockableContainer (the dock container's type library AC_CONT)")
string(REGEX REPLACE "[{}-]" "" iid_digits "${NIMBO_RETRIEVE_DOCKABLE_CONTAINER_IID}")
string(LENGTH "${iid_digits}" iid_length)
if(NOT iid_digits MATCHES "^[0-9A-Fa-f]+$" OR NOT iid_length EQUAL 32)
  message(FATAL_ERROR "NIMBO_RETRIEVE_DOCKABLE_CONTAINER_IID is not a GUID: "
                      "${NIMBO_RETRIEVE_DOCKABLE_CONTAINER_IID}")
endif()
# The GUID's fields for dockable_container_iid.h.in: 8, 4 and 4 digits, then eight bytes.
string(SUBSTRING "${iid_digits}" 0 8 iid_1)
string(SUBSTRING "${iid_digits}" 8 4 iid_2)
string(SUBSTRING "${iid_digits}" 12 4 iid_3)
foreach(byte RANGE 0 7)
  math(EXPR offset "16 + 2 * ${byte}")
  math(EXPR field "4 + ${byte}")
  string(SUBSTRING "${iid_digits}" ${offset} 2 iid_${field})
endforeach()
set(control_out ${CMAKE_BINARY_DIR}/control)
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/src/win/control/dockable_container_iid.h.in
               ${control_out}/dockable_container_iid.h @ONLY)
nimbo_layer(win/control LINKS nimbo_shell nimbo_win_host)
target_include_directories(nimbo_win_control PUBLIC ${control_out} ${server_out})
add_dependencies(nimbo_win_control nimbo_server_typelib)
# The in-process server VeskNimboDock17.ocx: win/server/ holds the public classes over COM
# and the registration, win/server/ocx/ the four entry points, which only the .ocx links.
nimbo_layer(win/server LINKS nimbo_win_control)
add_dependencies(nimbo_win_server nimbo_server_typelib)
target_include_directories(nimbo_win_server PUBLIC ${server_out})
set(server_ocx ${CMAKE_CURRENT_SOURCE_DIR}/src/win/server/ocx)
set_source_files_properties(${server_ocx}/server_type_library.rc PROPERTIES
  OBJECT_DEPENDS ${server_out}/vesk_nimbo_dock17.tlb)
add_library(VeskNimboDock17 SHARED ${server_ocx}/entry_points.cpp ${server_ocx}/VeskNimboDock17.def
            ${server_ocx}/server_type_library.rc)
set_target_properties(VeskNimboDock17 PROPERTIES PREFIX "" SUFFIX ".ocx")
target_compile_options(VeskNimboDock17 PRIVATE ${NIMBO_WARNINGS})
target_link_libraries(VeskNimboDock17 PRIVATE nimbo_win_server)

# The palette that hosts a control (win/palette/) and the person at the control's real
# boxes (win/person/): what nimbodock.exe plays a session through the control with.
nimbo_layer(win SUBFOLDERS palette person
            LINKS nimbo_win_control nimbo_win_standins nimbo_standalone)

# nimbodock.exe replays over COM: the replay reaches the stand-ins through the adapters,
# and through the control in its palette when asked to.
target_link_libraries(nimbo_replay PUBLIC nimbo_win_host nimbo_win_standins nimbo_win
                      nimbo_win_server)

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

file(GLOB win_viewer_test_sources CONFIGURE_DEPENDS
     ${CMAKE_CURRENT_SOURCE_DIR}/tests/win/viewer/*.cpp)
list(APPEND win_viewer_test_sources ${CMAKE_CURRENT_SOURCE_DIR}/tests/win/com/com_test_main.cpp)
nimbo_windows_test(win_viewer_tests "${win_viewer_test_sources}" nimbo_win_host
                   nimbo_win_standins gtest gmock)

# The dialogs shown for real: they need a display (tools/windows.sh runs Xvfb).
nimbo_windows_test(win_dialogs_tests "${CMAKE_CURRENT_SOURCE_DIR}/tests/win/dialogs/win32_dialogs_test.cpp;${CMAKE_CURRENT_SOURCE_DIR}/tests/win/com/com_test_main.cpp"
                   nimbo_win_host gtest)

file(GLOB win_host_test_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/win/host/*.cpp)
list(APPEND win_host_test_sources ${CMAKE_CURRENT_SOURCE_DIR}/tests/win/com/com_test_main.cpp)
nimbo_windows_test(win_host_tests "${win_host_test_sources}" nimbo_win_host gtest)

file(GLOB win_cad_test_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/win/cad/*.cpp)
list(APPEND win_cad_test_sources ${CMAKE_CURRENT_SOURCE_DIR}/tests/win/com/com_test_main.cpp)
nimbo_windows_test(win_cad_tests "${win_cad_test_sources}" nimbo_win_standins nimbo_win_host
                   gtest gmock)

# The control in a palette of ours, with a dock container of the tests' own (its type
# library is resource 3 of the program); it needs a display (tools/windows.sh runs Xvfb).
set(container_idl ${CMAKE_CURRENT_SOURCE_DIR}/tests/win/control/dock_container_standin.idl)
set(container_out ${CMAKE_BINARY_DIR}/tests_control)
file(MAKE_DIRECTORY ${container_out})
add_custom_command(
  OUTPUT ${container_out}/dock_container_standin.tlb ${container_out}/dock_container_standin_idl.h
  COMMAND ${NIMBO_WIDL} -I${NIMBO_WIDL_IMPORTS} -L${NIMBO_STDOLE_DIR} -t
          -o ${container_out}/dock_container_standin.tlb ${container_idl}
  COMMAND ${NIMBO_WIDL} -I${NIMBO_WIDL_IMPORTS} -h
          -o ${container_out}/dock_container_standin_idl.h ${container_idl}
  DEPENDS ${container_idl}
  COMMENT "widl: the tests' dock container type library")
set(container_rc ${CMAKE_CURRENT_SOURCE_DIR}/tests/win/control/dock_container_standin.rc)
set_source_files_properties(${container_rc} PROPERTIES
  OBJECT_DEPENDS "${container_out}/dock_container_standin.tlb")
file(GLOB win_control_test_sources CONFIGURE_DEPENDS
     ${CMAKE_CURRENT_SOURCE_DIR}/tests/win/control/*.cpp)
list(APPEND win_control_test_sources ${CMAKE_CURRENT_SOURCE_DIR}/tests/win/com/com_test_main.cpp
     ${container_rc} ${container_out}/dock_container_standin_idl.h)
nimbo_windows_test(win_control_tests "${win_control_test_sources}" nimbo_win
                   nimbo_win_standins gtest)
target_include_directories(win_control_tests PRIVATE ${container_out})
# The server: its type library against the core's member tables, and its objects driven
# through the built .ocx (loaded as a client loads it) with the CAD stand-in's drawing.
file(GLOB win_server_test_sources CONFIGURE_DEPENDS
     ${CMAKE_CURRENT_SOURCE_DIR}/tests/win/server/*.cpp)
list(APPEND win_server_test_sources ${CMAKE_CURRENT_SOURCE_DIR}/tests/win/com/com_test_main.cpp)
nimbo_windows_test(win_server_tests "${win_server_test_sources}" nimbo_win_server
                   nimbo_win_standins gtest gmock)
add_dependencies(win_server_tests VeskNimboDock17)
# regsvr32 and the script host of Wine against the .ocx, in the tests' prefix.
if(CMAKE_CROSSCOMPILING_EMULATOR)
  add_test(NAME win_server_scripts
           COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/tests/win/server/server_scripts.sh
                   $<TARGET_FILE:VeskNimboDock17> ${CMAKE_CURRENT_SOURCE_DIR}/tests/win/server)
endif()
