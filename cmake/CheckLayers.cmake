# The layering check: every #include "folder/..." in the sources under ROOT must name the
# file's own folder or one its folder links, directly or through the folders below. An
# include that points up a layer, or across to a sibling window folder, fails the check.
#
#   cmake -DROOT=<src folder> -DLAYERS=<layers file> -P CheckLayers.cmake
#
# LAYERS holds one line per folder, "folder: used folders" (see cmake/Layers.cmake).
cmake_minimum_required(VERSION 3.25)
if(NOT ROOT OR NOT LAYERS)
  message(FATAL_ERROR "usage: cmake -DROOT=<src> -DLAYERS=<file> -P CheckLayers.cmake")
endif()

file(STRINGS ${LAYERS} lines)
set(folders "")
foreach(line IN LISTS lines)
  if(line MATCHES "^([^:]+):(.*)$")
    set(folder ${CMAKE_MATCH_1})
    string(STRIP "${CMAKE_MATCH_2}" uses)
    string(REPLACE " " ";" uses "${uses}")
    list(APPEND folders ${folder})
    set(uses_${folder} ${uses})
  endif()
endforeach()

# What each folder may include: itself and everything it reaches through its links.
foreach(folder IN LISTS folders)
  set(reach ${folder})
  set(pending ${uses_${folder}})
  while(pending)
    list(POP_FRONT pending next)
    if(NOT next IN_LIST reach)
      list(APPEND reach ${next})
      list(APPEND pending ${uses_${next}})
    endif()
  endwhile()
  set(reach_${folder} ${reach})
endforeach()

# The folder a path belongs to: the longest known folder it lies in ("reports/engine/x.h"
# is the engine's, "reports/x.h" the reports tab's).
function(folder_of path out)
  set(best "")
  foreach(folder IN LISTS folders)
    string(LENGTH "${folder}" n)
    string(LENGTH "${best}" b)
    string(FIND "${path}" "${folder}/" at)
    if(at EQUAL 0 AND n GREATER b)
      set(best ${folder})
    endif()
  endforeach()
  set(${out} "${best}" PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE sources RELATIVE ${ROOT} ${ROOT}/*.h ${ROOT}/*.cpp)
list(SORT sources)
set(faults "")
foreach(source IN LISTS sources)
  folder_of("${source}" own)
  # A program's entry point stands above its folder's libraries: it links whatever its
  # program links (orvela-wp-cli's main.cpp also the PDF writer in cli/pdf).
  if(NOT own OR source MATCHES "(^|/)main\\.cpp$")
    continue()
  endif()
  file(STRINGS ${ROOT}/${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]+\"")
  foreach(line IN LISTS includes)
    if(NOT line MATCHES "\"([^\"]+)\"")
      continue()
    endif()
    set(included ${CMAKE_MATCH_1})
    folder_of("${included}" target)
    if(target AND NOT target IN_LIST reach_${own})
      list(APPEND faults "${source} includes ${included}: ${own}/ does not build on ${target}/")
    endif()
  endforeach()
endforeach()

list(LENGTH faults count)
if(count GREATER 0)
  foreach(fault IN LISTS faults)
    message(NOTICE "${fault}")
  endforeach()
  message(FATAL_ERROR "${count} include(s) against the layers")
endif()
list(LENGTH sources checked)
message(STATUS "layers kept in ${checked} files")
