// qvl_check: reads a view configuration file as the View Manager does, says
// what it will make of it, and, given a session of the simulated host, which
// rows it would show.
#include "tools/qvl_check/check_report.h"
#include "tools/qvl_check/dom_thread.h"

#include <cstring>
#include <iostream>

namespace {

constexpr char kUsage[] = "usage: qvl_check [--json] CONFIGURATION.xml [SESSION.json]\n"
                          "exit status: 0 sound, 1 warnings, 2 refused, 3 not checked\n";

struct Arguments {
    bool json = false;
    std::string config;
    std::string session;
};

bool parse(int argc, char** argv, Arguments& arguments) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--json") == 0) {
            arguments.json = true;
            continue;
        }
        if (argv[i][0] == '-')
            return false;
        if (arguments.config.empty())
            arguments.config = argv[i];
        else if (arguments.session.empty())
            arguments.session = argv[i];
        else
            return false;
    }
    return !arguments.config.empty();
}

} // namespace

int main(int argc, char** argv) {
    Arguments arguments;
    if (!parse(argc, argv, arguments)) {
        std::cerr << kUsage;
        return kCheckNotDone;
    }
    const DomThread domThread;
    if (!domThread.ready()) {
        std::cerr << "qvl_check: COM cannot be initialised\n";
        return kCheckNotDone;
    }
    CheckReport report{arguments.config, CheckConfiguration(arguments.config), arguments.session,
                       std::nullopt};
    if (!arguments.session.empty() && !report.config.refused())
        report.session = CheckSession(arguments.config, arguments.session);
    if (arguments.json)
        WriteJsonReport(std::cout, report);
    else
        WriteTextReport(std::cout, report);
    return ExitStatus(report);
}
