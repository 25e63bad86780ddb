// The work-part record: three user-defined objects in the work part that
// remember the parts closed from the View Manager, with the group name and the
// key value of the row each was closed from. This file registers their class
// and finds or creates them; record_lists.h reads and changes their strings.
#pragma once

#include "host/host_udo.h"

// Class of the record objects, registered without a friendly name.
constexpr char kRecordClassName[] = "HT_UDO_GENERAL1";

// Record keys: the first (and only) integer of each record object.
constexpr int kClosedPartsKey = 3;  // file names of the closed parts
constexpr int kClosedGroupsKey = 4; // group name of the row each was closed from
constexpr int kClosedKeysKey = 5;   // key value of that row

// The registered class, 0 until registration succeeded; never reset.
extern UF_UDOBJ_class_t g_recordClass;
// The record objects found or created by the last set-up, 0 when not
// available. Code that reads or writes the records leaves them alone unless
// all three are non-zero.
extern tag_t g_closedPartsRecord;
extern tag_t g_closedGroupsRecord;
extern tag_t g_closedKeysRecord;

// Registers the class once per process. 0 when it is registered (now or
// before); otherwise the host's code, after showing the host's text for it in
// the host's message box.
int register_record_class();

// The record object with that key in the part (in its prototype when the part
// is an occurrence), created there when the part has none; 0 when there is no
// part, no class, or the object cannot be made. The work part is the same
// afterwards.
tag_t find_or_create_record(tag_t part, int key);

// The set-up run before every build: registers the class, then finds or
// creates the three record objects in the current work part and keeps their
// tags in the globals above.
void set_up_work_part_record();

// True when all three record objects are available.
bool work_part_record_available();
