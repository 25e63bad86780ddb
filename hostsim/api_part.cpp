// Parts: enumeration, names, loading, closing, saving, display part.
#include "host/host_part.h"
#include "hostsim/simulator.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

using hostsim::HeapFamily;
using hostsim::Part;
using hostsim::simulator;

namespace {

// Whether the work part is the part or lies in an assembly the part is a
// link of, so that closing the part takes the work part away.
bool workPartDependsOn(hostsim::Simulator& s, const Part& part) {
    tag_t work = s.session.workPart;
    if (work == part.tag)
        return true;
    hostsim::Occurrence* occurrence = s.session.liveOccurrence(work);
    if (!occurrence)
        return false;
    if (occurrence->rootPart == part.tag)
        return true;
    for (tag_t instance : occurrence->instancePath) {
        if (s.session.instanceByTag(instance).instance->childFile == part.fileName)
            return true;
    }
    return false;
}

// The parts a close takes away. Scope 1 also closes, level by level, the
// loaded components of the closed parts that no other loaded part still
// places: the most a host may take with a part. Each part's loaded placers
// are found once, so a close costs the session's size, not its square.
std::vector<Part*> partsClosedWith(hostsim::Simulator& s, Part& part, int scope) {
    std::vector<Part*> closing{&part};
    if (scope != 1)
        return closing;
    std::unordered_map<std::string_view, std::vector<Part*>> byName;
    for (Part& p : s.session.parts())
        byName[p.fileName].push_back(&p);
    std::unordered_map<const Part*, std::vector<const Part*>> placers;
    for (Part& assembly : s.session.parts()) {
        if (!assembly.loaded)
            continue;
        std::unordered_set<const Part*> placed;
        for (const hostsim::Instance& instance : assembly.components) {
            auto named = byName.find(instance.childFile);
            if (named == byName.end())
                continue;
            for (const Part* child : named->second) {
                if (placed.insert(child).second)
                    placers[child].push_back(&assembly);
            }
        }
    }
    std::unordered_set<const Part*> isClosing{&part};
    for (bool grown = true; grown;) {
        grown = false;
        for (Part& candidate : s.session.parts()) {
            if (!candidate.loaded || isClosing.count(&candidate) != 0)
                continue;
            bool inClosing = false;
            bool usedElsewhere = false;
            for (const Part* assembly : placers[&candidate])
                (isClosing.count(assembly) != 0 ? inClosing : usedElsewhere) = true;
            if (inClosing && !usedElsewhere) {
                closing.push_back(&candidate);
                isClosing.insert(&candidate);
                grown = true;
            }
        }
    }
    return closing;
}

void reportOpenFailure(hostsim::Simulator& s, const char* name, int code,
                       UF_PART_load_status_t* status) {
    status->failed = 1;
    status->n_parts = 1;
    status->file_names = static_cast<char**>(s.heap.allocate(sizeof(char*), HeapFamily::UfFree));
    status->file_names[0] = s.heap.copyText(name ? name : "", HeapFamily::UfFree);
    status->statuses = static_cast<int*>(s.heap.allocate(sizeof(int), HeapFamily::UfFree));
    status->statuses[0] = code;
}

} // namespace

