// Working data of one BuildTree, internal to the model.
#pragma once

#include "host/host_api.h"
#include "model/row_model.h"

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

struct RowModel::BuildScratch {
    // Tags of the session parts, beside m_sessionPartNames.
    std::vector<tag_t> partTags;
    tag_t displayPart = NULL_TAG;
    // What each session part contributes to any group it matches: asked
    // once per build, since the session does not change while it runs.
    std::vector<char> occurrencesKnown;
    std::vector<std::vector<tag_t>> occurrences;
    // The work-part record, read once when a group first needs it: the key
    // values recorded per group name.
    bool recordRead = false;
    bool recordReadable = false;
    std::unordered_map<std::string, std::unordered_set<std::string>> recordKeys;
    // What ReadRowState learnt of each occurrence: a part lies in several
    // rows, and nothing changes while the build runs.
    struct DisplayProperties {
        bool read = false;
        UF_OBJ_disp_props_t properties{};
    };
    std::unordered_map<tag_t, DisplayProperties> displayProperties;
    // What FillOtherRows learnt of each occurrence: nested _OTHER rows, and
    // the parent's own occurrences among its components, visit it again.
    std::unordered_map<tag_t, std::vector<tag_t>> childOccurrences;
    std::unordered_map<tag_t, std::string> prototypeNames;
};
