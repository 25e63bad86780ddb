// Tree building: the rows from the view configuration and the
// session's parts.
#include "config/view_config_file.h"
#include "host/host_api.h"
#include "host/host_calls.h"
#include "model/cell_pictures.h"
#include "model/host_arrays.h"
#include "model/part_attributes.h"
#include "model/part_name.h"
#include "model/row_model.h"
#include "model/session_cache.h"
#include "model/tree_walk.h"
#include "record/record_lists.h"

#include <algorithm>
#include <cassert>
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

void RowModel::BuildTree(const char* configPath, const TreeShape& shape) {
    // The configuration is read again: the caller has just read the same
    // file, but should it have changed since and no longer read, no row is
    // built from an incomplete record. A build never adds to old rows.
    ReleaseRowTables();
    const ViewConfigFile config(configPath);
    if (config.Result() == kViewConfigRead) {
        const SessionCache::Scope scope(m_cache);
        const std::vector<tag_t> partTags = collectSessionParts();
        const int wouldBeRows =
            appendKeptRows(config.Get(), matchPartsToEntries(config.Get(), partTags));
        insertListItems();
        FillOtherRows();
        readRowStates(shape);
        if (wouldBeRows > MAX_ROWS) {
            char message[sizeof kRowsCutMessage + 16];
            // Sized for any int, so nothing is cut.
            static_cast<void>(std::snprintf(message, sizeof message, kRowsCutMessage, wouldBeRows));
            ShowHostMessage(message);
        }
    }
    m_builtItemCount = m_list.GetItemCount();
}

std::vector<tag_t> RowModel::collectSessionParts() {
    // The parts as the host lists them now; a gap in its list is passed over.
    std::vector<tag_t> tags;
    const int partCount = UF_PART_ask_num_parts();
    for (int i = 0; i < partCount; ++i) {
        const tag_t tag = UF_PART_ask_nth_part(i);
        if (tag == NULL_TAG)
            continue;
        m_sessionPartNames.push_back(PartNameOf(tag));
        m_cache.AddSessionPart(m_sessionPartNames.back(), tag);
        tags.push_back(tag);
    }
    return tags;
}

std::vector<std::vector<int>>
RowModel::matchPartsToEntries(const ViewConfig& config, const std::vector<tag_t>& partTags) const {
    // Every session part against every entry, through the index: a part's
    // attributes are asked once; it is listed at most once per entry, and
    // each entry's list stays in session-part order.
    std::vector<std::vector<int>> matched(static_cast<size_t>(config.entryCount));
    const EntryIndex index(config);
    for (int p = 0; p < static_cast<int>(partTags.size()); ++p) {
        const PartAttributes attributes(partTags[p]);
        for (int a = 0; a < attributes.Count(); ++a) {
            index.ForEachFit(attributes.Title(a), attributes.Value(a), [&](int e) {
                std::vector<int>& parts = matched[e];
                if (parts.empty() || parts.back() != p)
                    parts.push_back(p);
            });
        }
    }
    return matched;
}

int RowModel::appendKeptRows(const ViewConfig& config,
                             const std::vector<std::vector<int>>& matched) {
    // An entry is kept when it has sub-groups or shows something, and rows
    // are appended while the model has room; the number of rows the whole
    // configuration would give is returned. keptThrough[e] is the number of
    // entries kept among 0 to e. Dropping an entry moves its sub-groups
    // under the row kept just before it: the parent of an entry whose
    // configured parent is P comes out as keptThrough[P] - 1, the row P
    // became or the last row kept before P (-1: a top row).
    std::vector<int> keptThrough(static_cast<size_t>(config.entryCount), 0);
    int wouldBeRows = 0;
    for (int e = 0; e < config.entryCount; ++e) {
        const int parent = config.parentIndex[e];
        const bool validParent = parent >= 0 && parent < e;
        std::vector<tag_t> occs;
        bool keep = false;
        if (parent != -1) {
            occs = CollectGroupOccurrences(matched[e]);
            keep = !occs.empty() || keepsEmptyGroup(config.groupName[e], config.keyValue[e],
                                                    validParent ? config.groupName[parent] : "");
        }
        keep = keep || config.hasSubGroups[e] != 0;
        keptThrough[e] = (e > 0 ? keptThrough[e - 1] : 0) + (keep ? 1 : 0);
        if (!keep)
            continue;
        ++wouldBeRows;
        if (RowCount() >= MAX_ROWS)
            continue;

        Row row;
        row.parent = validParent ? keptThrough[parent] - 1 : -1;
        row.name = config.groupName[e];
        row.customName = config.customName[e];
        row.key = config.keyValue[e];
        // Its item's colour from the build before stays while no occurrence
        // tells another.
        row.color = m_list.GetItemColor(RowCount());
        row.occCount = static_cast<int>(occs.size());
        row.occs = std::move(occs);
        row.partNames.reserve(matched[e].size());
        for (int p : matched[e])
            row.partNames.push_back(m_sessionPartNames[p]);
        m_rows.push_back(std::move(row));
    }
    return wouldBeRows;
}

