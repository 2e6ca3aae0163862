# Project-wide warning flags; CI turns warnings into errors.
function(orvela_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(ORVELA_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# A library made of every source file in the current folder (new files join without
# editing this list); the remaining arguments are the libraries it builds on.
function(orvela_folder_library name)
  orvela_layer(${name} ${ARGN})
  file(GLOB _cpp CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  file(GLOB _h CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(NOT _cpp)
    # Headers only so far.
    add_library(${name} INTERFACE ${_h})
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARGN})
    return()
  endif()
  add_library(${name} STATIC ${_cpp} ${_h})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARGN})
  orvela_warnings(${name})
endfunction()
