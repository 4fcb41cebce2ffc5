# Runs velasql check, format and split on SCRIPT and compares each output (stdout and exit
# status) with SCRIPT's .check, .format and .split files beside it.
get_filename_component(dir ${SCRIPT} DIRECTORY)
get_filename_component(base ${SCRIPT} NAME_WE)
foreach(mode check format split)
  set(expected_file ${dir}/${base}.${mode})
  if(NOT EXISTS ${expected_file})
    continue()
  endif()
  execute_process(COMMAND ${VELASQL} ${mode} ${base}.sql WORKING_DIRECTORY ${dir}
    OUTPUT_VARIABLE out RESULT_VARIABLE rc)
  file(READ ${expected_file} expected)
  set(actual "${out}[exit ${rc}]\n")
  if(NOT actual STREQUAL expected)
    message(FATAL_ERROR "velasql ${mode} ${base}.sql differs.\n--- expected\n${expected}--- actual\n${actual}")
  endif()
endforeach()
