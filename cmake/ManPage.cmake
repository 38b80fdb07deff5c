# Makes an installed manual page from its template (run with cmake -P):
#   TEMPLATE  the page in UTF-8, with @PROJECT_VERSION@, @HUESPAN_RELEASE_DATE@ and, for a page of
#             a command-line program, @CLI_OPTIONS@
#   PROGRAM   optional: the built program whose --help gives the OPTIONS section
#   FORMATTER the awk script that turns --help into man page paragraphs (with PROGRAM)
#   OUTPUT    the page; OUTPUT.gz is written beside it, compressed as Debian installs pages
# Japanese text becomes groff's \[uXXXX] escapes, so the page reads the same in any locale.
foreach(variable TEMPLATE OUTPUT PROJECT_VERSION HUESPAN_RELEASE_DATE)
    if(NOT DEFINED ${variable})
        message(FATAL_ERROR "ManPage.cmake: ${variable} is not set")
    endif()
endforeach()

set(CLI_OPTIONS "")
if(DEFINED PROGRAM)
    # A sanitized build's leak check cannot run inside every build environment and is of no use here.
    set(ENV{ASAN_OPTIONS} "detect_leaks=0")
    set(help "${OUTPUT}.help")
    execute_process(COMMAND "${PROGRAM}" --help OUTPUT_FILE "${help}" RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${PROGRAM} --help failed: ${status}")
    endif()
    execute_process(COMMAND awk -f "${FORMATTER}" INPUT_FILE "${help}"
        OUTPUT_VARIABLE CLI_OPTIONS RESULT_VARIABLE status)
    if(NOT status EQUAL 0 OR CLI_OPTIONS STREQUAL "")
        message(FATAL_ERROR "no options found in the output of ${PROGRAM} --help")
    endif()
    string(STRIP "${CLI_OPTIONS}" CLI_OPTIONS)
    file(REMOVE "${help}")
endif()

configure_file("${TEMPLATE}" "${OUTPUT}.utf8" @ONLY)
execute_process(COMMAND preconv -r -e UTF-8 "${OUTPUT}.utf8" OUTPUT_FILE "${OUTPUT}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "preconv failed on ${OUTPUT}.utf8")
endif()
file(REMOVE "${OUTPUT}.utf8")
execute_process(COMMAND gzip -9 -n -c "${OUTPUT}" OUTPUT_FILE "${OUTPUT}.gz" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "gzip failed on ${OUTPUT}")
endif()
