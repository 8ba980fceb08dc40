# Small helpers shared by every part of the tree.

# tv_static_library(NAME [LIBS ...]): a static library of every .cpp in the
# calling folder (not recursing), with the folder as a public include path.
function(tv_static_library name)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT srcs)  # a folder whose first sources are still to come
    set(srcs ${CMAKE_CURRENT_BINARY_DIR}/${name}_empty.cpp)
    file(WRITE ${srcs} "")
  endif()
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  if(ARG_LIBS)
    target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  endif()
endfunction()

# tv_plugin(NAME FOLDER SOURCES ... [LIBS ...] [DEF file]): a plug-in DLL put
# into bin/<FOLDER> (decoder, encoder, DSPs, or a test folder).
function(tv_plugin name)
  cmake_parse_arguments(ARG "" "FOLDER;DEF;OUTPUT_NAME" "SOURCES;LIBS" ${ARGN})
  add_library(${name} SHARED ${ARG_SOURCES} ${ARG_DEF})
  set_target_properties(${name} PROPERTIES PREFIX ""
    RUNTIME_OUTPUT_DIRECTORY ${TV_BIN_DIR}/${ARG_FOLDER}
    LIBRARY_OUTPUT_DIRECTORY ${TV_BIN_DIR}/${ARG_FOLDER}
    # Plug-ins of different kinds may share a file name (WAVE.dll as decoder and encoder).
    ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/lib/${ARG_FOLDER})
  if(ARG_OUTPUT_NAME)
    set_target_properties(${name} PROPERTIES OUTPUT_NAME ${ARG_OUTPUT_NAME})
  endif()
  if(ARG_LIBS)
    target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  endif()
endfunction()
