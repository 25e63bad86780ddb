#include "host/host_part.h"
#include "hostsim/palette.h"
#include "hostsim/session_json.h"

#include <cstdint>
#include <map>
#include <set>
#include <stdexcept>

using nlohmann::json;

namespace hostsim {

namespace {

constexpr size_t kMaxTitleLength = 63; // the attribute record's title buffer

struct SessionFault : std::runtime_error {
    SessionFault(const std::string& path, const std::string& problem)
        : std::runtime_error((path.empty() ? "/" : path) + ": " + problem) {}
};

std::string at(const std::string& path, const std::string& key) {
    return path + "/" + key;
}
std::string at(const std::string& path, size_t index) {
    return path + "/" + std::to_string(index);
}

void checkKeys(const json& object, const std::string& path, const std::set<std::string>& allowed) {
    if (!object.is_object())
        throw SessionFault(path, "expected an object");
    for (const auto& item : object.items()) {
        if (!allowed.count(item.key()))
            throw SessionFault(at(path, item.key()), "unknown key");
    }
}

const json* optional(const json& object, const char* key) {
    auto found = object.find(key);
    return found == object.end() ? nullptr : &*found;
}

// The host hands texts out as C strings: one with a NUL in it would be cut,
// and a part would report a name that is not its own.
std::string text(const json& value, const std::string& path) {
    if (!value.is_string())
        throw SessionFault(path, "expected a string");
    std::string read = value.get<std::string>();
    if (read.find('\0') != std::string::npos)
        throw SessionFault(path, "text contains a NUL character");
    return read;
}

bool flag(const json& object, const char* key, const std::string& path, bool fallback) {
    const json* value = optional(object, key);
    if (!value)
        return fallback;
    if (!value->is_boolean())
        throw SessionFault(at(path, key), "expected true or false");
    return value->get<bool>();
}

long long integer(const json& value, const std::string& path) {
    if (!value.is_number_integer())
        throw SessionFault(path, "expected an integer");
    return value.get<long long>();
}

int colorIndex(const json& object, const char* key, const std::string& path, int fallback) {
    const json* value = optional(object, key);
    if (!value)
        return fallback;
    long long index = integer(*value, at(path, key));
    if (!Palette::contains(static_cast<int>(index)) || index != static_cast<int>(index))
        throw SessionFault(at(path, key), "colour index outside the palette (1 to 240)");
    return static_cast<int>(index);
}

const json& array(const json& value, const std::string& path) {
    if (!value.is_array())
        throw SessionFault(path, "expected an array");
    return value;
}

class Reader {
  public:
    explicit Reader(std::string baseDir) : baseDir_(std::move(baseDir)) {}

    LoadedSession read(const json& root) {
        checkKeys(root, "",
                  {"system", "environment", "customer_defaults", "parts", "display_part",
                   "work_part", "occurrences", "faults"});
        if (const json* system = optional(root, "system"))
            readSystem(*system, "/system");
        if (const json* environment = optional(root, "environment"))
            readEnvironment(*environment, "/environment");
        if (const json* defaults = optional(root, "customer_defaults"))
            readDefaults(*defaults, "/customer_defaults");
        if (const json* parts = optional(root, "parts"))
            readParts(*parts, "/parts");
        if (const json* display = optional(root, "display_part"))
            readDisplayPart(*display, "/display_part");
        loaded_.session.workPart = loaded_.session.displayPart;
        if (const json* work = optional(root, "work_part"))
            loaded_.session.workPart = readWorkPart(*work, "/work_part");
        if (const json* occurrences = optional(root, "occurrences"))
            readOccurrences(*occurrences, "/occurrences");
        if (const json* faults = optional(root, "faults"))
            readFaults(*faults, "/faults");
        return std::move(loaded_);
    }

