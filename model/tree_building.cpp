// Tree building: the rows from the view configuration and the
// session's parts.
#include "config/view_config.h"
#include "host/host_api.h"
#include "model/cell_pictures.h"
#include "model/host_arrays.h"
#include "model/host_color.h"
#include "model/occurrence_state.h"
#include "model/part_attributes.h"
#include "model/part_name.h"
#include "model/row_model.h"
#include "model/tree_building_scratch.h"
#include "model/tree_walk.h"
#include "record/record_lists.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace {

const char kOtherSuffix[] = "_OTHER";

bool isOtherGroupOf(const std::string& groupName, const std::string& parentGroupName) {
    return groupName.size() == parentGroupName.size() + sizeof kOtherSuffix - 1 &&
           groupName.compare(0, parentGroupName.size(), parentGroupName) == 0 &&
           groupName.compare(parentGroupName.size(), std::string::npos, kOtherSuffix) == 0;
}

// Releases the configuration record however the build ends.
class ConfigHolder {
  public:
    ConfigHolder() = default;
    ~ConfigHolder() { ReleaseViewConfig(&config); }
    ConfigHolder(const ConfigHolder&) = delete;
    ConfigHolder& operator=(const ConfigHolder&) = delete;
    ViewConfig config{};
};

// The configuration's entries by group name, then by key value, so that a
// part attribute finds the entries it fits without looking at the others.
// Entry lists are in entry order.
class EntryIndex {
  public:
    explicit EntryIndex(const ViewConfig& config) {
        for (int e = 0; e < config.entryCount; ++e) {
            Group& group = groups_[config.groupName[e]];
            if (config.keyValue[e][0] == '\0')
                group.anyValue.push_back(e);
            else
                group.byValue[config.keyValue[e]].push_back(e);
        }
    }

    // Calls fits(e) for every entry that an attribute with this title and
    // value fits: those of any value, then those of this value.
    template <typename Fits>
    void ForEachFit(std::string_view title, std::string_view value, Fits fits) const {
        auto group = groups_.find(title);
        if (group == groups_.end())
            return;
        for (int e : group->second.anyValue)
            fits(e);
        auto exact = group->second.byValue.find(value);
        if (exact != group->second.byValue.end()) {
            for (int e : exact->second)
                fits(e);
        }
    }

  private:
    struct Group {
        std::vector<int> anyValue;
        std::unordered_map<std::string_view, std::vector<int>> byValue;
    };
    std::unordered_map<std::string_view, Group> groups_;
};

} // namespace

