// Working data of one BuildTree, internal to the model.
#pragma once

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
};
