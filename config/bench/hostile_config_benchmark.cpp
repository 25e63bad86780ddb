// Hostile view configurations, and how long reading each takes and how much
// memory it needs.
//
//   hostile_config_benchmark write DIR   writes the files into DIR, one name a line
//   hostile_config_benchmark read FILE   reads FILE and prints one line:
//       <milliseconds> <peak KB> <KB at start> <result> <first message>
//
// One file per process, so that the peak memory is the read's; the 5,000-group
// view of the generated die is among them as the yardstick.
#include "config/bench/bench_process.h"
#include "config/framework_message_recorder.h"
#include "config/tests/hostile_xml.h"
#include "config/view_config_file.h"
#include "model/bench/generated_die.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

namespace {

using namespace hostile_xml;

struct HostileFile {
    const char* name;
    std::function<std::string()> xml;
};

const std::vector<HostileFile>& hostile_files() {
    static const std::vector<HostileFile> files = {
        {"laughs_in_text.xml", BillionLaughs},
        {"entity_2000_in_attribute.xml", [] { return EntityBombInAttribute(2000); }},
        {"entity_20000_in_attribute.xml", [] { return EntityBombInAttribute(20000); }},
        {"million_elements.xml", [] { return Elements(1000000); }},
        {"million_levels.xml", [] { return Nested(1000000); }},
        {"attribute_50mb.xml",
         [] { return "<R Description=\"" + std::string(50u << 20, 'd') + "\"/>"; }},
        {"most_elements.xml", [] { return Elements(50000); }},
        {"deepest.xml", [] { return Nested(10001); }},
        {"largest_attribute.xml",
         [] { return "<R Description=\"" + std::string((8u << 20) - 20, 'd') + "\"/>"; }},
    };
    return files;
}

int write_files(const std::string& directory) {
    std::printf("%s\n", WriteGeneratedDieConfig(directory).c_str());
    for (const HostileFile& file : hostile_files()) {
        const std::string path = directory + "/" + file.name;
        std::ofstream(path, std::ios::binary) << file.xml();
        std::printf("%s\n", path.c_str());
    }
    return 0;
}

const char* result_name(int result) {
    switch (result) {
    case kViewConfigRead:
        return "read";
    case kViewConfigFormatError:
        return "format-error";
    default:
        return "refused";
    }
}

int read_file(const char* path) {
    PrepareReaderThread();
    const size_t atStart = PeakMemoryBytes();
    const auto start = std::chrono::steady_clock::now();
    int result = kViewConfigReported;
    auto end = start;
    size_t peak = 0;
    {
        const ViewConfigFile config(path);
        result = config.Result();
        end = std::chrono::steady_clock::now();
        peak = PeakMemoryBytes();
    }
    const std::vector<std::string>& messages = RecordedFrameworkMessages();
    std::string first =
        messages.empty()
            ? std::string(result == kViewConfigFormatError ? kViewConfigFormatErrorMessage : "")
            : messages.front();
    // The path says nothing a reader of the figures needs.
    const size_t named = first.find(path);
    if (named != std::string::npos)
        first.replace(named, std::strlen(path), "FILE");
    std::printf("%.1f %zu %zu %s %s\n",
                std::chrono::duration<double, std::milli>(end - start).count(), peak / 1024,
                atStart / 1024, result_name(result), first.c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "write") == 0)
        return write_files(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "read") == 0)
        return read_file(argv[2]);
    std::cerr << "usage: hostile_config_benchmark write DIR | read FILE\n";
    return 2;
}
