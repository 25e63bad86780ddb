#include "hostsim/call_log.h"

#include "host/host_types.h"

#include <algorithm>

namespace hostsim {

void CallLog::record(const char* operation, std::string arguments) {
    calls_.push_back({operation, std::move(arguments)});
}

int CallLog::count(const std::string& operation) const {
    return static_cast<int>(std::count_if(calls_.begin(), calls_.end(), [&](const Call& call) {
        return operation == call.operation;
    }));
}

void CallLog::addFault(const std::string& operation, int onCall, int code) {
    // A failure must look like one: code 0 would report success.
    faults_.push_back({operation, onCall, code == 0 ? HOST_ERR_INJECTED : code, 0});
}

std::optional<int> CallLog::injected(std::string_view operation) {
    std::optional<int> code;
    if (faults_.empty())
        return code;
    for (Fault& fault : faults_) {
        if (fault.operation != operation)
            continue;
        ++fault.callsSeen;
        bool fires = fault.onCall == 0 || fault.onCall == fault.callsSeen;
        if (fires && !code)
            code = fault.code;
    }
    return code;
}

} // namespace hostsim