void RowModel::BuildTree(const char* configPath) {
    // 1. The configuration, read again. The caller has just read the same
    // file; should it have changed since and no longer read, no row is built
    // from an incomplete record.
    ConfigHolder holder;
    const ViewConfig& config = holder.config;
    // The caller has released the tables; a build never adds to old rows.
    ReleaseRowTables();
    if (ReadViewConfig(configPath, &holder.config) != kViewConfigRead)
        return;

    m_build = std::make_unique<BuildScratch>();
    BuildScratch& build = *m_build;

    // 3. Session parts.
    const int partCount = UF_PART_ask_num_parts();
    m_sessionPartNames.clear();
    m_sessionPartCount = 0;
    for (int i = 0; i < partCount; ++i) {
        const tag_t tag = UF_PART_ask_nth_part(i);
        if (tag == NULL_TAG)
            continue;
        m_sessionPartNames.push_back(PartNameOf(tag));
        build.partTags.push_back(tag);
        ++m_sessionPartCount;
    }
    build.occurrencesKnown.assign(m_sessionPartNames.size(), 0);
    build.occurrences.resize(m_sessionPartNames.size());

    // 4. Matching: every session part against every entry, through the
    // index. A part's attributes are asked once; it is listed at most once
    // per entry, and each entry's list stays in session-part order.
    std::vector<std::vector<int>> matched(static_cast<size_t>(config.entryCount));
    {
        const EntryIndex index(config);
        for (int p = 0; p < m_sessionPartCount; ++p) {
            const PartAttributes attributes(build.partTags[p]);
            for (int a = 0; a < attributes.Count(); ++a) {
                index.ForEachFit(attributes.Title(a), attributes.Value(a), [&](int e) {
                    std::vector<int>& parts = matched[e];
                    if (parts.empty() || parts.back() != p)
                        parts.push_back(p);
                });
            }
        }
    }

    // 5. Keep or drop. keptThrough[e] is the number of entries kept among 0
    // to e. Dropping an entry moves its sub-groups under the row kept just
    // before it: the working parent of an entry whose configured parent is P
    // comes out as keptThrough[P] - 1, the row P became or the last row kept
    // before P (-1: a top row).
    build.displayPart = UF_PART_ask_display_part();
    std::vector<int> keptThrough(static_cast<size_t>(config.entryCount), 0);
    int wouldBeRows = 0;
    for (int e = 0; e < config.entryCount; ++e) {
        const int parent = config.parentIndex[e];
        const bool validParent = parent >= 0 && parent < e;
        std::vector<tag_t> occs;
        int keep = 0;
        if (parent != -1) {
            const std::string parentName = validParent ? config.groupName[parent] : "";
            keep = CollectGroupOccurrences(config.groupName[e], config.keyValue[e], parentName,
                                           matched[e], occs);
        }
        if (config.hasSubGroups[e] != 0)
            keep = 1;
        keptThrough[e] = (e > 0 ? keptThrough[e - 1] : 0) + keep;
        if (!keep)
            continue;
        ++wouldBeRows;
        if (m_rowCount >= MAX_ROWS)
            continue;

        const int r = m_rowCount++;
        m_rowId.push_back(r);
        m_rowParent.push_back(validParent ? keptThrough[parent] - 1 : -1);
        m_rowName.emplace_back(config.groupName[e]);
        m_rowCustomName.emplace_back(config.customName[e]);
        m_rowKey.emplace_back(config.keyValue[e]);
        m_rowOccCount[r] = static_cast<int>(occs.size());
        m_rowOccs.push_back(std::move(occs));
        std::vector<std::string> names;
        names.reserve(matched[e].size());
        for (int p : matched[e])
            names.push_back(m_sessionPartNames[p]);
        m_rowPartCount.push_back(static_cast<int>(names.size()));
        m_rowPartNames.push_back(std::move(names));
    }
    // 6. The matched lists and working arrays go with this scope.
    matched.clear();

    // 7. The list items.
    for (int r = 0; r < m_rowCount; ++r) {
        m_otherRowIndex[r] = -1;
        InsertRow(m_rowName[r], m_rowCustomName[r]);
    }
    // 8.
    FillOtherRows();
    // 9.
    for (int r = 0; r < m_rowCount; ++r) {
        ReadRowState(r);
        ShowRowState(r);
    }
    // 10, 11.
    const int items = m_list.GetItemCount();
    if (items >= 1)
        m_list.ExpandAll(0);
    m_list.RedrawItems(0, items - 1);
    m_build.reset();

    if (wouldBeRows > MAX_ROWS) {
        char message[sizeof kRowsCutMessage + 16];
        std::snprintf(message, sizeof message, kRowsCutMessage, wouldBeRows);
        uc1601(message, 1);
    }
    // 12. The configuration goes with holder.
}

std::vector<tag_t> RowModel::partOccurrencesOnDisplay(int part, tag_t displayPart) {
    std::vector<tag_t> occs;
    char* fileName = nullptr;
    const int decoded = KZMGR_decode_cli_part_file(m_sessionPartNames[part].c_str(), &fileName);
    const bool loaded = decoded == 0 && fileName && PART_is_part_loaded(fileName);
    const tag_t tag = loaded ? PART_ask_part_of_filename(fileName) : NULL_TAG;
    if (fileName)
        SM_free(fileName);
    if (!loaded)
        return occs;
    if (tag == displayPart) {
        occs.push_back(NULL_TAG); // the display part itself
        return occs;
    }
    SmTagArray found;
    found.SetCount(OCC_ask_occs_of_part_in_assy(displayPart, tag, found.Out()));
    for (tag_t occurrence : found) {
        const tag_t instance = OCC_ask_instance_of_part_occ(occurrence);
        if (instance != NULL_TAG && !OCC_is_instance_suppressed(instance))
            occs.push_back(occurrence);
    }
    return occs;
}

int RowModel::CollectGroupOccurrences(const std::string& groupName, const std::string& keyValue,
                                      const std::string& parentGroupName,
                                      const std::vector<int>& matchedParts,
                                      std::vector<tag_t>& outOccs) {
    outOccs.clear();
    const tag_t displayPart = m_build ? m_build->displayPart : UF_PART_ask_display_part();
    if (displayPart != NULL_TAG) {
        for (int p : matchedParts) {
            if (p < 0 || p >= m_sessionPartCount)
                continue;
            if (!m_build) {
                std::vector<tag_t> occs = partOccurrencesOnDisplay(p, displayPart);
                outOccs.insert(outOccs.end(), occs.begin(), occs.end());
                continue;
            }
            if (!m_build->occurrencesKnown[p]) {
                m_build->occurrences[p] = partOccurrencesOnDisplay(p, displayPart);
                m_build->occurrencesKnown[p] = 1;
            }
            const std::vector<tag_t>& occs = m_build->occurrences[p];
            outOccs.insert(outOccs.end(), occs.begin(), occs.end());
        }
    }
    if (!outOccs.empty())
        return 1;
    if (isOtherGroupOf(groupName, parentGroupName))
        return 1;
    return recordRemembers(groupName, keyValue) ? 1 : 0;
}

