# Makes the release package from the built programs (cmake -P, from the release_package target).
# In: NAME, OUT_DIR, OBJCOPY, PLUGIN, CHECKER, CHECKER_HOST, SOURCE_DIR.
cmake_minimum_required(VERSION 3.25)

# The plug-in's size limit: the package refuses a larger one rather than ship it.
set(max_plugin_bytes 1048576)

set(stage_root "${OUT_DIR}/stage")
set(stage "${stage_root}/${NAME}")
file(REMOVE_RECURSE "${stage_root}")
file(REMOVE "${OUT_DIR}/${NAME}.zip" "${OUT_DIR}/kzqvl_view.dll.debug")
file(MAKE_DIRECTORY "${stage}/tools")

function(run)
    execute_process(COMMAND ${ARGN} COMMAND_ERROR_IS_FATAL ANY)
endfunction()

# The plug-in without its symbols; they go to a file beside the package that a debugger finds
# through the link kept in the DLL.
set(symbols "${OUT_DIR}/kzqvl_view.dll.debug")
run("${OBJCOPY}" --only-keep-debug "${PLUGIN}" "${symbols}")
run("${OBJCOPY}" --strip-all "--add-gnu-debuglink=${symbols}" "${PLUGIN}" "${stage}/kzqvl_view.dll")
file(SIZE "${stage}/kzqvl_view.dll" plugin_bytes)
if(plugin_bytes GREATER_EQUAL max_plugin_bytes)
    message(FATAL_ERROR "kzqvl_view.dll is ${plugin_bytes} bytes, not below ${max_plugin_bytes}")
endif()

# The checker, with the simulated host it builds sample rows on.
run("${OBJCOPY}" --strip-all "${CHECKER}" "${stage}/tools/qvl_check.exe")
get_filename_component(checker_host_name "${CHECKER_HOST}" NAME)
run("${OBJCOPY}" --strip-all "${CHECKER_HOST}" "${stage}/tools/${checker_host_name}")

file(COPY "${SOURCE_DIR}/package/sample/korveltand" DESTINATION "${stage}")
file(COPY "${SOURCE_DIR}/docs/deploying.md" DESTINATION "${stage}")

run("${CMAKE_COMMAND}" -E chdir "${stage_root}"
    "${CMAKE_COMMAND}" -E tar cf "${OUT_DIR}/${NAME}.zip" --format=zip "${NAME}")
message(STATUS "Release package: ${OUT_DIR}/${NAME}.zip (kzqvl_view.dll ${plugin_bytes} bytes); "
               "its symbols: ${symbols}")
