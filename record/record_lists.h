// Reading and changing the strings of the work-part record: the
// three parallel lists of closed parts, their group names and key values.
#pragma once

#include "host/host_udo.h"

#include <string>
#include <vector>

// The data of one record object, asked on construction and released with
// UF_UDOBJ_free_udo_data when it goes (only when the ask succeeded).
class RecordData {
  public:
    explicit RecordData(tag_t object);
    ~RecordData();
    RecordData(const RecordData&) = delete;
    RecordData& operator=(const RecordData&) = delete;

    bool IsRead() const { return read_; }
    int IntegerCount() const { return read_ && data_.ints ? data_.num_ints : 0; }
    int Integer(int i) const { return data_.ints[i]; }
    int StringCount() const { return read_ && data_.strings ? data_.num_strings : 0; }
    // Never null: a missing string reads as empty.
    const char* String(int i) const { return data_.strings[i] ? data_.strings[i] : ""; }

  private:
    UF_UDOBJ_all_data_t data_{};
    bool read_ = false;
};

// The three lists of the work-part record, read together (keys 3, 4, 5 in
// that order). Readable only when all three record objects exist and every
// read succeeded.
class ClosedPartsRecord {
  public:
    ClosedPartsRecord();
    ClosedPartsRecord(const ClosedPartsRecord&) = delete;
    ClosedPartsRecord& operator=(const ClosedPartsRecord&) = delete;

    bool IsReadable() const { return readable_; }
    // Positions present in all three lists (they are kept parallel; should
    // they ever differ, the shortest decides).
    int Count() const { return count_; }
    const char* FileName(int i) const { return parts_.String(i); }
    const char* GroupName(int i) const { return groups_.String(i); }
    const char* KeyValue(int i) const { return keys_.String(i); }
    // Whether position i belongs to a row with this group name and key value;
    // an empty key value stands for any value.
    bool IsEntryOf(int i, const char* groupName, const char* keyValue) const;

  private:
    RecordData parts_;
    RecordData groups_;
    RecordData keys_;
    bool readable_ = false;
    int count_ = 0;
};

// Appends one closed part to the three lists, with the whole group name and
// key value, after cutting lists of unequal length back to the entries all
// three hold. When one list refuses the string, what was added to the others
// is taken out again, so the lists stay parallel. False when nothing was
// recorded (the record objects missing or unreadable included).
bool record_closed_part(const char* fileName, const char* groupName, const char* keyValue);

// Removes the given positions (0-based, any order) from all three lists,
// last first, one run of adjacent positions per call on each list. False
// when a removal failed or the record objects are missing.
bool remove_record_positions(std::vector<int> positions);
