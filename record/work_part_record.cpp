#include "record/work_part_record.h"

#include "host/host_assembly.h"
#include "host/host_calls.h"
#include "host/host_session.h"
#include "host/host_state_scopes.h"
#include "record/record_lists.h"

UF_UDOBJ_class_t g_recordClass = 0;
tag_t g_closedPartsRecord = NULL_TAG;
tag_t g_closedGroupsRecord = NULL_TAG;
tag_t g_closedKeysRecord = NULL_TAG;

int register_record_class() {
    if (g_recordClass != 0)
        return 0;
    UF_UDOBJ_class_t id = 0;
    int code = UF_UDOBJ_create_class(kRecordClassName, nullptr, &id);
    if (code != 0) {
        char message[HOST_FAIL_MESSAGE_BUFSIZE] = "";
        UF_get_fail_message(code, message);
        ShowHostMessage(message);
        return code;
    }
    g_recordClass = id;
    return 0;
}

namespace {

bool hasKey(tag_t object, int key) {
    RecordData data(object);
    return data.IsRead() && data.IntegerCount() > 0 && data.Integer(0) == key;
}

// Creates the object in part, which must be made the work part for it.
tag_t createRecord(tag_t part, int key) {
    if (UF_ASSEM_set_work_part(part) != 0)
        return NULL_TAG;
    tag_t object = NULL_TAG;
    if (UF_UDOBJ_create_udo(g_recordClass, &object) != 0 || object == NULL_TAG)
        return NULL_TAG;
    if (UF_UDOBJ_add_integers(object, 1, &key) != 0) {
        UF_OBJ_delete_object(object);
        return NULL_TAG;
    }
    return object;
}

} // namespace

tag_t find_or_create_record(tag_t part, int key) {
    // Without a class nothing can be found or made.
    if (part == NULL_TAG || g_recordClass == 0)
        return NULL_TAG;
    if (UF_ASSEM_is_part_occurrence(part))
        part = UF_ASSEM_ask_prototype_of_occ(part);
    if (part == NULL_TAG)
        return NULL_TAG;

    tag_t object = NULL_TAG;
    while (UF_UDOBJ_cycle_udos_by_class(part, g_recordClass, &object) == 0 && object != NULL_TAG) {
        if (hasKey(object, key))
            return object;
    }

    const WorkPartKept workPart;
    return createRecord(part, key);
}

void set_up_work_part_record() {
    register_record_class();
    g_closedPartsRecord = find_or_create_record(UF_ASSEM_ask_work_part(), kClosedPartsKey);
    g_closedGroupsRecord = find_or_create_record(UF_ASSEM_ask_work_part(), kClosedGroupsKey);
    g_closedKeysRecord = find_or_create_record(UF_ASSEM_ask_work_part(), kClosedKeysKey);
}

bool work_part_record_available() {
    return g_closedPartsRecord != NULL_TAG && g_closedGroupsRecord != NULL_TAG &&
           g_closedKeysRecord != NULL_TAG;
}
