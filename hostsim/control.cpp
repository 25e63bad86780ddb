// The control interface of the simulated host.
#include "hostsim/hostsim_control.h"
#include "hostsim/session_json.h"
#include "hostsim/simulator.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

using hostsim::simulator;

namespace {

void setError(char* error, size_t size, const std::string& text) {
    if (error && size > 0)
        // Cut to the caller's buffer: a test reading it still sees why.
        static_cast<void>(std::snprintf(error, size, "%s", text.c_str()));
}

int install(const std::string& text, const std::string& source, const std::string& baseDir,
            char* error, size_t errorSize) {
    std::string problem;
    std::optional<hostsim::LoadedSession> loaded =
        hostsim::readSession(text, source, baseDir, &problem);
    if (!loaded) {
        setError(error, errorSize, problem);
        return HOST_ERR_BAD_ARGUMENT;
    }
    auto& s = simulator();
    s.replaceSession(std::move(loaded->session));
    s.log.clearFaults();
    for (const hostsim::Fault& fault : loaded->faults)
        s.log.addFault(fault.operation, fault.onCall, fault.code);
    setError(error, errorSize, "");
    return 0;
}

std::string directoryOf(const std::string& path) {
    size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

const char* entry(const std::vector<std::string>& texts, int index) {
    if (index < 0 || static_cast<size_t>(index) >= texts.size())
        return nullptr;
    return texts[static_cast<size_t>(index)].c_str();
}

} // namespace

extern "C" {

int HOSTSIM_load_session_file(const char* path, char* error, size_t error_size) {
    if (!path) {
        setError(error, error_size, "no session file given");
        return HOST_ERR_BAD_ARGUMENT;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        setError(error, error_size, std::string(path) + ": cannot be read");
        return HOST_ERR_FILE_NOT_FOUND;
    }
    std::ostringstream text;
    text << file.rdbuf();
    return install(text.str(), path, directoryOf(path), error, error_size);
}

int HOSTSIM_load_session_text(const char* json, const char* base_dir, char* error,
                              size_t error_size) {
    if (!json) {
        setError(error, error_size, "no session text given");
        return HOST_ERR_BAD_ARGUMENT;
    }
    return install(json, "session text", base_dir ? base_dir : ".", error, error_size);
}

char* HOSTSIM_state_json(void) {
    std::string text = hostsim::writeState(simulator()).dump(2);
    char* copy = new char[text.size() + 1];
    std::memcpy(copy, text.c_str(), text.size() + 1);
    return copy;
}

void HOSTSIM_free_text(char* text) {
    delete[] text;
}

int HOSTSIM_modify_part(const char* file) {
    hostsim::Part* part = file ? simulator().session.loadedPartByName(file) : nullptr;
    if (!part)
        return HOST_ERR_BAD_ARGUMENT;
    part->modified = true;
    return 0;
}

void HOSTSIM_unterminated_part_names(int on) {
    simulator().unterminatedPartNames = on != 0;
}

int HOSTSIM_add_occurrence_child(tag_t occurrence, tag_t child) {
    hostsim::Session& session = simulator().session;
    if (!session.liveOccurrence(occurrence) || !session.liveOccurrence(child))
        return HOST_ERR_BAD_TAG;
    simulator().extraChildren[occurrence].push_back(child);
    return 0;
}

void HOSTSIM_fail_operation(const char* operation, int on_call, int code) {
    if (operation)
        simulator().log.addFault(operation, on_call, code);
}

void HOSTSIM_clear_faults(void) {
    simulator().log.clearFaults();
}

int HOSTSIM_call_count(const char* operation) {
    return operation ? simulator().log.count(operation) : 0;
}

int HOSTSIM_call_log_size(void) {
    return simulator().log.size();
}

const char* HOSTSIM_called_operation(int index) {
    static std::string name;
    const auto& counts = simulator().log.counts();
    if (index < 0 || static_cast<size_t>(index) >= counts.size())
        return nullptr;
    name = std::next(counts.begin(), index)->first;
    return name.c_str();
}

void HOSTSIM_keep_call_entries(int keep) {
    simulator().log.keepEntries(keep != 0);
}

void HOSTSIM_set_call_cost_ns(long long nanoseconds) {
    simulator().log.setCostPerCall(nanoseconds);
}

const char* HOSTSIM_call_log_entry(int index) {
    // Valid until the next call of this function.
    static std::string text;
    const auto& calls = simulator().log.calls();
    if (index < 0 || static_cast<size_t>(index) >= calls.size())
        return nullptr;
    const hostsim::Call& call = calls[static_cast<size_t>(index)];
    text = std::string(call.operation) + "(" + call.arguments + ")";
    return text.c_str();
}

void HOSTSIM_clear_call_log(void) {
    simulator().log.clear();
}

int HOSTSIM_message_count(void) {
    return static_cast<int>(simulator().messages.size());
}

const char* HOSTSIM_message(int index) {
    return entry(simulator().messages, index);
}

void HOSTSIM_set_message_handler(HOSTSIM_message_handler handler, void* context) {
    simulator().messageHandler = handler;
    simulator().messageContext = context;
}

int HOSTSIM_session_depth(void) {
    return simulator().sessionDepth;
}

tag_t HOSTSIM_display_part(void) {
    return simulator().session.displayPart;
}

int HOSTSIM_display_updates(void) {
    return simulator().session.displayUpdates ? 1 : 0;
}

int HOSTSIM_outstanding_allocations(void) {
    return static_cast<int>(simulator().heap.outstanding());
}

int HOSTSIM_memory_misuse_count(void) {
    return static_cast<int>(simulator().heap.misuses().size());
}

const char* HOSTSIM_memory_misuse(int index) {
    return entry(simulator().heap.misuses(), index);
}

} // extern "C"
