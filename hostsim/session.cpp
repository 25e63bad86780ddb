#include "hostsim/session.h"

#include <algorithm>

namespace hostsim {

Part& Session::addPart(Part part) {
    part.tag = newTag();
    partIndex_[part.tag] = parts_.size();
    partNameIndex_[part.fileName] = parts_.size();
    parts_.push_back(std::move(part));
    Part& added = parts_.back();
    if (added.loaded)
        loadOrder_.push_back(added.tag);
    invalidateIndex();
    return added;
}

Instance& Session::addComponent(Part& assembly, Instance instance) {
    instance.tag = newTag();
    instanceIndex_[instance.tag] = {partIndex_.at(assembly.tag), assembly.components.size()};
    assembly.components.push_back(std::move(instance));
    invalidateIndex();
    return assembly.components.back();
}

UserObject& Session::addObject(Part& part, UserObject object) {
    object.tag = newTag();
    part.objects.push_back(std::move(object));
    return part.objects.back();
}

Part* Session::partByTag(tag_t tag) {
    auto found = partIndex_.find(tag);
    return found == partIndex_.end() ? nullptr : &parts_[found->second];
}

Part* Session::partByName(const std::string& fileName) {
    auto found = partNameIndex_.find(fileName);
    return found == partNameIndex_.end() ? nullptr : &parts_[found->second];
}

Part* Session::loadedPart(tag_t tag) {
    Part* part = partByTag(tag);
    return part && part->loaded ? part : nullptr;
}

Part* Session::loadedPartByName(const std::string& fileName) {
    Part* part = partByName(fileName);
    return part && part->loaded ? part : nullptr;
}

void Session::load(Part& part) {
    if (part.loaded)
        return;
    part.loaded = true;
    loadOrder_.push_back(part.tag);
    invalidateIndex();
}

void Session::unload(Part& part) {
    if (!part.loaded)
        return;
    part.loaded = false;
    loadOrder_.erase(std::remove(loadOrder_.begin(), loadOrder_.end(), part.tag), loadOrder_.end());
    invalidateIndex();
}

Session::InstanceRef Session::instanceByTag(tag_t tag) {
    auto found = instanceIndex_.find(tag);
    if (found == instanceIndex_.end())
        return {};
    Part& assembly = parts_[found->second.first];
    return {&assembly, &assembly.components[found->second.second], found->second.second};
}

Session::ObjectRef Session::objectByTag(tag_t tag) {
    for (Part& part : parts_) {
        for (UserObject& object : part.objects) {
            if (object.tag == tag)
                return {&part, &object};
        }
    }
    return {};
}

bool Session::deleteObject(tag_t tag) {
    ObjectRef ref = objectByTag(tag);
    if (!ref.part)
        return false;
    auto& objects = ref.part->objects;
    objects.erase(std::find_if(objects.begin(), objects.end(),
                               [tag](const UserObject& o) { return o.tag == tag; }));
    return true;
}

DisplayState Session::initialDisplay(tag_t prototype, const Instance* lastInstance) const {
    DisplayState state;
    auto found = partIndex_.find(prototype);
    state.color = parts_[found->second].color;
    if (lastInstance) {
        if (lastInstance->color != 0)
            state.color = lastInstance->color;
        state.blanked = lastInstance->blanked;
    }
    return state;
}

Occurrence& Session::occurrenceFor(tag_t rootPart, const std::vector<tag_t>& instancePath) {
    std::vector<tag_t> key;
    key.reserve(instancePath.size() + 1);
    key.push_back(rootPart);
    key.insert(key.end(), instancePath.begin(), instancePath.end());
    auto known = occurrenceKeys_.find(key);
    if (known != occurrenceKeys_.end())
        return occurrences_.at(known->second);

    Occurrence occurrence;
    occurrence.tag = newTag();
    occurrence.rootPart = rootPart;
    occurrence.instancePath = instancePath;
    const Instance* last = nullptr;
    for (tag_t instance : instancePath) {
        // Paths are made of the session's own instances, and the reader refuses an
        // instance of a part the session lacks.
        const auto& [assembly, component] = instanceIndex_.at(instance);
        last = &parts_[assembly].components[component];
        occurrence.pathParts.push_back(parts_[partNameIndex_.at(last->childFile)].tag);
    }
    occurrence.prototype = instancePath.empty() ? rootPart : occurrence.pathParts.back();
    occurrence.display = initialDisplay(occurrence.prototype, last);
    occurrenceKeys_.emplace(std::move(key), occurrence.tag);
    return occurrences_.emplace(occurrence.tag, std::move(occurrence)).first->second;
}

tag_t Session::rootOccurrence(tag_t rootPart) {
    if (!loadedPart(rootPart))
        return NULL_TAG;
    return occurrenceFor(rootPart, {}).tag;
}

Occurrence* Session::liveOccurrence(tag_t tag) {
    auto found = occurrences_.find(tag);
    if (found == occurrences_.end())
        return nullptr;
    Occurrence& occurrence = found->second;
    if (occurrence.liveVersion != structureVersion_) {
        occurrence.liveVersion = structureVersion_;
        occurrence.live = loadedPart(occurrence.rootPart) != nullptr;
        for (size_t i = 0; occurrence.live && i < occurrence.pathParts.size(); ++i)
            occurrence.live = loadedPart(occurrence.pathParts[i]) != nullptr;
    }
    return occurrence.live ? &occurrence : nullptr;
}

std::vector<tag_t> Session::childOccurrences(tag_t occurrenceTag) {
    std::vector<tag_t> children;
    Occurrence* occurrence = liveOccurrence(occurrenceTag);
    if (!occurrence)
        return children;
    // Copies: occurrenceFor may add to the map that holds *occurrence.
    const tag_t root = occurrence->rootPart;
    const std::vector<tag_t> path = occurrence->instancePath;
    const Part* prototype = partByTag(occurrence->prototype);
    for (const Instance& instance : prototype->components) {
        // A component whose part is not loaded has no occurrence to show.
        if (!loadedPartByName(instance.childFile))
            continue;
        std::vector<tag_t> childPath = path;
        childPath.push_back(instance.tag);
        children.push_back(occurrenceFor(root, childPath).tag);
    }
    return children;
}

void Session::collectBelow(tag_t occurrence, RootIndex& index) {
    for (tag_t child : childOccurrences(occurrence)) {
        index.all.push_back(child);
        index.byPrototype[occurrences_.at(child).prototype].push_back(child);
        collectBelow(child, index);
    }
}

const Session::RootIndex& Session::indexBelow(tag_t rootPart) {
    auto found = occurrenceIndex_.find(rootPart);
    if (found != occurrenceIndex_.end())
        return found->second;
    RootIndex index;
    tag_t root = rootOccurrence(rootPart);
    if (root != NULL_TAG)
        collectBelow(root, index);
    return occurrenceIndex_.emplace(rootPart, std::move(index)).first->second;
}

std::vector<tag_t> Session::occurrencesOfPart(tag_t rootPart, tag_t part) {
    const RootIndex& index = indexBelow(rootPart);
    auto found = index.byPrototype.find(part);
    return found == index.byPrototype.end() ? std::vector<tag_t>{} : found->second;
}

tag_t Session::occurrenceByPath(tag_t rootPart, const std::vector<tag_t>& instancePath) {
    if (!loadedPart(rootPart))
        return NULL_TAG;
    tag_t occurrence = occurrenceFor(rootPart, instancePath).tag;
    return liveOccurrence(occurrence) ? occurrence : NULL_TAG;
}

} // namespace hostsim