void RowModel::insertListItems() {
    for (int r = 0; r < RowCount(); ++r)
        InsertRow(r);
}

void RowModel::FillOtherRows() {
    // The rows between an _OTHER row and its parent are its parent's
    // descendants before it, all final when it is filled (rows fill in
    // order): a name shows there when the last row before it to show the
    // name comes after the parent. One pass instead of one per _OTHER row.
    std::unordered_map<std::string_view, int> lastShownAt;
    for (int r = 0; r < RowCount(); ++r) {
        if (IsOtherRow(r)) {
            const int parent = RowAt(r).parent;
            fillOtherRow(r, [&](const std::string& name) {
                auto found = lastShownAt.find(name);
                return found != lastShownAt.end() && found->second > parent;
            });
        }
        for (const std::string& name : RowAt(r).partNames)
            lastShownAt[name] = r;
    }
}

void RowModel::ReadAndShowRowStates() {
    for (int r = 0; r < RowCount(); ++r) {
        ReadRowState(r);
        ShowRowState(r);
    }
}

void RowModel::readRowStates(const TreeShape& shape) {
    ReadAndShowRowStates();
    const int items = m_list.GetItemCount();
    const std::vector<uint64_t> places =
        IsEmpty(shape) || items < 1 ? std::vector<uint64_t>() : RowPlaces(*this);
    if (items >= 1)
        m_list.ExpandAllExcept(0, KeptCollapsed(places, shape));
    // The focus and the top go where the filter shows them.
    applyFilter();
    RestoreFocusAndTop(places, m_list, shape);
    m_list.RedrawItems(0, items - 1);
}

std::vector<tag_t> RowModel::CollectGroupOccurrences(const std::vector<int>& matchedParts) {
    std::vector<tag_t> occs;
    if (m_cache.DisplayPart() == NULL_TAG)
        return occs;
    for (int p : matchedParts) {
        const std::vector<tag_t>& partOccs =
            m_cache.PartOccurrencesOnDisplay(m_sessionPartNames[p]);
        occs.insert(occs.end(), partOccs.begin(), partOccs.end());
    }
    return occs;
}

bool RowModel::keepsEmptyGroup(const std::string& groupName, const std::string& keyValue,
                               const std::string& parentGroupName) {
    return isOtherGroupOf(groupName, parentGroupName) ||
           m_cache.RecordRemembers(groupName, keyValue);
}

void RowModel::InsertRow(int r) {
    Row& row = EditRow(r);
    const std::string text = "0:" + RowLabel(r);
    const int item = row.parent < 0 ? m_list.AppendItem(text.c_str())
                                    : m_list.AppendChildItem(text.c_str(), row.parent);
    // The list makes one item per row, in row order.
    assert(item == r);
    if (item != r || row.parent < 0)
        return;
    row.isOther = isOtherGroupOf(row.name, RowAt(row.parent).name);
}

void RowModel::FillOtherRow(int r) {
    const int p = RowAt(r).parent;
    std::unordered_set<std::string> shownBySiblings;
    for (int s = p + 1; s < r; ++s)
        shownBySiblings.insert(RowAt(s).partNames.begin(), RowAt(s).partNames.end());
    fillOtherRow(r, [&](const std::string& name) { return shownBySiblings.count(name) != 0; });
}

