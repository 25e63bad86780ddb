# Runs one libFuzzer target for a bounded number of inputs, starting from the
# committed corpus. New inputs go to a fresh folder of the build tree, so every
# run does the same amount of work and the source tree is never written.
# Called by CTest with FUZZER, WORK_DIR, CORPUS_DIR, DICTIONARY and RUNS.
foreach(variable FUZZER WORK_DIR CORPUS_DIR DICTIONARY RUNS)
    if(NOT DEFINED ${variable})
        message(FATAL_ERROR "run_fuzzer.cmake: ${variable} is not set")
    endif()
endforeach()

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}/generated" "${WORK_DIR}/artifacts")

# -timeout: seconds one input may take before it counts as a hang.
execute_process(
    COMMAND "${FUZZER}" -runs=${RUNS} -timeout=10 -seed=1 -print_final_stats=1
            "-dict=${DICTIONARY}" "-artifact_prefix=${WORK_DIR}/artifacts/"
            "${WORK_DIR}/generated" "${CORPUS_DIR}"
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${FUZZER} failed (${result}); the input is in ${WORK_DIR}/artifacts")
endif()
