#include "hostsim/files.h"

#include <algorithm>
#include <filesystem>

namespace hostsim {

bool fileExists(const std::string& path, int type) {
    std::string local = path;
#ifndef _WIN32
    // Sessions name files the Windows way; here the separators are slashes.
    std::replace(local.begin(), local.end(), '\\', '/');
#endif
    std::error_code error;
    return type == 0 ? std::filesystem::is_regular_file(local, error)
                     : std::filesystem::exists(local, error);
}

} // namespace hostsim
