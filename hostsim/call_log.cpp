#include "hostsim/call_log.h"

#include "host/host_types.h"

#include <chrono>

namespace hostsim {

void CallLog::record(const char* operation, std::string arguments) {
    ++counts_[operation];
    ++total_;
    if (keepEntries_)
        calls_.push_back({operation, std::move(arguments)});
    if (costNanoseconds_ > 0) {
        // Busy, as the host's kernel would keep the thread: a sleep would
        // give the time to others and wake up late.
        using Clock = std::chrono::steady_clock;
        const Clock::time_point end = Clock::now() + std::chrono::nanoseconds(costNanoseconds_);
        while (Clock::now() < end) {
        }
    }
}

int CallLog::count(const std::string& operation) const {
    auto found = counts_.find(operation);
    return found == counts_.end() ? 0 : found->second;
}

void CallLog::clear() {
    calls_.clear();
    counts_.clear();
    total_ = 0;
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
