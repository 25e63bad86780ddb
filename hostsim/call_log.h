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
    // Counts the call and, while entries are kept, keeps it with its
    // arguments; then spends the cost per call, if any.
    void record(const char* operation, std::string arguments);
    const std::vector<Call>& calls() const { return calls_; }
    int count(const std::string& operation) const;
    // Every call counted since the last clear, kept or not.
    int size() const { return total_; }
    // The operations called since the last clear, by name, with their counts.
    const std::map<std::string, int>& counts() const { return counts_; }
    void clear();
    // A benchmark of millions of calls counts them only; tests keep them.
    void keepEntries(bool keep) { keepEntries_ = keep; }
    bool keepsEntries() const { return keepEntries_; }
    // The time a real host would spend in each call, spent busy; 0: none.
    void setCostPerCall(long long nanoseconds) { costNanoseconds_ = nanoseconds; }

    void addFault(const std::string& operation, int onCall, int code);
    void clearFaults() { faults_.clear(); }
    const std::vector<Fault>& faults() const { return faults_; }
    // Counts the call against the operation's faults; the code of the first
    // fault that fires, if any.
    std::optional<int> injected(std::string_view operation);

  private:
    std::vector<Call> calls_;
    std::map<std::string, int> counts_;
    int total_ = 0;
    bool keepEntries_ = true;
    long long costNanoseconds_ = 0;
    std::vector<Fault> faults_;
};

} // namespace hostsim
