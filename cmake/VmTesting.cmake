# Test helpers: GoogleTest executables registered with CTest, run under Wine in the Windows build.

# The fuzz preset's build: vm_add_test declares nothing there, its tests are the fuzz runs.
option(VM_FUZZ "Build only the libFuzzer targets (clang) and run them as the tests" OFF)

# Default per-test time limit, in seconds. A hung Wine or test must not stall a CI run.
set(VM_TEST_TIMEOUT 300 CACHE STRING "Default CTest TIMEOUT for each vm_add_test test")

# vm_host_path(<out-var> <path>)
# Converts an absolute path of this machine into the form the built programs see: unchanged
# natively, and Wine's Z: drive (Z:/work/...) in the Windows build.
function(vm_host_path out path)
    if(WIN32 AND CMAKE_CROSSCOMPILING)
        set(${out} "Z:${path}" PARENT_SCOPE)
    else()
        set(${out} "${path}" PARENT_SCOPE)
    endif()
endfunction()

# vm_add_test(NAME <name> SOURCES <files...> [LIBS <targets...>] [TIMEOUT <seconds>] [DISPLAY])
# Builds a GoogleTest executable (with gtest_main and gmock) and registers it as one CTest test.
# Tests get VM_SOURCE_DIR (repository root) and VM_BINARY_DIR (top of the build tree) as string
# literals, in the path form the test program itself can open.
function(vm_add_test)
    cmake_parse_arguments(PARSE_ARGV 0 ARG "DISPLAY" "NAME;TIMEOUT" "SOURCES;LIBS")
    if(NOT ARG_NAME)
        message(FATAL_ERROR "vm_add_test: NAME is required")
    endif()
    if(NOT ARG_SOURCES)
        message(FATAL_ERROR "vm_add_test(${ARG_NAME}): SOURCES is required")
    endif()
    if(ARG_UNPARSED_ARGUMENTS)
        message(FATAL_ERROR "vm_add_test(${ARG_NAME}): unknown arguments ${ARG_UNPARSED_ARGUMENTS}")
    endif()
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT ${VM_TEST_TIMEOUT})
    endif()
    # The fuzz build has libFuzzer's instrumentation everywhere; its tests are the fuzz runs.
    if(VM_FUZZ)
        return()
    endif()

    add_executable(${ARG_NAME} ${ARG_SOURCES})
    target_link_libraries(${ARG_NAME} PRIVATE ${ARG_LIBS} gmock gtest_main)

    vm_host_path(source_dir "${CMAKE_SOURCE_DIR}")
    vm_host_path(binary_dir "${CMAKE_BINARY_DIR}")
    target_compile_definitions(${ARG_NAME} PRIVATE
        VM_SOURCE_DIR="${source_dir}"
        VM_BINARY_DIR="${binary_dir}")

    add_test(NAME ${ARG_NAME} COMMAND ${ARG_NAME})
    set_tests_properties(${ARG_NAME} PROPERTIES TIMEOUT ${ARG_TIMEOUT})
    if(VM_WINE_TESTS)
        set_tests_properties(${ARG_NAME} PROPERTIES FIXTURES_REQUIRED wine)
    endif()
    # DISPLAY: the test shows windows on the one X display of the run, and may need the focus or
    # the active window: it never runs beside another such test.
    if(VM_WINE_TESTS AND ARG_DISPLAY)
        set_tests_properties(${ARG_NAME} PROPERTIES RESOURCE_LOCK display)
    endif()
endfunction()

# vm_enable_wine_tests()
# In the Windows build, runs test executables under Wine and brackets every test run with one
# Xvfb + wineserver session (the "wine" fixture), so that plain `ctest` works.
macro(vm_enable_wine_tests)
    if(WIN32 AND CMAKE_CROSSCOMPILING)
        find_program(VM_BASH bash REQUIRED)
        set(VM_WINE_TESTS ON)
        set(VM_WINE_ENV_SCRIPT "${CMAKE_SOURCE_DIR}/scripts/wine-env.sh")
        # Must be set before any executable target exists: targets copy it when created.
        set(CMAKE_CROSSCOMPILING_EMULATOR
            "${VM_BASH};${CMAKE_SOURCE_DIR}/scripts/wine-run.sh;${CMAKE_BINARY_DIR}")

        add_test(NAME wine_env_start
            COMMAND ${VM_BASH} ${VM_WINE_ENV_SCRIPT} start ${CMAKE_BINARY_DIR})
        # The first run creates the Wine prefix, which takes a while.
        set_tests_properties(wine_env_start PROPERTIES FIXTURES_SETUP wine TIMEOUT 600)
        add_test(NAME wine_env_stop
            COMMAND ${VM_BASH} ${VM_WINE_ENV_SCRIPT} stop ${CMAKE_BINARY_DIR})
        set_tests_properties(wine_env_stop PROPERTIES FIXTURES_CLEANUP wine TIMEOUT 120)
    else()
        set(VM_WINE_TESTS OFF)
    endif()
endmacro()

# vm_add_benchmark(NAME <name> SOURCES <files...> [LIBS <targets...>])
# Builds a Google Benchmark executable (Debian's libbenchmark-dev), native builds only. Benchmarks
# are run by hand, not by CTest: timings are never asserted. VM_SOURCE_DIR and VM_BINARY_DIR are
# defined as for tests.
function(vm_add_benchmark)
    cmake_parse_arguments(PARSE_ARGV 0 ARG "" "NAME" "SOURCES;LIBS")
    if(NOT ARG_NAME OR NOT ARG_SOURCES)
        message(FATAL_ERROR "vm_add_benchmark: NAME and SOURCES are required")
    endif()
    if(ARG_UNPARSED_ARGUMENTS)
        message(FATAL_ERROR "vm_add_benchmark(${ARG_NAME}): unknown arguments ${ARG_UNPARSED_ARGUMENTS}")
    endif()
    if(CMAKE_CROSSCOMPILING)
        return()
    endif()
    find_package(benchmark REQUIRED)
    add_executable(${ARG_NAME} ${ARG_SOURCES})
    target_link_libraries(${ARG_NAME} PRIVATE ${ARG_LIBS} benchmark::benchmark_main)
    target_compile_definitions(${ARG_NAME} PRIVATE
        VM_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
        VM_BINARY_DIR="${CMAKE_BINARY_DIR}")
endfunction()
