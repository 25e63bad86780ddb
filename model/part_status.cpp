// Part status and loading: opening and closing a row's parts, and
// the work-part record that remembers what was closed.
#include "host/host_api.h"
#include "host/host_state_scopes.h"
#include "model/host_arrays.h"
#include "model/occurrence_state.h"
#include "model/part_attributes.h"
#include "model/row_model.h"
#include "record/record_lists.h"
#include "record/work_part_record.h"

#include <algorithm>
#include <cstring>
#include <utility>

tag_t g_displayPartBeforeOpen = NULL_TAG;

namespace {

// The load status of an open; its arrays are released whenever they hold
// something, whatever the open's outcome.
class LoadStatus {
  public:
    LoadStatus() = default;
    ~LoadStatus() {
        if (status.n_parts > 0) {
            if (status.statuses)
                UF_free(status.statuses);
            if (status.file_names)
                UF_free_string_array(status.n_parts, status.file_names);
        }
    }
    LoadStatus(const LoadStatus&) = delete;
    LoadStatus& operator=(const LoadStatus&) = delete;
    UF_PART_load_status_t status{0, 0, nullptr, nullptr};
};

// Only an entry with its group and key counts: a name past the end of the
// other lists is no entry.
bool isRecordedFile(const char* fileName) {
    const ClosedPartsRecord record;
    for (int i = 0; i < record.Count(); ++i) {
        if (std::strcmp(record.FileName(i), fileName) == 0)
            return true;
    }
    return false;
}

// Takes the last entry out of the record again, after the part it
// remembers stayed open.
void forgetLastRecordedPart() {
    int last = -1;
    {
        const ClosedPartsRecord record;
        if (record.IsReadable())
            last = record.Count() - 1;
    }
    if (last >= 0)
        remove_record_positions({last});
}

} // namespace

int RowModel::OpenPartQuietly(const char* partName) {
    const DisplayUpdatesOff displayOff;
    if (UF_PART_is_loaded(partName))
        return 0;
    tag_t part = NULL_TAG;
    LoadStatus load;
    const int code = UF_PART_open_quiet(partName, &part, &load.status);
    // Only a part that did open becomes the display part.
    if (code == 0 && part != NULL_TAG)
        UF_PART_set_display_part(part);
    return code;
}

void RowModel::OpenRowParts(int r) {
    const ClosedPartsRecord record;
    if (!record.IsReadable())
        return;
    const char* group = RowAt(r).name.c_str();
    if (IsOtherRow(r)) {
        // The row is then filled as a build fills it, from the parent's
        // occurrences, so that its names, occurrences and count agree.
        for (int i = 0; i < record.Count(); ++i) {
            if (std::strcmp(record.GroupName(i), group) == 0)
                OpenPartQuietly(record.FileName(i));
        }
        FillOtherRow(r);
        return;
    }
    EditRow(r).partNames.clear();
    for (int i = 0; i < record.Count(); ++i) {
        if (!record.IsEntryOf(i, group, RowAt(r).key.c_str()))
            continue;
        const char* file = record.FileName(i);
        // A part opened here is a session part for the rebuild that follows,
        // although the last build did not see it loaded.
        if (OpenPartQuietly(file) == 0 &&
            std::find(m_sessionPartNames.begin(), m_sessionPartNames.end(), file) ==
                m_sessionPartNames.end())
            m_sessionPartNames.emplace_back(file);
    }
}

