#include "host/host_part.h"
#include "hostsim/session_json.h"
#include "hostsim/simulator.h"

using nlohmann::json;

namespace hostsim {

namespace {

json defaultValue(const DefaultValue& value) {
    return std::visit([](const auto& v) { return json(v); }, value);
}

json partJson(const Part& part) {
    json out = {{"file", part.fileName},
                {"loaded", part.loaded},
                {"modified", part.modified},
                {"units", part.units == HOST_UNITS_ENGLISH ? "english" : "metric"},
                {"frozen", part.frozen},
                {"delayed", part.delayed},
                {"color", part.color}};
    out["attributes"] = json::array();
    for (const Attribute& attribute : part.attributes)
        out["attributes"].push_back({{"title", attribute.title}, {"value", attribute.value}});
    out["components"] = json::array();
    for (const Instance& instance : part.components) {
        json component = {{"part", instance.childFile},
                          {"suppressed", instance.suppressed},
                          {"blanked", instance.blanked}};
        if (instance.color != 0)
            component["color"] = instance.color;
        out["components"].push_back(component);
    }
    out["objects"] = json::array();
    for (const UserObject& object : part.objects) {
        out["objects"].push_back({{"class", object.className},
                                  {"integers", object.integers},
                                  {"strings", object.strings}});
    }
    return out;
}

// Where an occurrence sits: its root part's file and the component positions.
json occurrencePlace(Session& session, const Occurrence& occurrence) {
    json path = json::array();
    for (tag_t instance : occurrence.instancePath)
        path.push_back(session.instanceByTag(instance).position);
    return {{"root", session.partByTag(occurrence.rootPart)->fileName}, {"path", path}};
}

// The display part's root occurrence and every occurrence below it.
std::vector<tag_t> occurrencesOnDisplay(Session& session, const Part& display) {
    std::vector<tag_t> shown = {session.rootOccurrence(display.tag)};
    const std::vector<tag_t>& below = session.occurrencesBelow(display.tag);
    shown.insert(shown.end(), below.begin(), below.end());
    return shown;
}

// What a session file cannot say of the occurrences on display, in the
// order of the session's "occurrences": the tag and whether the
// occurrence's own instance is suppressed.
json occurrenceRuntime(Session& session) {
    json out = json::array();
    const Part* display = session.loadedPart(session.displayPart);
    if (!display)
        return out;
    for (tag_t tag : occurrencesOnDisplay(session, *display)) {
        const Occurrence& occurrence = *session.liveOccurrence(tag);
        const bool suppressed =
            !occurrence.instancePath.empty() &&
            session.instanceByTag(occurrence.instancePath.back()).instance->suppressed;
        out.push_back({{"tag", tag}, {"suppressed", suppressed}});
    }
    return out;
}

json workPartJson(Session& session) {
    if (const Part* part = session.loadedPart(session.workPart))
        return part->fileName;
    if (const Occurrence* occurrence = session.liveOccurrence(session.workPart))
        return occurrencePlace(session, *occurrence);
    return nullptr;
}

} // namespace

json writeSession(Session& session) {
    json out;
    const SystemInfo& system = session.system;
    out["system"] = {
        {"os_name", system.osName},           {"os_version", system.osVersion},
        {"user_name", system.userName},       {"node_name", system.nodeName},
        {"machine_type", system.machineType}, {"physical_memory_mb", system.physicalMemoryMb}};
    out["environment"] = session.environment;
    out["customer_defaults"] = json::object();
    for (const auto& [key, value] : session.defaults)
        out["customer_defaults"][key] = defaultValue(value);
    out["parts"] = json::array();
    for (const Part& part : session.parts())
        out["parts"].push_back(partJson(part));

    const Part* display = session.loadedPart(session.displayPart);
    out["display_part"] = display ? json(display->fileName) : json(nullptr);
    out["work_part"] = workPartJson(session);
    out["occurrences"] = json::array();
    if (display) {
        for (tag_t tag : occurrencesOnDisplay(session, *display)) {
            const Occurrence& occurrence = *session.liveOccurrence(tag);
            json entry = occurrencePlace(session, occurrence);
            entry["part"] = session.partByTag(occurrence.prototype)->fileName;
            entry["color"] = occurrence.display.color;
            entry["blanked"] = occurrence.display.blanked;
            entry["highlighted"] = occurrence.display.highlighted;
            out["occurrences"].push_back(entry);
        }
    }
    return out;
}

json writeState(Simulator& simulator) {
    json runtime = {{"messages", simulator.messages},
                    {"session_depth", simulator.sessionDepth},
                    {"stray_terminates", simulator.strayTerminates},
                    {"help_maps", simulator.help.loadedMaps},
                    {"help_contexts", simulator.help.contexts},
                    {"display_updates", simulator.session.displayUpdates},
                    {"discarded_changes", simulator.session.discardedChanges},
                    {"classes", simulator.classes},
                    {"calls", simulator.log.size()},
                    {"outstanding_allocations", simulator.heap.outstanding()},
                    {"memory_misuses", simulator.heap.misuses()},
                    {"occurrences", occurrenceRuntime(simulator.session)}};
    return {{"session", writeSession(simulator.session)}, {"runtime", runtime}};
}

} // namespace hostsim
