# One static library per folder, each linking only the folders below it. The build refuses an
# include of a folder that a layer may not use: a check runs whenever one of the layer's files
# changes, before the layer compiles.
#
#   pelmora_layer(<folder> [CHECK_ONLY] [DEPENDS <folder>...] [SYSTEM_LIBS <lib>...])
# CHECK_ONLY checks the includes but makes no library (the entry point's folder).
function(pelmora_layer folder)
  cmake_parse_arguments(LAYER "CHECK_ONLY" "" "DEPENDS;SYSTEM_LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.cpp)
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.h)
  set(target pelmora_${folder})
  set(stamp ${CMAKE_BINARY_DIR}/layers/${folder}.checked)
  # Lists travel with "|" between items: a ";" would split the command's arguments.
  string(REPLACE ";" "|" allowed "${folder};${LAYER_DEPENDS}")
  string(REPLACE ";" "|" files "${sources};${headers}")
  add_custom_command(
    OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DLAYER=${folder} -DALLOWED=${allowed} -DFILES=${files}
            -DSTAMP=${stamp} -P ${CMAKE_SOURCE_DIR}/cmake/check_layer.cmake
    DEPENDS ${sources} ${headers} ${CMAKE_SOURCE_DIR}/cmake/check_layer.cmake
    COMMENT "Checking the includes of ${folder}/" VERBATIM)
  add_custom_target(${target}_includes DEPENDS ${stamp})
  if(LAYER_CHECK_ONLY)
    return()
  endif()
  set(deps)
  foreach(d ${LAYER_DEPENDS})
    list(APPEND deps pelmora_${d})
  endforeach()
  if(sources)
    add_library(${target} STATIC ${sources} ${headers})
    target_link_libraries(${target} PUBLIC ${deps} ${LAYER_SYSTEM_LIBS})
    target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR})
    target_compile_options(${target} PRIVATE ${PELMORA_PROGRAM_OPTIONS})
  else()
    add_library(${target} INTERFACE)
    target_link_libraries(${target} INTERFACE ${deps} ${LAYER_SYSTEM_LIBS})
    target_include_directories(${target} INTERFACE ${CMAKE_SOURCE_DIR})
  endif()
  add_dependencies(${target} ${target}_includes)
endfunction()