bool RowModel::recordRemembers(const std::string& groupName, const std::string& keyValue) {
    BuildScratch local;
    BuildScratch& build = m_build ? *m_build : local;
    if (!build.recordRead) {
        build.recordRead = true;
        const ClosedPartsRecord record;
        build.recordReadable = record.IsReadable();
        for (int i = 0; i < record.Count(); ++i)
            build.recordKeys[record.GroupName(i)].insert(record.KeyValue(i));
    }
    if (!build.recordReadable)
        return false;
    auto group = build.recordKeys.find(groupName);
    if (group == build.recordKeys.end())
        return false;
    return keyValue.empty() || group->second.count(keyValue) != 0;
}

int RowModel::InsertRow(const std::string& groupName, const std::string& customName) {
    const std::string& label = m_treeMode != 1 ? customName : groupName;
    const int i = m_list.AppendItem(("0:" + label).c_str());
    if (i < 0 || i >= static_cast<int>(m_rowParent.size()) || m_rowParent[i] < 0)
        return i;
    const int parent = m_rowParent[i];
    m_list.SetItemParent(i, parent);
    if (isOtherGroupOf(groupName, m_rowName[parent]))
        m_otherRowIndex[i] = i;
    return i;
}

void RowModel::FillOtherRows() {
    for (int r = 0; r < m_rowCount; ++r) {
        if (m_otherRowIndex[r] != -1)
            FillOtherRow(r);
    }
}

void RowModel::FillOtherRow(int r) {
    const int p = m_rowParent[r];
    const int end = m_rowId[r];
    m_childPartNames.clear();
    m_childPartOccs.clear();
    m_childPartCount = 0;
    // An _OTHER parent's count is not the length of its list:
    // never read past the list.
    const std::vector<tag_t>& parentOccs = m_rowOccs[p];
    const int parentCount = std::min(m_rowOccCount[p], static_cast<int>(parentOccs.size()));
    std::unordered_set<tag_t> visited;
    for (int i = 0; i < parentCount; ++i) {
        const std::vector<tag_t> children = childOccurrencesOf(parentOccs[i]);
        CollectComponentNames(static_cast<int>(children.size()), children.data(), visited);
    }

    std::unordered_set<std::string> shownBySiblings;
    for (int s = p + 1; s < end; ++s)
        shownBySiblings.insert(m_rowPartNames[s].begin(), m_rowPartNames[s].end());
    std::vector<std::string> names;
    std::vector<tag_t> counted;
    for (size_t i = 0; i < m_childPartNames.size(); ++i) {
        const std::string& name = m_childPartNames[i];
        if (!name.empty() && shownBySiblings.count(name) == 0) {
            names.push_back(name);
            counted.push_back(m_childPartOccs[i]);
        }
    }
    const int count = static_cast<int>(names.size());
    m_rowPartNames[r] = std::move(names);
    m_rowOccs[r] = std::move(counted);
    m_rowPartCount[r] = count;
    m_rowOccCount[r] = count;
    m_list.SetItemNumber(r, count);
}

void RowModel::CollectComponentNames(int count, const tag_t* occs,
                                     std::unordered_set<tag_t>& visited) {
    // Each occurrence once: an assembly the host reports as leading back to
    // itself is still walked to its end.
    const auto visit = [&](tag_t occurrence) {
        if (!visited.insert(occurrence).second)
            return false;
        // Counted as the other rows count: suppressed occurrences are not
        // on display.
        if (IsUnsuppressedOccurrence(occurrence)) {
            m_childPartNames.push_back(prototypeNameOf(occurrence));
            m_childPartOccs.push_back(occurrence);
            ++m_childPartCount;
        }
        return true;
    };
    for (int i = 0; i < count && occs; ++i)
        WalkDepthFirst(occs[i], visit,
                       [this](tag_t occurrence) { return childOccurrencesOf(occurrence); });
}

