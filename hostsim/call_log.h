// The record of host calls and the faults to inject into them.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hostsim {

struct Call {
    // The operation's name: a string literal of the simulator, so that
    // recording a call allocates only its arguments.
    const char* operation;
    std::string arguments;
};

struct Fault {
    std::string operation;
    int onCall = 0; // 0: every call; n: only the n-th call after the fault was set
    int code = 0;
    int callsSeen = 0;
};

class CallLog {
  public:
    void record(const char* operation, std::string arguments);
    const std::vector<Call>& calls() const { return calls_; }
    int count(const std::string& operation) const;
    void clear() { calls_.clear(); }

    void addFault(const std::string& operation, int onCall, int code);
    void clearFaults() { faults_.clear(); }
    const std::vector<Fault>& faults() const { return faults_; }
    // Counts the call against the operation's faults; the code of the first
    // fault that fires, if any.
    std::optional<int> injected(std::string_view operation);

  private:
    std::vector<Call> calls_;
    std::vector<Fault> faults_;
};

} // namespace hostsim
