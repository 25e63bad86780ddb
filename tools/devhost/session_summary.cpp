#include "tools/devhost/session_summary.h"

#include "host/host_api.h"
#include "tools/devhost/path_names.h"

#include <string>

namespace devhost {

namespace {

std::string partName(tag_t part) {
    char name[HOST_PART_NAME_BUFSIZE];
    return UF_PART_ask_part_name(part, name) == 0 ? name : "(unknown part)";
}

std::string attributesOf(tag_t part) {
    int count = 0;
    UF_ATTR_part_attr_t* attributes = nullptr;
    if (ATTR_ask_part_attrs(part, &count, &attributes) != 0)
        return "";
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += i == 0 ? "" : ", ";
        text += std::string(attributes[i].title) + "=" + attributes[i].value;
    }
    UF_free(attributes);
    return text;
}

std::string statusOf(tag_t part) {
    std::string status;
    int units = 0;
    if (UF_PART_ask_units(part, &units) == 0)
        status += units == HOST_UNITS_ENGLISH ? "inch" : "mm";
    int bits = DUC_ask_part_status(part);
    if (bits & HOST_PART_STATUS_FROZEN)
        status += ", frozen";
    if (bits & HOST_PART_STATUS_DELAYED)
        status += ", delayed";
    if (UF_PART_is_modified(part))
        status += ", modified";
    return status;
}

bool isSuppressed(tag_t occurrence) {
    tag_t instance = UF_ASSEM_ask_inst_of_part_occ(occurrence);
    logical suppressed = 0;
    return instance != NULL_TAG && UF_ASSEM_ask_suppress_state(instance, &suppressed) == 0 &&
           suppressed;
}

struct TreeCounts {
    int occurrences = 0;
    int suppressed = 0;
};

void printOccurrence(std::ostream& out, tag_t occurrence, int depth, TreeCounts& counts) {
    UF_OBJ_disp_props_t display{};
    UF_OBJ_ask_display_properties(occurrence, &display);
    out << std::string(static_cast<size_t>(depth) * 2 + 2, ' ')
        << LastPathComponent(partName(UF_ASSEM_ask_prototype_of_occ(occurrence))) << "  colour "
        << display.color;
    if (display.blank_status == HOST_BLANKED)
        out << ", blanked";
    if (isSuppressed(occurrence)) {
        out << ", suppressed";
        ++counts.suppressed;
    }
    out << '\n';

    tag_t* children = nullptr;
    int count = UF_ASSEM_ask_part_occ_children(occurrence, &children);
    for (int i = 0; i < count; ++i) {
        ++counts.occurrences;
        printOccurrence(out, children[i], depth + 1, counts);
    }
    UF_free(children);
}

} // namespace

void PrintSessionSummary(std::ostream& out) {
    tag_t display = UF_PART_ask_display_part();
    out << "Display part: " << (display ? partName(display) : "(none)") << '\n';

    int partCount = UF_PART_ask_num_parts();
    out << "Loaded parts (" << partCount << "):\n";
    for (int i = 0; i < partCount; ++i) {
        tag_t part = UF_PART_ask_nth_part(i);
        out << "  " << partName(part) << "  [" << statusOf(part) << "]\n"
            << "      " << attributesOf(part) << '\n';
    }

    if (display == NULL_TAG)
        return;
    TreeCounts counts;
    out << "Occurrences under the display part:\n";
    printOccurrence(out, UF_ASSEM_ask_root_part_occ(display), 0, counts);
    out << counts.occurrences << " occurrences, " << counts.suppressed << " suppressed\n";
}

} // namespace devhost