  private:
    void readSystem(const json& system, const std::string& path) {
        checkKeys(system, path,
                  {"os_name", "os_version", "user_name", "node_name", "machine_type",
                   "physical_memory_mb"});
        SystemInfo& info = loaded_.session.system;
        const std::pair<const char*, std::string*> texts[] = {{"os_name", &info.osName},
                                                              {"os_version", &info.osVersion},
                                                              {"user_name", &info.userName},
                                                              {"node_name", &info.nodeName},
                                                              {"machine_type", &info.machineType}};
        for (const auto& [key, target] : texts) {
            if (const json* value = optional(system, key))
                *target = text(*value, at(path, key));
        }
        if (const json* memory = optional(system, "physical_memory_mb"))
            info.physicalMemoryMb =
                static_cast<int>(integer(*memory, at(path, "physical_memory_mb")));
    }

    void readEnvironment(const json& environment, const std::string& path) {
        if (!environment.is_object())
            throw SessionFault(path, "expected an object");
        for (const auto& item : environment.items()) {
            std::string value = text(item.value(), at(path, item.key()));
            const std::string marker = "${SESSION_DIR}";
            for (size_t found = value.find(marker); found != std::string::npos;
                 found = value.find(marker, found + baseDir_.size()))
                value.replace(found, marker.size(), baseDir_);
            loaded_.session.environment[item.key()] = value;
        }
    }

    void readDefaults(const json& defaults, const std::string& path) {
        if (!defaults.is_object())
            throw SessionFault(path, "expected an object");
        for (const auto& item : defaults.items()) {
            const json& value = item.value();
            std::string where = at(path, item.key());
            DefaultValue& target = loaded_.session.defaults[item.key()];
            if (value.is_string()) {
                target = text(value, where);
            } else if (value.is_boolean()) {
                target = value.get<bool>();
            } else if (value.is_number_integer()) {
                long long number = value.get<long long>();
                // The host's integer defaults are 32-bit.
                if (number < INT32_MIN || number > INT32_MAX)
                    throw SessionFault(where, "integer outside the 32-bit range");
                target = number;
            } else if (value.is_number_float()) {
                target = value.get<double>();
            } else if (value.is_array()) {
                std::vector<std::string> items;
                for (size_t i = 0; i < value.size(); ++i)
                    items.push_back(text(value[i], at(where, i)));
                target = items;
            } else {
                throw SessionFault(where,
                                   "expected a string, number, true/false or list of strings");
            }
        }
    }

    void readParts(const json& parts, const std::string& path) {
        array(parts, path);
        // Parts first, so that components may name parts listed after them.
        for (size_t i = 0; i < parts.size(); ++i)
            readPart(parts[i], at(path, i));
        for (size_t i = 0; i < parts.size(); ++i) {
            if (const json* components = optional(parts[i], "components"))
                readComponents(loaded_.session.parts()[i], *components,
                               at(at(path, i), "components"));
        }
        std::map<std::string, Visit> visits;
        for (size_t i = 0; i < parts.size(); ++i)
            checkNoCycle(loaded_.session.parts()[i], at(path, i), visits);
    }

    void readPart(const json& part, const std::string& path) {
        checkKeys(part, path,
                  {"file", "loaded", "modified", "units", "frozen", "delayed", "color",
                   "attributes", "components", "objects"});
        const json* file = optional(part, "file");
        if (!file)
            throw SessionFault(path, "a part needs a \"file\"");
        Part read;
        read.fileName = text(*file, at(path, "file"));
        if (read.fileName.empty() || read.fileName.size() > HOST_PART_NAME_MAX)
            throw SessionFault(at(path, "file"), "file name must have 1 to 256 characters");
        if (loaded_.session.partByName(read.fileName))
            throw SessionFault(at(path, "file"), "part listed twice: " + read.fileName);
        read.loaded = flag(part, "loaded", path, true);
        read.modified = flag(part, "modified", path, false);
        read.frozen = flag(part, "frozen", path, false);
        read.delayed = flag(part, "delayed", path, false);
        read.color = colorIndex(part, "color", path, read.color);
        if (const json* units = optional(part, "units")) {
            std::string name = text(*units, at(path, "units"));
            if (name != "metric" && name != "english")
                throw SessionFault(at(path, "units"), "expected \"metric\" or \"english\"");
            read.units = name == "metric" ? HOST_UNITS_METRIC : HOST_UNITS_ENGLISH;
        }
        if (const json* attributes = optional(part, "attributes"))
            read.attributes = readAttributes(*attributes, at(path, "attributes"));
        Part& added = loaded_.session.addPart(std::move(read));
        if (const json* objects = optional(part, "objects"))
            readObjects(added, *objects, at(path, "objects"));
    }

