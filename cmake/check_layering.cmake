# cmake -DDIR=<folder> -DSTAMP=<file> -P check_layering.cmake
# Fails when a source of DIR includes the window (app/), a generated form (ui_*.h) or reaches
# out of the include path with "../".
file(GLOB sources ${DIR}/*.h ${DIR}/*.cpp)
get_filename_component(folder ${DIR} NAME)
set(offences "")
foreach(source ${sources})
  file(STRINGS ${source} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<](app/|ui_|\\.\\./)")
  foreach(line ${lines})
    get_filename_component(name ${source} NAME)
    string(APPEND offences "\n  ${name}: ${line}")
  endforeach()
endforeach()
if(offences)
  message(FATAL_ERROR "${folder}/ must not include the window or its forms:${offences}")
endif()
file(WRITE ${STAMP} "")
