# Fails when a source file includes a folder at or above its own in the layer order.
#   cmake -DSOURCE_DIR=<src> -P check_includes.cmake
# Entries run from the bottom up; folders joined by a comma are siblings, which may not
# include each other. A subfolder listed on its own (replay/sweep) is a layer of its own;
# any other subfolder belongs to its folder's layer.
set(layer_order
    automation host geometry control overlay "measure,sync" shell "standalone,win/com"
    "win/host,win/standins" win/control win/server win replay replay/sweep replay/main)
# Pairs "a:b" of layers where a, although above b, must not include it: the Windows
# build's contracts over COM know nothing of the embedded default.
set(kept_apart "win/host:standalone" "win/control:standalone" "win/control:win/standins"
    "win/server:standalone" "win/server:win/standins")

if(NOT SOURCE_DIR)
  message(FATAL_ERROR "give -DSOURCE_DIR=<folder of the sources>")
endif()

# Rank and name of the layer a path under SOURCE_DIR belongs to; rank -1 when it is in
# no listed folder.
function(layer_of path out_rank out_name)
  set(best_rank -1)
  set(best_name "")
  set(best_length 0)
  set(rank 0)
  foreach(entry ${layer_order})
    string(REPLACE "," ";" siblings "${entry}")
    foreach(folder ${siblings})
      string(LENGTH "${folder}/" length)
      string(SUBSTRING "${path}" 0 ${length} head)
      if(head STREQUAL "${folder}/" AND length GREATER best_length)
        set(best_rank ${rank})
        set(best_name ${folder})
        set(best_length ${length})
      endif()
    endforeach()
    math(EXPR rank "${rank} + 1")
  endforeach()
  set(${out_rank} ${best_rank} PARENT_SCOPE)
  set(${out_name} "${best_name}" PARENT_SCOPE)
endfunction()

get_filename_component(SOURCE_DIR "${SOURCE_DIR}" ABSOLUTE)
file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*.h ${SOURCE_DIR}/*.cpp)
list(SORT sources)
set(faults 0)
foreach(source ${sources})
  layer_of("${source}" own_rank own_name)
  if(own_rank EQUAL -1)
    message("${source}: its folder is not in the layer order")
    math(EXPR faults "${faults} + 1")
    continue()
  endif()
  file(STRINGS ${SOURCE_DIR}/${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"]+\"")
  foreach(line ${includes})
    string(REGEX REPLACE "^[^\"]*\"([^\"]+)\".*$" "\\1" included "${line}")
    layer_of("${included}" rank name)
    if(rank EQUAL -1 OR name STREQUAL own_name)
      continue()
    endif()
    list(FIND kept_apart "${own_name}:${name}" apart)
    if(apart GREATER -1)
      message("${source} includes ${included}: ${own_name}/ is kept apart from ${name}/")
      math(EXPR faults "${faults} + 1")
      continue()
    endif()
    if(rank GREATER own_rank)
      message("${source} includes ${included}: ${name}/ is above ${own_name}/")
      math(EXPR faults "${faults} + 1")
    elseif(rank EQUAL own_rank)
      message("${source} includes ${included}: ${name}/ is a sibling of ${own_name}/")
      math(EXPR faults "${faults} + 1")
    endif()
  endforeach()
endforeach()

list(LENGTH sources checked)
if(faults GREATER 0)
  message(FATAL_ERROR "${faults} include(s) against the layer order")
endif()
message("${checked} files, every include points down the layer order")