    std::vector<Attribute> readAttributes(const json& attributes, const std::string& path) {
        std::vector<Attribute> read;
        array(attributes, path);
        for (size_t i = 0; i < attributes.size(); ++i) {
            std::string where = at(path, i);
            checkKeys(attributes[i], where, {"title", "value"});
            const json* title = optional(attributes[i], "title");
            const json* value = optional(attributes[i], "value");
            if (!title || !value)
                throw SessionFault(where, "an attribute needs a \"title\" and a \"value\"");
            Attribute attribute{text(*title, at(where, "title")), text(*value, at(where, "value"))};
            if (attribute.title.empty() || attribute.title.size() > kMaxTitleLength)
                throw SessionFault(at(where, "title"), "title must have 1 to 63 characters");
            read.push_back(std::move(attribute));
        }
        return read;
    }

    void readObjects(Part& part, const json& objects, const std::string& path) {
        array(objects, path);
        for (size_t i = 0; i < objects.size(); ++i) {
            std::string where = at(path, i);
            checkKeys(objects[i], where, {"class", "integers", "strings"});
            const json* name = optional(objects[i], "class");
            if (!name)
                throw SessionFault(where, "an object needs a \"class\"");
            UserObject object;
            object.className = text(*name, at(where, "class"));
            if (const json* integers = optional(objects[i], "integers")) {
                array(*integers, at(where, "integers"));
                for (size_t k = 0; k < integers->size(); ++k)
                    object.integers.push_back(
                        static_cast<int>(integer((*integers)[k], at(at(where, "integers"), k))));
            }
            if (const json* strings = optional(objects[i], "strings")) {
                array(*strings, at(where, "strings"));
                for (size_t k = 0; k < strings->size(); ++k)
                    object.strings.push_back(text((*strings)[k], at(at(where, "strings"), k)));
            }
            loaded_.session.addObject(part, std::move(object));
        }
    }

    void readComponents(Part& assembly, const json& components, const std::string& path) {
        array(components, path);
        for (size_t i = 0; i < components.size(); ++i) {
            std::string where = at(path, i);
            checkKeys(components[i], where, {"part", "suppressed", "color", "blanked"});
            const json* child = optional(components[i], "part");
            if (!child)
                throw SessionFault(where, "a component needs a \"part\"");
            Instance instance;
            instance.childFile = text(*child, at(where, "part"));
            if (!loaded_.session.partByName(instance.childFile))
                throw SessionFault(at(where, "part"), "no such part: " + instance.childFile);
            instance.suppressed = flag(components[i], "suppressed", where, false);
            instance.blanked = flag(components[i], "blanked", where, false);
            instance.color = colorIndex(components[i], "color", where, 0);
            loaded_.session.addComponent(assembly, std::move(instance));
        }
    }

    enum class Visit { Open, Done };

    // Depth-first search; meeting a part that is still open is a cycle.
    void checkNoCycle(const Part& part, const std::string& path,
                      std::map<std::string, Visit>& visits) {
        auto [state, first] = visits.emplace(part.fileName, Visit::Open);
        if (!first) {
            if (state->second == Visit::Open)
                throw SessionFault(path, "assembly contains itself: " + part.fileName);
            return;
        }
        for (const Instance& instance : part.components)
            checkNoCycle(*loaded_.session.partByName(instance.childFile), path, visits);
        state->second = Visit::Done;
    }

    Part& loadedPartNamed(const json& value, const std::string& path) {
        std::string name = text(value, path);
        Part* part = loaded_.session.partByName(name);
        if (!part)
            throw SessionFault(path, "no such part: " + name);
        if (!part->loaded)
            throw SessionFault(path, "part is not loaded: " + name);
        return *part;
    }

