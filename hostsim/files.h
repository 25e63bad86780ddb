// File checks on the machine the simulated host runs on.
#pragma once

#include <string>

namespace hostsim {

// Whether a file (type 0) or any file-system entry exists at a path that may
// use back-slashes.
bool fileExists(const std::string& path, int type);

} // namespace hostsim
