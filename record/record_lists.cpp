#include "record/record_lists.h"

#include "record/work_part_record.h"

#include <algorithm>
#include <cstring>

RecordData::RecordData(tag_t object) {
    if (object != NULL_TAG)
        read_ = UF_UDOBJ_ask_udo_data(object, &data_) == 0;
}

RecordData::~RecordData() {
    if (read_)
        UF_UDOBJ_free_udo_data(&data_);
}

namespace {
tag_t partsRecordIfAvailable() {
    return work_part_record_available() ? g_closedPartsRecord : NULL_TAG;
}
} // namespace

// Each list is read only when the records are available; a RecordData of
// tag 0 asks nothing.
ClosedPartsRecord::ClosedPartsRecord()
    : parts_(partsRecordIfAvailable()), groups_(parts_.IsRead() ? g_closedGroupsRecord : NULL_TAG),
      keys_(groups_.IsRead() ? g_closedKeysRecord : NULL_TAG) {
    readable_ = parts_.IsRead() && groups_.IsRead() && keys_.IsRead();
    if (readable_)
        count_ = std::min({parts_.StringCount(), groups_.StringCount(), keys_.StringCount()});
}

bool ClosedPartsRecord::IsEntryOf(int i, const char* groupName, const char* keyValue) const {
    if (std::strcmp(GroupName(i), groupName) != 0)
        return false;
    return keyValue[0] == '\0' || std::strcmp(KeyValue(i), keyValue) == 0;
}

namespace {
bool appendString(tag_t record, const char* text) {
    const char* strings[1] = {text};
    return UF_UDOBJ_add_strings(record, 1, strings) == 0;
}

// Takes the last string out of the record again.
void removeLastString(tag_t record) {
    RecordData data(record);
    if (data.StringCount() > 0)
        UF_UDOBJ_delete_strings(record, data.StringCount(), 1);
}

// Cuts the lists back to the entries all three hold, so that the entry
// appended next stands beside its own group and key: a record from elsewhere
// may have lists of unequal length, of which only the common part is read.
bool alignLists() {
    const tag_t lists[] = {g_closedPartsRecord, g_closedGroupsRecord, g_closedKeysRecord};
    int lengths[3] = {};
    for (int i = 0; i < 3; ++i) {
        const RecordData data(lists[i]);
        if (!data.IsRead())
            return false;
        lengths[i] = data.StringCount();
    }
    const int common = *std::min_element(lengths, lengths + 3);
    for (int i = 0; i < 3; ++i) {
        if (lengths[i] > common &&
            UF_UDOBJ_delete_strings(lists[i], common + 1, lengths[i] - common) != 0)
            return false;
    }
    return true;
}
} // namespace

bool record_closed_part(const char* fileName, const char* groupName, const char* keyValue) {
    if (!work_part_record_available() || !alignLists())
        return false;
    if (!appendString(g_closedPartsRecord, fileName))
        return false;
    if (!appendString(g_closedGroupsRecord, groupName)) {
        removeLastString(g_closedPartsRecord);
        return false;
    }
    if (!appendString(g_closedKeysRecord, keyValue)) {
        removeLastString(g_closedGroupsRecord);
        removeLastString(g_closedPartsRecord);
        return false;
    }
    return true;
}

bool remove_record_positions(std::vector<int> positions) {
    if (!work_part_record_available())
        return false;
    positions.erase(std::remove_if(positions.begin(), positions.end(), [](int p) { return p < 0; }),
                    positions.end());
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    bool removed = true;
    // Last run first, so that the positions still to remove keep their places.
    size_t end = positions.size();
    while (end > 0) {
        size_t begin = end - 1;
        while (begin > 0 && positions[begin - 1] == positions[begin] - 1)
            --begin;
        const int first = positions[begin] + 1; // the host counts from 1
        const int count = static_cast<int>(end - begin);
        for (tag_t record : {g_closedPartsRecord, g_closedGroupsRecord, g_closedKeysRecord}) {
            if (UF_UDOBJ_delete_strings(record, first, count) != 0)
                removed = false;
        }
        end = begin;
    }
    return removed;
}