    void readDisplayPart(const json& display, const std::string& path) {
        if (display.is_null())
            return;
        loaded_.session.displayPart = loadedPartNamed(display, path).tag;
    }

    // A part, or an occurrence given by its root part and component path.
    tag_t readWorkPart(const json& work, const std::string& path) {
        if (work.is_null())
            return NULL_TAG;
        if (work.is_string())
            return loadedPartNamed(work, path).tag;
        checkKeys(work, path, {"root", "path"});
        return readOccurrence(work, path);
    }

    tag_t readOccurrence(const json& entry, const std::string& path) {
        const json* root = optional(entry, "root");
        const json* steps = optional(entry, "path");
        if (!root || !steps)
            throw SessionFault(path, "an occurrence needs a \"root\" and a \"path\"");
        Part& rootPart = loadedPartNamed(*root, at(path, "root"));
        std::vector<tag_t> instances;
        const Part* current = &rootPart;
        array(*steps, at(path, "path"));
        for (size_t i = 0; i < steps->size(); ++i) {
            long long step = integer((*steps)[i], at(at(path, "path"), i));
            if (step < 0 || static_cast<size_t>(step) >= current->components.size())
                throw SessionFault(at(at(path, "path"), i), "no such component");
            const Instance& instance = current->components[static_cast<size_t>(step)];
            instances.push_back(instance.tag);
            current = loaded_.session.partByName(instance.childFile);
        }
        tag_t occurrence = loaded_.session.occurrenceByPath(rootPart.tag, instances);
        if (occurrence == NULL_TAG)
            throw SessionFault(path, "a part on this path is not loaded");
        return occurrence;
    }

    void readOccurrences(const json& occurrences, const std::string& path) {
        array(occurrences, path);
        for (size_t i = 0; i < occurrences.size(); ++i) {
            std::string where = at(path, i);
            checkKeys(occurrences[i], where,
                      {"root", "path", "part", "color", "blanked", "highlighted"});
            Occurrence* occurrence =
                loaded_.session.liveOccurrence(readOccurrence(occurrences[i], where));
            DisplayState& display = occurrence->display;
            display.color = colorIndex(occurrences[i], "color", where, display.color);
            display.blanked = flag(occurrences[i], "blanked", where, display.blanked);
            display.highlighted = flag(occurrences[i], "highlighted", where, display.highlighted);
        }
    }

    void readFaults(const json& faults, const std::string& path) {
        array(faults, path);
        for (size_t i = 0; i < faults.size(); ++i) {
            std::string where = at(path, i);
            checkKeys(faults[i], where, {"operation", "call", "code"});
            const json* operation = optional(faults[i], "operation");
            if (!operation)
                throw SessionFault(where, "a fault needs an \"operation\"");
            Fault fault;
            fault.operation = text(*operation, at(where, "operation"));
            if (const json* call = optional(faults[i], "call"))
                fault.onCall = static_cast<int>(integer(*call, at(where, "call")));
            fault.code = HOST_ERR_INJECTED;
            if (const json* code = optional(faults[i], "code"))
                fault.code = static_cast<int>(integer(*code, at(where, "code")));
            if (fault.onCall < 0 || fault.code == 0)
                throw SessionFault(where, "call must be 0 or more and code not 0");
            loaded_.faults.push_back(fault);
        }
    }

    std::string baseDir_;
    LoadedSession loaded_;
};

} // namespace

std::optional<LoadedSession> readSession(const std::string& text, const std::string& source,
                                         const std::string& baseDir, std::string* error) {
    try {
        json root = json::parse(text);
        return Reader(baseDir).read(root);
    } catch (const json::parse_error& e) {
        *error = source + ": not valid JSON: " + e.what();
    } catch (const json::exception& e) {
        *error = source + ": " + e.what();
    } catch (const SessionFault& e) {
        *error = source + ": " + e.what();
    }
    return std::nullopt;
}

} // namespace hostsim
