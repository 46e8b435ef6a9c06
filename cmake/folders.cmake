# Every folder is a target that links only what lies below it.

# zd_folder_includes(<target> <folder>...): the target's include directory holds only its own
# folders (as links into the source tree), so "folder/header.h" resolves for the target and
# for whatever links it, and the headers of targets above it cannot be found at all.
function(zd_folder_includes target)
  set(dir ${CMAKE_BINARY_DIR}/include/${target})
  file(MAKE_DIRECTORY ${dir})
  foreach(folder ${ARGN})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${dir}/${folder} SYMBOLIC)
  endforeach()
  target_include_directories(${target} PUBLIC ${dir})
endfunction()

# zd_rule_target(<target> <folder>): a target below the window. No generated form is made for
# it, and the build stops before compiling it when one of its files includes the window's code
# or a form.
function(zd_rule_target target folder)
  zd_folder_includes(${target} ${folder})
  set_target_properties(${target} PROPERTIES AUTOUIC OFF)
  file(GLOB files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.h ${CMAKE_SOURCE_DIR}/${folder}/*.cpp)
  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${target}_layering.checked)
  add_custom_command(
    OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DDIR=${CMAKE_SOURCE_DIR}/${folder} -DSTAMP=${stamp}
            -P ${CMAKE_SOURCE_DIR}/cmake/check_layering.cmake
    DEPENDS ${files} ${CMAKE_SOURCE_DIR}/cmake/check_layering.cmake
    COMMENT "Checking that ${folder}/ includes nothing of the window"
    VERBATIM)
  add_custom_target(${target}_layering DEPENDS ${stamp})
  add_dependencies(${target} ${target}_layering)
endfunction()
