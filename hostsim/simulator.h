// The one simulated host of the process: its session and what it records.
#pragma once

#include "hostsim/call_log.h"
#include "hostsim/host_heap.h"
#include "hostsim/hostsim_control.h"
#include "hostsim/session.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace hostsim {

struct HelpState {
    std::vector<std::string> loadedMaps;
    std::vector<std::string> contexts;
};

class Simulator {
  public:
    Session session;
    HostHeap heap;
    CallLog log;
    std::vector<std::string> messages;
    HelpState help;
    // Registered object classes, id = position + 1. Like the host's, they
    // outlive a change of session.
    std::vector<std::string> classes;
    int sessionDepth = 0;    // UF_initialize calls not yet terminated
    int strayTerminates = 0; // UF_terminate calls with no session open
    // HOSTSIM_unterminated_part_names and HOSTSIM_add_occurrence_child; both
    // end with the session.
    bool unterminatedPartNames = false;
    std::map<tag_t, std::vector<tag_t>> extraChildren;
    HOSTSIM_message_handler messageHandler = nullptr;
    void* messageContext = nullptr;

    // Records the call and tells whether a fault fires for it.
    template <typename... Args>
    std::optional<int> enter(const char* operation, const Args&... arguments) {
        std::string text;
        if (log.keepsEntries())
            (appendArgument(text, arguments), ...);
        log.record(operation, std::move(text));
        return log.injected(operation);
    }

    // The tags as a host array for the given release call; null when empty.
    tag_t* tagArray(const std::vector<tag_t>& tags, HeapFamily family);
    // The work part as a part: the prototype when the work part is an occurrence.
    Part* workPrototype();

    // Replaces the session; the records start afresh, faults are kept.
    void replaceSession(Session fresh);

  private:
    static void separate(std::string& text) {
        if (!text.empty())
            text += ", ";
    }
    static void appendArgument(std::string& text, const char* value);
    static void appendArgument(std::string& text, const std::string& value) {
        appendArgument(text, value.c_str());
    }
    static void appendArgument(std::string& text, double value);
    template <typename Integer> static void appendArgument(std::string& text, Integer value) {
        separate(text);
        text += std::to_string(value);
    }
};

Simulator& simulator();

// Marks the thread as inside a host call while it lives, so that a test
// that fails the plug-in's allocations leaves the host's own alone.
class HostCallScope {
  public:
    HostCallScope();
    ~HostCallScope();
    HostCallScope(const HostCallScope&) = delete;
    HostCallScope& operator=(const HostCallScope&) = delete;
};

} // namespace hostsim
