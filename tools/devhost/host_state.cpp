#include "tools/devhost/host_state.h"

#include "host/host_api.h"
#include "hostsim/hostsim_control.h"
#include "record/work_part_record.h"
#include "tools/devhost/path_names.h"

namespace devhost {

namespace {

using nlohmann::json;

json simulatorState() {
    char* text = HOSTSIM_state_json();
    json state = json::parse(text);
    HOSTSIM_free_text(text);
    return state;
}

json partsOf(const json& session) {
    json parts = json::array();
    for (const json& part : session["parts"]) {
        parts.push_back({{"name", part["file"]},
                         {"loaded", part["loaded"]},
                         {"modified", part["modified"]},
                         {"frozen", part["frozen"]},
                         {"delayed", part["delayed"]}});
    }
    return parts;
}

json occurrencesOf(const json& session, const json& runtime) {
    json occurrences = json::array();
    const json& states = session["occurrences"];
    const json& extra = runtime["occurrences"];
    for (size_t i = 0; i < states.size() && i < extra.size(); ++i) {
        occurrences.push_back({{"tag", extra[i]["tag"]},
                               {"part", states[i]["part"]},
                               {"path", states[i]["path"]},
                               {"suppressed", extra[i]["suppressed"]},
                               {"blanked", states[i]["blanked"]},
                               {"color", states[i]["color"]},
                               {"highlighted", states[i]["highlighted"]}});
    }
    return occurrences;
}

// The work part's file: the part itself, or the prototype of the work
// occurrence.
json workPartFile(const json& session) {
    const json& work = session["work_part"];
    if (!work.is_object())
        return work;
    for (const json& occurrence : session["occurrences"]) {
        if (occurrence["root"] == work["root"] && occurrence["path"] == work["path"])
            return occurrence["part"];
    }
    return nullptr;
}

json recordStrings(const json& part, int key) {
    for (const json& object : part["objects"]) {
        if (object["class"] == kRecordClassName && !object["integers"].empty() &&
            object["integers"][0] == key)
            return object["strings"];
    }
    return json::array();
}

// What the work part's record objects remember of closed parts.
json recordsOf(const json& session, const json& workFile) {
    json records = {{"closedParts", json::array()},
                    {"closedGroups", json::array()},
                    {"closedKeys", json::array()}};
    for (const json& part : session["parts"]) {
        if (part["file"] != workFile)
            continue;
        records["closedParts"] = recordStrings(part, kClosedPartsKey);
        records["closedGroups"] = recordStrings(part, kClosedGroupsKey);
        records["closedKeys"] = recordStrings(part, kClosedKeysKey);
    }
    return records;
}

tag_t loadedPartNamed(const std::string& name) {
    for (int i = 0; i < UF_PART_ask_num_parts(); ++i) {
        const tag_t part = UF_PART_ask_nth_part(i);
        char file[HOST_PART_NAME_BUFSIZE] = "";
        if (UF_PART_ask_part_name(part, file) == 0 &&
            (name == file || name == LastPathComponent(file)))
            return part;
    }
    return NULL_TAG;
}

// What the designer sets on every occurrence of the part; the first
// refusal's code.
template <typename Set> int setOnOccurrences(tag_t part, Set set) {
    tag_t* occurrences = nullptr;
    const int count = UF_ASSEM_ask_occs_of_part(NULL_TAG, part, &occurrences);
    int code = count > 0 ? 0 : HOST_ERR_BAD_TAG;
    for (int i = 0; i < count && code == 0; ++i)
        code = set(occurrences[i]);
    if (occurrences)
        UF_free(occurrences);
    return code;
}

} // namespace

json DescribeHost() {
    const json state = simulatorState();
    const json& session = state["session"];
    const json& runtime = state["runtime"];
    const json workFile = workPartFile(session);
    return {{"displayPart", session["display_part"]},
            {"workPart", workFile},
            {"sessionOpen", runtime["session_depth"].get<int>() > 0},
            {"parts", partsOf(session)},
            {"occurrences", occurrencesOf(session, runtime)},
            {"records", recordsOf(session, workFile)}};
}

bool ChangeHostSession(const std::string& change, const std::string& part, int value,
                       std::string& error) {
    const tag_t tag = loadedPartNamed(part);
    if (tag == NULL_TAG) {
        error = "no loaded part " + part;
        return false;
    }
    char file[HOST_PART_NAME_BUFSIZE] = "";
    UF_PART_ask_part_name(tag, file);
    int code = 0;
    if (change == "modify")
        code = HOSTSIM_modify_part(file);
    else if (change == "close")
        code = UF_PART_close(tag, 0, 1);
    else if (change == "display")
        code = UF_PART_set_display_part(tag);
    else if (change == "work")
        code = UF_ASSEM_set_work_part(tag);
    else if (change == "freeze")
        code = DUC_freeze_part(tag);
    else if (change == "unfreeze")
        code = DUC_unfreeze_part(tag);
    else if (change == "blank" || change == "unblank")
        code = setOnOccurrences(tag, [&change](tag_t occurrence) {
            return UF_OBJ_set_blank_status(occurrence,
                                           change == "blank" ? HOST_BLANKED : HOST_UNBLANKED);
        });
    else if (change == "color")
        code = setOnOccurrences(
            tag, [value](tag_t occurrence) { return UF_OBJ_set_color(occurrence, value); });
    else {
        error = "unknown host change " + change +
                " (modify, close, display, work, freeze, unfreeze, blank, unblank or color)";
        return false;
    }
    if (code != 0)
        error =
            "the host refused to " + change + " " + file + " (code " + std::to_string(code) + ")";
    return code == 0;
}

} // namespace devhost
