# cmake -DZORVELDECK=<binary> -P no_display.cmake
# The command line runs with no display and no platform plugin named: --help lists every
# subcommand and option and exits 0; list ends with its exit status (3 when no keypad is
# plugged in) and no window system message.
function(zd_run out_var rc_var)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM
            ${ZORVELDECK} ${ARGN}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 20)
  if(err MATCHES "qt\\.qpa|platform plugin")
    message(FATAL_ERROR "zorveldeck ${ARGN} touched the window system:\n${err}")
  endif()
  set(${out_var} "${out}${err}" PARENT_SCOPE)
  set(${rc_var} "${rc}" PARENT_SCOPE)
endfunction()

zd_run(help rc --help)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "zorveldeck --help exited with ${rc}:\n${help}")
endif()
foreach(text "zorveldeck list" "zorveldeck export FILE" "zorveldeck apply [--force] FILE" "--version"
             "standard input" "Exit status" "6  file error")
  string(FIND "${help}" "${text}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "zorveldeck --help does not mention \"${text}\":\n${help}")
  endif()
endforeach()

# A keypad plugged into the machine that runs the tests lists (0) or is denied (4).
zd_run(list rc list)
if(NOT ((rc EQUAL 3 AND list MATCHES "no keypad found") OR ((rc EQUAL 0 OR rc EQUAL 4) AND list MATCHES "USB")))
  message(FATAL_ERROR "zorveldeck list exited with ${rc}:\n${list}")
endif()

# Options after the subcommand stay with the command line: a missing file is a file error (6).
zd_run(apply rc apply --force ${CMAKE_CURRENT_LIST_DIR}/no-such-layout.json)
if(NOT rc EQUAL 6)
  message(FATAL_ERROR "zorveldeck apply --force exited with ${rc}:\n${apply}")
endif()
