// Feeds arbitrary bytes to the view configuration reader as its file. Every
// read must end in one of the documented results: a record whose entries hold
// together, or a released record (with a message for the user when the
// reader says it told them).
#include "config/framework_message_recorder.h"
#include "config/view_config_file.h"

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <unordered_map>

namespace {

// One file per fuzzing process, rewritten for every input.
const std::string& input_path() {
    static const std::string path =
        (std::filesystem::temp_directory_path() /
         ("view_config_fuzz_" + std::to_string(static_cast<long>(getpid())) + ".xml"))
            .string();
    return path;
}

void remove_input() {
    std::remove(input_path().c_str());
}

void write_input(const uint8_t* data, size_t size) {
    FILE* file = std::fopen(input_path().c_str(), "wb");
    if (!file || std::fwrite(data, 1, size, file) != size || std::fclose(file) != 0) {
        std::perror(input_path().c_str());
        std::abort();
    }
}

bool is_text(const char* text) {
    return text && std::memchr(text, '\0', kViewConfigTextSize) != nullptr;
}

// Entry 0 is the root; every other entry's parent came before it and is the
// first entry of its tag. Key values have lost their line feeds.
bool holds_together(const ViewConfig& config) {
    if (config.entryCount < 1 || config.parentIndex[0] != -1)
        return false;
    std::unordered_map<std::string, int32_t> firstOfTag;
    for (int32_t i = 0; i < config.entryCount; ++i) {
        const int32_t parent = config.parentIndex[i];
        if (config.entryIndex[i] != i || (i > 0 && (parent < 0 || parent >= i)) ||
            (config.hasSubGroups[i] != 0 && config.hasSubGroups[i] != 1) ||
            !is_text(config.groupName[i]) || !is_text(config.customName[i]) ||
            !is_text(config.keyValue[i]) || std::strchr(config.keyValue[i], '\n'))
            return false;
        if (i > 0 && firstOfTag.at(config.groupName[parent]) != parent)
            return false;
        firstOfTag.emplace(config.groupName[i], i);
    }
    return true;
}

bool is_released(const ViewConfig& config) {
    return config.entryCount == 0 && !config.entryIndex && !config.hasSubGroups &&
           !config.parentIndex && !config.groupName && !config.customName && !config.keyValue;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::atexit(remove_input);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    write_input(data, size);
    ClearRecordedFrameworkMessages();
    const ViewConfigFile file(input_path().c_str());
    const ViewConfig& config = file.Get();
    switch (file.Result()) {
    case kViewConfigRead:
        if (!holds_together(config))
            std::abort();
        break;
    case kViewConfigReported:
        if (!is_released(config) || RecordedFrameworkMessages().empty())
            std::abort();
        break;
    case kViewConfigFormatError:
        if (!is_released(config))
            std::abort();
        break;
    default:
        std::abort();
    }
    return 0;
}