std::vector<tag_t> RowModel::childOccurrencesOf(tag_t occurrence) {
    if (m_build) {
        auto known = m_build->childOccurrences.find(occurrence);
        if (known != m_build->childOccurrences.end())
            return known->second;
    }
    UfTagArray children;
    AskChildOccurrences(occurrence, children);
    std::vector<tag_t> copy(children.begin(), children.end());
    if (m_build)
        m_build->childOccurrences.emplace(occurrence, copy);
    return copy;
}

std::string RowModel::prototypeNameOf(tag_t occurrence) {
    if (m_build) {
        auto known = m_build->prototypeNames.find(occurrence);
        if (known != m_build->prototypeNames.end())
            return known->second;
    }
    std::string name = PartNameOf(UF_ASSEM_ask_prototype_of_occ(occurrence));
    if (m_build)
        m_build->prototypeNames.emplace(occurrence, name);
    return name;
}

namespace {
int delayStatusOf(tag_t part) {
    int status = HOST_DELAY_NONE;
    if (UF_WAVE_ask_delay_status(part, &status) != 0)
        status = HOST_DELAY_NONE;
    return status;
}

bool countsAsFrozen(int delayStatus) {
    return delayStatus == HOST_DELAY_FROZEN || delayStatus == HOST_DELAY_DELAYED;
}

} // namespace

void RowModel::ReadRowState(int r) {
    if (m_rowOccCount[r] <= 0) {
        // Nothing on display: an empty row, shown, not frozen, closed.
        m_list.SetItemColor(r, 0);
        m_rowShown[r] = 1;
        m_rowUnfrozen[r] = 1;
        m_rowOpen[r] = 0;
    } else {
        if (!ReadOccurrenceState(r)) {
            // No occurrence tells: shown, not frozen, colour as it was.
            m_rowShown[r] = 1;
            m_rowUnfrozen[r] = 1;
        }
        m_rowOpen[r] = 1;
    }

    if (static_cast<int>(m_rowHasChildren.size()) < r + 1)
        m_rowHasChildren.resize(static_cast<size_t>(r) + 1, 0);
    m_rowHasChildren[r] = m_list.HasChildItems(r) ? 1 : 0;
}

bool RowModel::ReadOccurrenceState(int r) {
    // The row's state comes from the occurrences it counts: the first that
    // tells is the reference; the row is mixed in colour (or in blanking)
    // when any other differs from it.
    const tag_t displayPart = m_build ? m_build->displayPart : UF_PART_ask_display_part();
    bool haveReference = false;
    bool mixedColors = false;
    bool mixedBlanking = false;
    UF_OBJ_disp_props_t reference{};
    tag_t referenceOccurrence = NULL_TAG;
    for (tag_t occurrence : m_rowOccs[r]) {
        UF_OBJ_disp_props_t properties{};
        if (!displayPropertiesOf(occurrence, displayPart, properties))
            continue;
        if (!haveReference) {
            haveReference = true;
            reference = properties;
            referenceOccurrence = occurrence;
            continue;
        }
        mixedColors = mixedColors || properties.color != reference.color;
        mixedBlanking = mixedBlanking || properties.blank_status != reference.blank_status;
        if (mixedColors && mixedBlanking)
            break;
    }
    if (!haveReference)
        return false;
    const tag_t part = referenceOccurrence == NULL_TAG
                           ? displayPart
                           : UF_ASSEM_ask_prototype_of_occ(referenceOccurrence);
    m_list.SetItemColor(r, mixedColors ? kMixedColor : AskPackedColor(reference.color));
    m_rowShown[r] = reference.blank_status == HOST_BLANKED && !mixedBlanking ? 0 : 1;
    m_rowUnfrozen[r] = countsAsFrozen(delayStatusOf(part)) ? 0 : 1;
    return true;
}

bool RowModel::displayPropertiesOf(tag_t occurrence, tag_t displayPart,
                                   UF_OBJ_disp_props_t& properties) {
    if (m_build) {
        auto known = m_build->displayProperties.find(occurrence);
        if (known != m_build->displayProperties.end()) {
            properties = known->second.properties;
            return known->second.read;
        }
    }
    // 0 stands for the display part, shown through its root occurrence.
    const tag_t shown =
        occurrence == NULL_TAG ? UF_ASSEM_ask_root_part_occ(displayPart) : occurrence;
    const bool read = shown != NULL_TAG && UF_OBJ_ask_display_properties(shown, &properties) == 0;
    if (m_build)
        m_build->displayProperties[occurrence] = {read, properties};
    return read;
}
