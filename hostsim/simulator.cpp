#include "hostsim/simulator.h"

#include "hostsim/hostsim_control.h"

#include <algorithm>
#include <cstdio>

namespace hostsim {

Simulator& simulator() {
    static Simulator instance;
    return instance;
}

void Simulator::replaceSession(Session fresh) {
    session = std::move(fresh);
    log.clear();
    messages.clear();
    help = HelpState{};
    sessionDepth = 0;
    strayTerminates = 0;
    unterminatedPartNames = false;
    extraChildren.clear();
    heap.clearMisuses();
}

tag_t* Simulator::tagArray(const std::vector<tag_t>& tags, HeapFamily family) {
    if (tags.empty())
        return nullptr;
    auto* array = static_cast<tag_t*>(heap.allocate(tags.size() * sizeof(tag_t), family));
    std::copy(tags.begin(), tags.end(), array);
    return array;
}

Part* Simulator::workPrototype() {
    if (Part* part = session.loadedPart(session.workPart))
        return part;
    if (Occurrence* occurrence = session.liveOccurrence(session.workPart))
        return session.loadedPart(occurrence->prototype);
    return nullptr;
}

void Simulator::appendArgument(std::string& text, const char* value) {
    separate(text);
    if (!value) {
        text += "null";
        return;
    }
    text += '"';
    text += value;
    text += '"';
}

void Simulator::appendArgument(std::string& text, double value) {
    separate(text);
    char number[32];
    // "%g" is never longer than the buffer.
    static_cast<void>(std::snprintf(number, sizeof number, "%g", value));
    text += number;
}

namespace {
thread_local int t_hostCallDepth = 0;
} // namespace

HostCallScope::HostCallScope() {
    ++t_hostCallDepth;
}

HostCallScope::~HostCallScope() {
    --t_hostCallDepth;
}

} // namespace hostsim

int HOSTSIM_host_call_depth(void) {
    return hostsim::t_hostCallDepth;
}
