// Working data of one BuildTree, internal to the model.
#pragma once

#include "model/row_model.h"

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

// A part's occurrences on display as ReadRowState compares them: their
// colour indices and blank states, in the host's order.
struct PartOnDisplay {
    tag_t tag = NULL_TAG;
    std::vector<int> colors;
    std::vector<int> blankStates;
    bool delayKnown = false;
    int delayStatus = 0;
};

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
    // What ReadRowState learnt of each part, by name: a part lies in several
    // rows, and its occurrences do not change while the build runs.
    std::unordered_map<std::string, PartOnDisplay> partsOnDisplay;
    // The same, by session part index for the rows built from matched
    // parts (their names are session parts', in this order).
    std::vector<std::vector<int>> rowSessionParts;
    std::vector<PartOnDisplay> sessionPartsOnDisplay;
    std::vector<char> sessionPartOnDisplayKnown;
    // What FillOtherRows learnt of each occurrence: nested _OTHER rows, and
    // the parent's own occurrences among its components, visit it again.
    std::unordered_map<tag_t, std::vector<tag_t>> childOccurrences;
    std::unordered_map<tag_t, std::string> prototypeNames;
};
