# Third-party code taken from Debian packages, usable from both the native and the Windows build.

# GoogleTest from the sources in the `googletest` package, built with our compiler (so also for
# mingw). It is added before the warning flags are set, so it keeps its own.
set(VM_GOOGLETEST_DIR /usr/src/googletest CACHE PATH "GoogleTest sources (Debian package googletest)")
if(NOT EXISTS "${VM_GOOGLETEST_DIR}/CMakeLists.txt")
    message(FATAL_ERROR "GoogleTest sources not found in ${VM_GOOGLETEST_DIR}: "
                        "run scripts/install-deps.sh")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory("${VM_GOOGLETEST_DIR}" "${CMAKE_BINARY_DIR}/_deps/googletest" EXCLUDE_FROM_ALL)

# nlohmann-json is header-only. Its headers live in /usr/include, which must not be on the mingw
# include path (glibc headers would shadow mingw's), so a build-tree folder holds only a link to
# the nlohmann directory and serves as the include root for both builds.
set(VM_NLOHMANN_DIR /usr/include/nlohmann CACHE PATH "nlohmann-json headers (nlohmann-json3-dev)")
if(NOT EXISTS "${VM_NLOHMANN_DIR}/json.hpp")
    message(FATAL_ERROR "nlohmann/json.hpp not found in ${VM_NLOHMANN_DIR}: "
                        "run scripts/install-deps.sh")
endif()
set(_vm_nlohmann_root "${CMAKE_BINARY_DIR}/_deps/nlohmann-include")
file(MAKE_DIRECTORY "${_vm_nlohmann_root}")
file(REMOVE "${_vm_nlohmann_root}/nlohmann")
file(CREATE_LINK "${VM_NLOHMANN_DIR}" "${_vm_nlohmann_root}/nlohmann" SYMBOLIC)
add_library(nlohmann_json_headers INTERFACE)
target_include_directories(nlohmann_json_headers SYSTEM INTERFACE "${_vm_nlohmann_root}")
