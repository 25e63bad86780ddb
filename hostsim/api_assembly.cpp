// Assembly structure: occurrences, instances, work part.
#include "host/host_assembly.h"
#include "hostsim/simulator.h"

using hostsim::HeapFamily;
using hostsim::Occurrence;
using hostsim::simulator;

namespace {

int occurrencesBelow(tag_t assembly, tag_t part, tag_t** occurrences, HeapFamily family) {
    auto& s = simulator();
    std::vector<tag_t> found;
    if (s.session.loadedPart(assembly))
        found = s.session.occurrencesOfPart(assembly, part);
    *occurrences = s.tagArray(found, family);
    return static_cast<int>(found.size());
}

tag_t lastInstance(tag_t occurrence) {
    const Occurrence* found = simulator().session.liveOccurrence(occurrence);
    if (!found || found->instancePath.empty())
        return NULL_TAG;
    return found->instancePath.back();
}

} // namespace

extern "C" {

int UF_ASSEM_ask_occs_of_part(tag_t parent, tag_t part, tag_t** occurrences) {
    const hostsim::HostCallScope hostCall;
    auto& s = simulator();
    if (occurrences)
        *occurrences = nullptr;
    if (s.enter("UF_ASSEM_ask_occs_of_part", parent, part) || !occurrences)
        return 0;
    tag_t assembly = parent == NULL_TAG ? s.session.displayPart : parent;
    return occurrencesBelow(assembly, part, occurrences, HeapFamily::UfFree);
}

tag_t UF_ASSEM_ask_root_part_occ(tag_t part) {
    const hostsim::HostCallScope hostCall;
    auto& s = simulator();
    if (s.enter("UF_ASSEM_ask_root_part_occ", part))
        return NULL_TAG;
    return s.session.rootOccurrence(part);
}

int UF_ASSEM_ask_part_occ_children(tag_t occurrence, tag_t** children) {
    const hostsim::HostCallScope hostCall;
    auto& s = simulator();
    if (children)
        *children = nullptr;
    if (s.enter("UF_ASSEM_ask_part_occ_children", occurrence) || !children)
        return 0;
    std::vector<tag_t> found = s.session.childOccurrences(occurrence);
    auto extra = s.extraChildren.find(occurrence);
    if (extra != s.extraChildren.end())
        found.insert(found.end(), extra->second.begin(), extra->second.end());
    *children = s.tagArray(found, HeapFamily::UfFree);
    return static_cast<int>(found.size());
}

tag_t UF_ASSEM_ask_prototype_of_occ(tag_t occurrence) {
    const hostsim::HostCallScope hostCall;
    auto& s = simulator();
    if (s.enter("UF_ASSEM_ask_prototype_of_occ", occurrence))
        return NULL_TAG;
    if (const Occurrence* found = s.session.liveOccurrence(occurrence))
        return found->prototype;
    // A part is its own prototype.
    return s.session.loadedPart(occurrence) ? occurrence : NULL_TAG;
}

tag_t UF_ASSEM_ask_inst_of_part_occ(tag_t occurrence) {
    const hostsim::HostCallScope hostCall;
    if (simulator().enter("UF_ASSEM_ask_inst_of_part_occ", occurrence))
        return NULL_TAG;
    return lastInstance(occurrence);
}

int UF_ASSEM_ask_suppress_state(tag_t instance, logical* suppressed) {
    const hostsim::HostCallScope hostCall;
    auto& s = simulator();
    if (auto code = s.enter("UF_ASSEM_ask_suppress_state", instance))
        return *code;
    const hostsim::Instance* found = s.session.instanceByTag(instance).instance;
    if (!found || !suppressed)
        return HOST_ERR_BAD_TAG;
    *suppressed = found->suppressed ? 1 : 0;
    return 0;
}

logical UF_ASSEM_is_part_occurrence(tag_t object) {
    const hostsim::HostCallScope hostCall;
    auto& s = simulator();
    if (s.enter("UF_ASSEM_is_part_occurrence", object))
        return 0;
    return s.session.liveOccurrence(object) ? 1 : 0;
}

tag_t UF_ASSEM_ask_work_part(void) {
    const hostsim::HostCallScope hostCall;
    auto& s = simulator();
    if (s.enter("UF_ASSEM_ask_work_part"))
        return NULL_TAG;
    tag_t work = s.session.workPart;
    bool valid = s.session.loadedPart(work) || s.session.liveOccurrence(work);
    return valid ? work : NULL_TAG;
}

int UF_ASSEM_set_work_part(tag_t part) {
    const hostsim::HostCallScope hostCall;
    auto& s = simulator();
    if (auto code = s.enter("UF_ASSEM_set_work_part", part))
        return *code;
    if (!s.session.loadedPart(part) && !s.session.liveOccurrence(part))
        return HOST_ERR_BAD_TAG;
    s.session.workPart = part;
    return 0;
}

int OCC_ask_occs_of_part_in_assy(tag_t assembly, tag_t part, tag_t** occurrences) {
    const hostsim::HostCallScope hostCall;
    auto& s = simulator();
    if (occurrences)
        *occurrences = nullptr;
    if (s.enter("OCC_ask_occs_of_part_in_assy", assembly, part) || !occurrences)
        return 0;
    return occurrencesBelow(assembly, part, occurrences, HeapFamily::SmFree);
}

tag_t OCC_ask_instance_of_part_occ(tag_t occurrence) {
    const hostsim::HostCallScope hostCall;
    if (simulator().enter("OCC_ask_instance_of_part_occ", occurrence))
        return NULL_TAG;
    return lastInstance(occurrence);
}

logical OCC_is_instance_suppressed(tag_t instance) {
    const hostsim::HostCallScope hostCall;
    auto& s = simulator();
    if (s.enter("OCC_is_instance_suppressed", instance))
        return 0;
    const hostsim::Instance* found = s.session.instanceByTag(instance).instance;
    return found && found->suppressed ? 1 : 0;
}

} // extern "C"
