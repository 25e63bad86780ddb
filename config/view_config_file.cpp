#include "config/view_config_file.h"

#include <utility>

ViewConfigFile::ViewConfigFile(const char* path) : result_(ReadViewConfig(path, &config_)) {}

ViewConfigFile::~ViewConfigFile() {
    ReleaseViewConfig(&config_);
}

ViewConfigFile::ViewConfigFile(ViewConfigFile&& other) noexcept
    : config_(std::exchange(other.config_, ViewConfig{})),
      result_(std::exchange(other.result_, kViewConfigReported)) {}

ViewConfigFile& ViewConfigFile::operator=(ViewConfigFile&& other) noexcept {
    std::swap(config_, other.config_);
    std::swap(result_, other.result_);
    return *this;
}
