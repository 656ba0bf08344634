# The header-only libraries of the Windows build: Debian's own headers, the same files the
# Linux build uses, offered to the cross compiler through a folder of links so that the
# rest of /usr/include (the Linux C library's) stays out of its way.
set(nimbo_headers ${CMAKE_BINARY_DIR}/debian-headers)
file(MAKE_DIRECTORY ${nimbo_headers})
foreach(folder nlohmann CLI boost)
  if(NOT EXISTS /usr/include/${folder})
    message(FATAL_ERROR "/usr/include/${folder} is missing: run tools/windows.sh, which installs it")
  endif()
  file(CREATE_LINK /usr/include/${folder} ${nimbo_headers}/${folder} SYMBOLIC)
endforeach()

foreach(library nlohmann_json::nlohmann_json CLI11::CLI11 Boost::headers)
  add_library(${library} INTERFACE IMPORTED)
  set_target_properties(${library} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${nimbo_headers}
                        INTERFACE_SYSTEM_INCLUDE_DIRECTORIES ${nimbo_headers})
endforeach()
