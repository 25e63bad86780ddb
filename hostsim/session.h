// The in-memory CAD session that the simulated host serves.
#pragma once

#include "host/host_types.h"

#include <deque>
#include <map>
#include <string>
#include <unordered_map>
#include <variant>
#include <vector>

namespace hostsim {

struct Attribute {
    std::string title;
    std::string value;
};

// One component of an assembly part: a placement of another part.
struct Instance {
    tag_t tag = NULL_TAG;
    std::string childFile;
    bool suppressed = false;
    int color = 0; // 0: the occurrence takes its part's colour
    bool blanked = false;
};

struct UserObject {
    tag_t tag = NULL_TAG;
    std::string className;
    std::vector<int> integers;
    std::vector<std::string> strings;
};

struct Part {
    tag_t tag = NULL_TAG;
    std::string fileName;
    bool loaded = false;
    bool modified = false;
    int units = 1;
    bool frozen = false;
    bool delayed = false;
    int color = 1;
    std::vector<Attribute> attributes;
    std::vector<Instance> components;
    std::vector<UserObject> objects;
};

struct DisplayState {
    int color = 0;
    bool blanked = false;
    bool highlighted = false;
};

// A part as placed under a root part, named by the instances leading to it.
struct Occurrence {
    tag_t tag = NULL_TAG;
    tag_t rootPart = NULL_TAG;
    std::vector<tag_t> instancePath;
    // The parts placed by the instances of the path, in the same order: an
    // occurrence is live while they and the root are loaded.
    std::vector<tag_t> pathParts;
    tag_t prototype = NULL_TAG;
    // Whether the occurrence was live at structure version liveVersion.
    unsigned long long liveVersion = 0;
    bool live = false;
    DisplayState display;
};

using DefaultValue = std::variant<std::string, long long, double, bool, std::vector<std::string>>;

struct SystemInfo {
    std::string osName = "Windows 10 Enterprise x64";
    std::string osVersion = "10.0.19045";
    std::string userName = "designer";
    std::string nodeName = "die-ws-01";
    std::string machineType = "x64";
    int physicalMemoryMb = 32768;
};

// What the session holds. Tags are handed out from one counter, so a tag
// names exactly one part, instance, occurrence or object.
class Session {
  public:
    SystemInfo system;
    std::map<std::string, std::string> environment;
    std::map<std::string, DefaultValue> defaults;
    tag_t displayPart = NULL_TAG;
    tag_t workPart = NULL_TAG; // a part or an occurrence
    bool displayUpdates = true;
    std::vector<std::string> discardedChanges; // parts closed while modified

    Part& addPart(Part part);
    Instance& addComponent(Part& assembly, Instance instance);
    UserObject& addObject(Part& part, UserObject object);
    tag_t newTag() { return ++lastTag_; }

    const std::deque<Part>& parts() const { return parts_; }
    std::deque<Part>& parts() { return parts_; }
    Part* partByTag(tag_t tag);
    Part* partByName(const std::string& fileName); // loaded or not
    Part* loadedPart(tag_t tag);
    Part* loadedPartByName(const std::string& fileName);

    // Loaded parts in the order they were loaded.
    const std::vector<tag_t>& loadOrder() const { return loadOrder_; }
    void load(Part& part);
    void unload(Part& part);

    // Where an instance sits: its assembly part and its position there.
    struct InstanceRef {
        Part* assembly = nullptr;
        Instance* instance = nullptr;
        size_t position = 0;
    };
    InstanceRef instanceByTag(tag_t tag);

    struct ObjectRef {
        Part* part = nullptr;
        UserObject* object = nullptr;
    };
    ObjectRef objectByTag(tag_t tag);
    bool deleteObject(tag_t tag);

    // Occurrences. Tags are stable: the same root and instance path always
    // give the same tag. An occurrence is live while its root and every part
    // along its path are loaded.
    tag_t rootOccurrence(tag_t rootPart);
    std::vector<tag_t> childOccurrences(tag_t occurrence);
    std::vector<tag_t> occurrencesOfPart(tag_t rootPart, tag_t part);
    // Every occurrence below the root part, depth first, parents first.
    const std::vector<tag_t>& occurrencesBelow(tag_t rootPart) { return indexBelow(rootPart).all; }
    Occurrence* liveOccurrence(tag_t tag);
    tag_t occurrenceByPath(tag_t rootPart, const std::vector<tag_t>& instancePath);

  private:
    struct RootIndex {
        std::vector<tag_t> all;
        std::map<tag_t, std::vector<tag_t>> byPrototype;
    };

    Occurrence& occurrenceFor(tag_t rootPart, const std::vector<tag_t>& instancePath);
    DisplayState initialDisplay(tag_t prototype, const Instance* lastInstance) const;
    void collectBelow(tag_t occurrence, RootIndex& index);
    void invalidateIndex() {
        occurrenceIndex_.clear();
        ++structureVersion_;
    }
    // Counts the changes of structure (parts, components, loading), so that
    // an occurrence's liveness is worked out once per change.
    unsigned long long structureVersion_ = 1;

    tag_t lastTag_ = 100;
    std::deque<Part> parts_; // a deque keeps references stable as parts are added
    // Hashed: every host call that names a part or an occurrence looks here.
    std::unordered_map<tag_t, size_t> partIndex_;
    std::unordered_map<std::string, size_t> partNameIndex_;
    std::vector<tag_t> loadOrder_;
    std::unordered_map<tag_t, std::pair<size_t, size_t>> instanceIndex_; // part, position
    std::map<std::vector<tag_t>, tag_t> occurrenceKeys_;                 // root + path
    std::unordered_map<tag_t, Occurrence> occurrences_; // node-based: references stay valid
    // Per root part: every occurrence below it, depth first. Rebuilt after any
    // load or unload, which are the only changes of the structure.
    const RootIndex& indexBelow(tag_t rootPart);
    std::map<tag_t, RootIndex> occurrenceIndex_;
};

} // namespace hostsim
