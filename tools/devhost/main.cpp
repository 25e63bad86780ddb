// The development host: stands in for the CAD host. It loads a session file
// into the simulated host and reports what the session holds.
#include "hostsim/hostsim_control.h"
#include "tools/devhost/session_summary.h"

#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: devhost <session.json>\n";
        return 2;
    }
    char error[1024];
    if (HOSTSIM_load_session_file(argv[1], error, sizeof error) != 0) {
        std::cerr << "devhost: " << error << '\n';
        return 1;
    }
    std::cout << "Session: " << argv[1] << '\n';
    devhost::PrintSessionSummary(std::cout);

    int leaked = HOSTSIM_outstanding_allocations();
    if (leaked != 0 || HOSTSIM_memory_misuse_count() != 0) {
        std::cerr << "devhost: host memory not released properly (" << leaked
                  << " blocks outstanding)\n";
        return 1;
    }
    return 0;
}