void RowModel::RebuildRowParts(int r) {
    // 1. Part names: the session parts that carry the row's attribute.
    const Row& row = RowAt(r);
    std::vector<std::string> names =
        m_partIndex.LoadedPartsWith(m_sessionPartNames, row.name, row.key);
    EditRow(r).partNames = std::move(names);

    // 2. Occurrences in the display part from before the open.
    std::vector<tag_t>& occs = EditRow(r).occs;
    occs.clear();
    int count = 0;
    for (const std::string& name : row.partNames) {
        if (!UF_PART_is_loaded(name.c_str()))
            continue;
        const tag_t tag = UF_PART_ask_part_tag(name.c_str());
        // The display part is its own occurrence, in its place among the
        // row's parts as a build has it.
        if (tag == g_displayPartBeforeOpen) {
            occs.push_back(NULL_TAG);
            ++count;
            continue;
        }
        UfTagArray found;
        AskOccurrencesOfPart(g_displayPartBeforeOpen, tag, found);
        for (tag_t occurrence : found) {
            if (IsUnsuppressedOccurrence(occurrence)) {
                occs.push_back(occurrence);
                ++count;
            }
        }
    }
    EditRow(r).occCount = count;

    // 3, 4. A row that still shows nothing forgets its record entries.
    if (count != 0)
        return;
    std::vector<int> positions;
    {
        const ClosedPartsRecord record;
        if (!record.IsReadable())
            return;
        for (int i = 0; i < record.Count(); ++i) {
            if (record.IsEntryOf(i, row.name.c_str(), row.key.c_str()))
                positions.push_back(i);
        }
    }
    if (!positions.empty())
        remove_record_positions(positions);
}

void RowModel::CloseRowParts(int r, std::unordered_set<std::string>& closedParts) {
    // A part the host does not close stays in the row, open and unrecorded.
    std::vector<std::string> leftOpen;
    for (const std::string& name : RowAt(r).partNames) {
        if (closedParts.count(name) != 0)
            continue;
        if (!UF_PART_is_loaded(name.c_str())) {
            closedParts.insert(name);
            continue;
        }
        const tag_t tag = UF_PART_ask_part_tag(name.c_str());
        if (tag != UF_PART_ask_display_part()) {
            UfTagArray occs;
            AskOccurrencesOfPart(NULL_TAG, tag, occs);
            if (std::none_of(occs.begin(), occs.end(), IsUnsuppressedOccurrence))
                continue; // all suppressed: neither recorded nor closed
        }
        // The whole group name and key value go to the record, so that the
        // row finds its entries again however long they are. A part that
        // the record should remember but cannot is left open rather than
        // lost.
        const bool recordsIt = work_part_record_available() && !isRecordedFile(name.c_str());
        const bool recorded = !recordsIt || record_closed_part(name.c_str(), RowAt(r).name.c_str(),
                                                               RowAt(r).key.c_str());
        if (recorded && UF_PART_is_loaded(name.c_str()))
            UF_PART_close(tag, 1, 1);
        if (!UF_PART_is_loaded(name.c_str())) {
            closedParts.insert(name);
            continue;
        }
        if (recordsIt && recorded)
            forgetLastRecordedPart();
        leftOpen.push_back(name);
        m_partsLeftOpen.push_back(name);
    }
    if (!leftOpen.empty()) {
        keepOpenParts(r, std::move(leftOpen));
        return;
    }

    Row& row = EditRow(r);
    row.occs.clear();
    row.occCount = 0;
    row.partNames.clear();
    row.open = false;
    row.blocksSolid = false;
    row.color = 0;
    ShowRowCells(r);
}

std::vector<std::string> RowModel::TakePartsLeftOpen() {
    return std::exchange(m_partsLeftOpen, {});
}

void RowModel::keepOpenParts(int r, std::vector<std::string> names) {
    std::vector<tag_t> parts;
    parts.reserve(names.size());
    for (const std::string& name : names)
        parts.push_back(UF_PART_ask_part_tag(name.c_str()));
    const tag_t display = UF_PART_ask_display_part();
    Row& row = EditRow(r);
    std::vector<tag_t>& occs = row.occs;
    occs.erase(std::remove_if(occs.begin(), occs.end(),
                              [&](tag_t occurrence) {
                                  const tag_t part =
                                      occurrence == NULL_TAG
                                          ? display
                                          : UF_ASSEM_ask_prototype_of_occ(occurrence);
                                  return std::find(parts.begin(), parts.end(), part) == parts.end();
                              }),
               occs.end());
    row.partNames = std::move(names);
    // An _OTHER row counts its names.
    row.occCount = static_cast<int>(row.isOther ? row.partNames.size() : occs.size());
    row.open = true;
    ShowRowState(r);
}
