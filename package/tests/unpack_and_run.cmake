# Makes the release package with the release command, unpacks it into an empty folder, checks what
# it holds, and starts the View Manager from it: the development host loads the packaged plug-in
# over the demo session, whose product directory is the package's sample. The View Manager must
# open with no message, with the rows the packaged checker predicts.
# In: SOURCE_DIR, TEST_DIR, WINDOWS_BINARY_DIR, VERSION, DEVHOST, WINDRES, OBJDUMP, BASH.
cmake_minimum_required(VERSION 3.25)

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "failed (${rc}): ${ARGN}")
    endif()
endfunction()

# A path as the Windows programs see it under Wine.
function(windows_path out path)
    string(REPLACE "/" "\\" path "${path}")
    set(${out} "Z:${path}" PARENT_SCOPE)
endfunction()

# Runs a Windows program under Wine; its standard output goes to out.
function(run_windows out)
    execute_process(COMMAND "${BASH}" "${SOURCE_DIR}/scripts/wine-run.sh" "${WINDOWS_BINARY_DIR}"
                            ${ARGN}
                    RESULT_VARIABLE rc OUTPUT_VARIABLE output)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "failed (${rc}): ${ARGN}\n${output}")
    endif()
    set(${out} "${output}" PARENT_SCOPE)
endfunction()

function(expect_equal what expected actual)
    if(NOT "${expected}" STREQUAL "${actual}")
        message(FATAL_ERROR "${what}: expected '${expected}', got '${actual}'")
    endif()
endfunction()

# 1. The release command, as the README gives it.
run("${CMAKE_COMMAND}" -E chdir "${SOURCE_DIR}" "${CMAKE_COMMAND}" --workflow --preset release)
set(name "view-manager-${VERSION}")
set(zip "${SOURCE_DIR}/build/release/dist/${name}.zip")
if(NOT EXISTS "${zip}" OR NOT EXISTS "${SOURCE_DIR}/build/release/dist/kzqvl_view.dll.debug")
    message(FATAL_ERROR "the release command made no ${zip} with the plug-in's symbols beside it")
endif()

# 2. Unpacked into an empty folder, it holds what an administrator needs and nothing else.
file(REMOVE_RECURSE "${TEST_DIR}")
file(MAKE_DIRECTORY "${TEST_DIR}")
run("${CMAKE_COMMAND}" -E chdir "${TEST_DIR}" "${CMAKE_COMMAND}" -E tar xf "${zip}")
set(package "${TEST_DIR}/${name}")
file(GLOB_RECURSE contents LIST_DIRECTORIES false RELATIVE "${package}" "${package}/*")
list(SORT contents)
expect_equal("package contents"
    "deploying.md;korveltand/application/qvl_help.tbl;korveltand/configuration/xml_files/qvl_view.xml;kzqvl_view.dll;tools/libhostsim.dll;tools/qvl_check.exe"
    "${contents}")

# 3. The plug-in: below 1 MB, with its version in its version resource.
file(SIZE "${package}/kzqvl_view.dll" plugin_bytes)
if(plugin_bytes GREATER_EQUAL 1048576)
    message(FATAL_ERROR "kzqvl_view.dll is ${plugin_bytes} bytes")
endif()
execute_process(COMMAND "${WINDRES}" -i "${package}/kzqvl_view.dll" -O rc
                OUTPUT_VARIABLE resources COMMAND_ERROR_IS_FATAL ANY)
foreach(value "\"ProductName\", \"View Manager\"" "\"FileVersion\", \"${VERSION}\""
              "\"ProductVersion\", \"${VERSION}\"")
    string(FIND "${resources}" "VALUE ${value}" found)
    if(found EQUAL -1)
        message(FATAL_ERROR "the version resource lacks ${value}:\n${resources}")
    endif()
endforeach()

# 4. Loaded anywhere in the host's address space and never run from its data: the packaged DLL's
# header asks for randomised high addresses and non-executable data, and its functions check the
# stack guard (seen in the symbols beside the package).
execute_process(COMMAND "${OBJDUMP}" -p "${package}/kzqvl_view.dll"
                OUTPUT_VARIABLE header COMMAND_ERROR_IS_FATAL ANY)
foreach(flag HIGH_ENTROPY_VA DYNAMIC_BASE NX_COMPAT)
    if(NOT header MATCHES "DllCharacteristics[^\n]*\n([ \t]+[A-Z_]+\n)*[ \t]+${flag}\n")
        message(FATAL_ERROR "kzqvl_view.dll does not ask for ${flag}:\n${header}")
    endif()
endforeach()
execute_process(COMMAND "${OBJDUMP}" -t "${SOURCE_DIR}/build/release/dist/kzqvl_view.dll.debug"
                OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
if(NOT symbols MATCHES "__stack_chk_fail")
    message(FATAL_ERROR "kzqvl_view.dll checks no stack guard")
endif()

# 5. The demo session with the package's sample as the product directory.
file(READ "${SOURCE_DIR}/demo/session.json" session)
windows_path(product "${package}/korveltand")
string(REPLACE "\\" "\\\\" product_json "${product}")
string(JSON session SET "${session}" environment KORVELTAND_DIR "\"${product_json}\"")
string(JSON session REMOVE "${session}" environment KZII_BASE_DIR)
file(WRITE "${TEST_DIR}/session.json" "${session}")
windows_path(session_path "${TEST_DIR}/session.json")

# 6. The packaged checker finds the sample sound and says which rows the demo die gives.
windows_path(sample "${package}/korveltand/configuration/xml_files/qvl_view.xml")
windows_path(checker "${package}/tools/qvl_check.exe")
run_windows(report "${checker}" --json "${sample}" "${session_path}")
string(JSON result GET "${report}" result)
expect_equal("checker result" "sound" "${result}")
string(JSON predicted_rows LENGTH "${report}" session rows)

# 7. The View Manager started from the package: no message, the predicted rows.
windows_path(plugin "${package}/kzqvl_view.dll")
windows_path(dump "${TEST_DIR}/dump.json")
run_windows(ignored "${DEVHOST}" --plugin "${plugin}" --session "${session_path}" --auto
            --dump-json "${dump}")
file(READ "${TEST_DIR}/dump.json" dump_json)
string(JSON messages LENGTH "${dump_json}" messages)
expect_equal("messages shown" 0 "${messages}")
string(JSON visible GET "${dump_json}" viewManager visible)
expect_equal("View Manager shown" ON "${visible}")
string(JSON items GET "${dump_json}" viewManager itemCount)
expect_equal("rows of the View Manager" "${predicted_rows}" "${items}")
message(STATUS "release package ${name}: ${plugin_bytes}-byte plug-in, ${items} rows, no message")
