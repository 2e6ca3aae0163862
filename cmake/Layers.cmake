# The layers of src/: every folder builds one library, and the libraries it links name the
# folders it may include from (and, in turn, what those link). orvela_layer() records that
# map while the folders are configured; orvela_write_layers() writes it for the layering
# check (cmake/CheckLayers.cmake), so the link lines are the one place the layers live.

# `target` is the library of the current folder; ARGN the libraries it links. Links that
# are not folder libraries (Qt, OpenSSL, ...) are ignored here.
function(orvela_layer target)
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR}/src ${CMAKE_CURRENT_SOURCE_DIR})
  set_property(GLOBAL APPEND PROPERTY ORVELA_LAYER_TARGETS ${target})
  set_property(GLOBAL PROPERTY ORVELA_LAYER_FOLDER_${target} ${folder})
  set_property(GLOBAL PROPERTY ORVELA_LAYER_LINKS_${target} ${ARGN})
endfunction()

# Writes one line per folder: "folder: folder folder ...", the folders it links directly.
function(orvela_write_layers file)
  get_property(targets GLOBAL PROPERTY ORVELA_LAYER_TARGETS)
  set(text "")
  foreach(target IN LISTS targets)
    get_property(folder GLOBAL PROPERTY ORVELA_LAYER_FOLDER_${target})
    get_property(links GLOBAL PROPERTY ORVELA_LAYER_LINKS_${target})
    set(uses "")
    foreach(link IN LISTS links)
      get_property(used GLOBAL PROPERTY ORVELA_LAYER_FOLDER_${link})
      if(used)
        list(APPEND uses ${used})
      endif()
    endforeach()
    list(JOIN uses " " uses)
    string(APPEND text "${folder}: ${uses}\n")
  endforeach()
  file(WRITE ${file} "${text}")
endfunction()
