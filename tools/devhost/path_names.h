// Names in the host's file names.
#pragma once

#include <string>

namespace devhost {

// What follows the last slash or back-slash: a part's file name without its
// folder.
inline std::string LastPathComponent(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace devhost