extern "C" {

int UF_PART_ask_num_parts(void) {
    const hostsim::HostCallScope hostCall;
    auto& s = simulator();
    if (s.enter("UF_PART_ask_num_parts"))
        return 0;
    return static_cast<int>(s.session.loadOrder().size());
}

tag_t UF_PART_ask_nth_part(int index) {
    const hostsim::HostCallScope hostCall;
    auto& s = simulator();
    if (s.enter("UF_PART_ask_nth_part", index))
        return NULL_TAG;
    const auto& order = s.session.loadOrder();
    if (index < 0 || static_cast<size_t>(index) >= order.size())
        return NULL_TAG;
    return order[static_cast<size_t>(index)];
}

int UF_PART_ask_part_name(tag_t part, char name[HOST_PART_NAME_BUFSIZE]) {
    const hostsim::HostCallScope hostCall;
    auto& s = simulator();
    if (name)
        name[0] = '\0';
    if (auto code = s.enter("UF_PART_ask_part_name", part))
        return *code;
    const Part* found = s.session.loadedPart(part);
    if (!found || !name)
        return HOST_ERR_BAD_TAG;
    // File names are checked to fit when the session is loaded.
    std::strncpy(name, found->fileName.c_str(), HOST_PART_NAME_MAX);
    name[HOST_PART_NAME_MAX] = '\0';
    if (s.unterminatedPartNames)
        std::memset(name + found->fileName.size(), '_',
                    HOST_PART_NAME_BUFSIZE - found->fileName.size());
    return 0;
}

tag_t UF_PART_ask_part_tag(const char* name) {
    const hostsim::HostCallScope hostCall;
    auto& s = simulator();
    if (s.enter("UF_PART_ask_part_tag", name) || !name)
        return NULL_TAG;
    const Part* found = s.session.loadedPartByName(name);
    return found ? found->tag : NULL_TAG;
}

tag_t UF_PART_ask_display_part(void) {
    const hostsim::HostCallScope hostCall;
    auto& s = simulator();
    if (s.enter("UF_PART_ask_display_part"))
        return NULL_TAG;
    return s.session.loadedPart(s.session.displayPart) ? s.session.displayPart : NULL_TAG;
}

int UF_PART_ask_units(tag_t part, int* units) {
    const hostsim::HostCallScope hostCall;
    auto& s = simulator();
    if (auto code = s.enter("UF_PART_ask_units", part))
        return *code;
    const Part* found = s.session.loadedPart(part);
    if (!found || !units)
        return HOST_ERR_BAD_TAG;
    *units = found->units;
    return 0;
}

int UF_PART_is_loaded(const char* name) {
    const hostsim::HostCallScope hostCall;
    auto& s = simulator();
    if (s.enter("UF_PART_is_loaded", name) || !name)
        return 0;
    return s.session.loadedPartByName(name) ? 1 : 0;
}

logical PART_is_part_loaded(const char* file_name) {
    const hostsim::HostCallScope hostCall;
    auto& s = simulator();
    if (s.enter("PART_is_part_loaded", file_name) || !file_name)
        return 0;
    return s.session.loadedPartByName(file_name) ? 1 : 0;
}

tag_t PART_ask_part_of_filename(const char* file_name) {
    const hostsim::HostCallScope hostCall;
    auto& s = simulator();
    if (s.enter("PART_ask_part_of_filename", file_name) || !file_name)
        return NULL_TAG;
    const Part* found = s.session.loadedPartByName(file_name);
    return found ? found->tag : NULL_TAG;
}

int KZMGR_decode_cli_part_file(const char* cli_name, char** file_name) {
    const hostsim::HostCallScope hostCall;
    auto& s = simulator();
    if (file_name)
        *file_name = nullptr;
    if (auto code = s.enter("KZMGR_decode_cli_part_file", cli_name))
        return *code;
    if (!cli_name || !file_name)
        return HOST_ERR_BAD_ARGUMENT;
    // The host's file-name form: surrounding blanks gone, back-slashes only.
    std::string decoded = cli_name;
    decoded.erase(0, decoded.find_first_not_of(' '));
    decoded.erase(decoded.find_last_not_of(' ') + 1);
    if (decoded.empty())
        return HOST_ERR_BAD_ARGUMENT;
    for (char& c : decoded) {
        if (c == '/')
            c = '\\';
    }
    *file_name = s.heap.copyText(decoded, HeapFamily::SmFree);
    return 0;
}

int UF_PART_open_quiet(const char* name, tag_t* part, UF_PART_load_status_t* status) {
    const hostsim::HostCallScope hostCall;
    auto& s = simulator();
    if (part)
        *part = NULL_TAG;
    if (status)
        *status = UF_PART_load_status_t{0, 0, nullptr, nullptr};
    auto fault = s.enter("UF_PART_open_quiet", name);
    if (!part || !status)
        return HOST_ERR_BAD_ARGUMENT;
    Part* found = name ? s.session.partByName(name) : nullptr;
    const int code = fault && *fault != 0 ? *fault : found ? 0 : HOST_ERR_FILE_NOT_FOUND;
    if (code != 0) {
        reportOpenFailure(s, name, code, status);
        return code;
    }
    s.session.load(*found);
    *part = found->tag;
    return 0;
}

int UF_PART_close(tag_t part, int scope, int mode) {
    const hostsim::HostCallScope hostCall;
    auto& s = simulator();
    if (auto code = s.enter("UF_PART_close", part, scope, mode))
        return *code;
    Part* found = s.session.loadedPart(part);
    if (!found)
        return HOST_ERR_BAD_TAG;
    const std::vector<Part*> closing = partsClosedWith(s, *found, scope);
    bool losesWorkPart = false;
    for (Part* closed : closing) {
        if (closed->modified) {
            s.session.discardedChanges.push_back(closed->fileName);
            closed->modified = false;
        }
        losesWorkPart = losesWorkPart || workPartDependsOn(s, *closed);
    }
    for (Part* closed : closing) {
        s.session.unload(*closed);
        if (s.session.displayPart == closed->tag)
            s.session.displayPart = NULL_TAG;
    }
    if (losesWorkPart)
        s.session.workPart = s.session.displayPart;
    return 0;
}

int UF_PART_save(void) {
    const hostsim::HostCallScope hostCall;
    auto& s = simulator();
    if (auto code = s.enter("UF_PART_save"))
        return *code;
    Part* work = s.workPrototype();
    if (!work)
        return HOST_ERR_NO_WORK_PART;
    work->modified = false;
    return 0;
}

logical UF_PART_is_modified(tag_t part) {
    const hostsim::HostCallScope hostCall;
    auto& s = simulator();
    if (s.enter("UF_PART_is_modified", part))
        return 0;
    const Part* found = s.session.loadedPart(part);
    return found && found->modified ? 1 : 0;
}

int UF_PART_set_display_part(tag_t part) {
    const hostsim::HostCallScope hostCall;
    auto& s = simulator();
    if (auto code = s.enter("UF_PART_set_display_part", part))
        return *code;
    if (!s.session.loadedPart(part))
        return HOST_ERR_BAD_TAG;
    s.session.displayPart = part;
    s.session.workPart = part;
    return 0;
}

int UF_DISP_set_display(int on) {
    const hostsim::HostCallScope hostCall;
    auto& s = simulator();
    if (auto code = s.enter("UF_DISP_set_display", on))
        return *code;
    s.session.displayUpdates = on != 0;
    return 0;
}

} // extern "C"
