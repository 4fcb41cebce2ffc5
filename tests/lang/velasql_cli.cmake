# velasql's command line: standard input, several files, unreadable files and bad usage.
set(golden ${CMAKE_CURRENT_LIST_DIR}/golden)

function(expect what actual expected)
  if(NOT "${actual}" STREQUAL "${expected}")
    message(FATAL_ERROR "${what}: expected [${expected}], got [${actual}]")
  endif()
endfunction()

execute_process(COMMAND ${VELASQL} check - INPUT_FILE ${golden}/queries.sql OUTPUT_VARIABLE out RESULT_VARIABLE rc)
expect("stdin" "${out}${rc}" "ok: 5 statements\n0")

execute_process(COMMAND ${VELASQL} check queries.sql changes.sql WORKING_DIRECTORY ${golden}
  OUTPUT_VARIABLE out RESULT_VARIABLE rc)
expect("two files" "${out}${rc}" "queries.sql: ok: 5 statements\nchanges.sql: ok: 8 statements\n0")

execute_process(COMMAND ${VELASQL} check queries.sql broken.sql WORKING_DIRECTORY ${golden}
  OUTPUT_VARIABLE out RESULT_VARIABLE rc)
expect("one bad file" "${rc}" "1")

execute_process(COMMAND ${VELASQL} check queries.sql no-such-file.sql WORKING_DIRECTORY ${golden}
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
expect("unreadable file" "${rc}" "2")
if(NOT err MATCHES "cannot read no-such-file.sql")
  message(FATAL_ERROR "unreadable file: no message, got [${err}]")
endif()

execute_process(COMMAND ${VELASQL} format a.sql b.sql OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
expect("usage" "${rc}" "2")
execute_process(COMMAND ${VELASQL} OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
expect("no arguments" "${rc}" "2")

# A string may hold a NUL byte: split writes the statement whole, not cut at the NUL.
execute_process(COMMAND sh -c "printf 'select \"a\\000b\" from t\\n' | \"$1\" split - | wc -c"
  sh ${VELASQL} OUTPUT_VARIABLE out RESULT_VARIABLE rc)
string(STRIP "${out}" out)
expect("NUL in a string" "${out}${rc}" "200")
