// A view configuration read from its file and owned: the record is released
// however its owner goes.
#pragma once

#include "config/view_config.h"

class ViewConfigFile {
  public:
    // Reads the file at path (see ReadViewConfig).
    explicit ViewConfigFile(const char* path);
    ~ViewConfigFile();
    ViewConfigFile(ViewConfigFile&& other) noexcept;
    ViewConfigFile& operator=(ViewConfigFile&& other) noexcept;
    ViewConfigFile(const ViewConfigFile&) = delete;
    ViewConfigFile& operator=(const ViewConfigFile&) = delete;

    // ReadViewConfig's result; the record holds entries only when it is
    // kViewConfigRead.
    int Result() const { return result_; }
    const ViewConfig& Get() const { return config_; }

  private:
    ViewConfig config_{};
    int result_ = kViewConfigReported;
};

// Reads the file at path to check it, telling the user of a file of the
// wrong form ("file format error!"); true when it reads.
bool CheckViewConfigFile(const char* path);