template <typename ShownBetween> void RowModel::fillOtherRow(int r, ShownBetween shownBetween) {
    const SessionCache::Scope scope(m_cache);
    // An _OTHER parent's count is not the length of its list: never read
    // past the list.
    const Row& parent = RowAt(RowAt(r).parent);
    const size_t parentCount =
        std::min(static_cast<size_t>(std::max(parent.occCount, 0)), parent.occs.size());
    std::unordered_set<tag_t> visited;
    std::vector<Component> components;
    for (size_t i = 0; i < parentCount; ++i) {
        std::vector<Component> more =
            CollectComponentNames(m_cache.ChildOccurrences(parent.occs[i]), visited);
        components.insert(components.end(), std::make_move_iterator(more.begin()),
                          std::make_move_iterator(more.end()));
    }

    Row& row = EditRow(r);
    row.partNames.clear();
    row.occs.clear();
    for (Component& component : components) {
        if (!component.name.empty() && !shownBetween(component.name)) {
            row.partNames.push_back(std::move(component.name));
            row.occs.push_back(component.occurrence);
        }
    }
    row.occCount = static_cast<int>(row.partNames.size());
    ShowRowCells(r);
}

std::vector<RowModel::Component>
RowModel::CollectComponentNames(const std::vector<tag_t>& occs,
                                std::unordered_set<tag_t>& visited) {
    // Each occurrence once: an assembly the host reports as leading back to
    // itself is still walked to its end.
    std::vector<Component> components;
    const auto visit = [&](tag_t occurrence) {
        if (!visited.insert(occurrence).second)
            return false;
        // Counted as the other rows count: suppressed occurrences are not
        // on display.
        if (m_cache.IsUnsuppressed(occurrence))
            components.push_back({m_cache.PrototypeName(occurrence), occurrence});
        return true;
    };
    for (tag_t occurrence : occs)
        WalkDepthFirst(occurrence, visit, [this](tag_t o) -> const std::vector<tag_t>& {
            return m_cache.ChildOccurrences(o);
        });
    return components;
}

namespace {
bool countsAsFrozen(int delayStatus) {
    return delayStatus == HOST_DELAY_FROZEN || delayStatus == HOST_DELAY_DELAYED;
}

} // namespace

void RowModel::ReadRowState(int r) {
    const SessionCache::Scope scope(m_cache);
    Row& row = EditRow(r);
    if (row.occCount <= 0) {
        // Nothing on display: an empty row, shown, not frozen, closed.
        row.color = 0;
        row.shown = true;
        row.unfrozen = true;
        row.open = false;
    } else {
        if (!ReadPartDisplayState(r)) {
            // No occurrence tells: shown, not frozen, colour as it was.
            row.shown = true;
            row.unfrozen = true;
        }
        row.open = true;
    }
    row.hasChildren = m_list.HasChildItems(r);
}

bool RowModel::ReadPartDisplayState(int r) {
    // The row's state comes from the occurrences it counts: the first that
    // tells is the reference; the row is mixed in colour (or in blanking)
    // when any other differs from it.
    const SessionCache::Scope scope(m_cache);
    bool haveReference = false;
    bool mixedColors = false;
    bool mixedBlanking = false;
    UF_OBJ_disp_props_t reference{};
    tag_t referenceOccurrence = NULL_TAG;
    for (tag_t occurrence : RowAt(r).occs) {
        UF_OBJ_disp_props_t properties{};
        if (!m_cache.DisplayProperties(occurrence, properties))
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
    const tag_t part = referenceOccurrence == NULL_TAG ? m_cache.DisplayPart()
                                                       : m_cache.PrototypeOf(referenceOccurrence);
    Row& row = EditRow(r);
    row.color = mixedColors ? kMixedColor : m_cache.PackedColor(reference.color);
    row.shown = !(reference.blank_status == HOST_BLANKED && !mixedBlanking);
    row.unfrozen = !countsAsFrozen(m_cache.DelayStatus(part));
    return true;
}
