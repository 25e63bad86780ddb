// User-defined objects and their classes.
#include "host/host_udo.h"
#include "hostsim/simulator.h"

#include <algorithm>

using hostsim::HeapFamily;
using hostsim::Part;
using hostsim::simulator;
using hostsim::UserObject;

namespace {

const std::string* className(UF_UDOBJ_class_t id) {
    const auto& classes = simulator().classes;
    if (id == 0 || id > classes.size())
        return nullptr;
    return &classes[id - 1];
}

// The object when it lives in a loaded part.
hostsim::Session::ObjectRef loadedObject(tag_t tag) {
    hostsim::Session::ObjectRef ref = simulator().session.objectByTag(tag);
    if (!ref.part || !ref.part->loaded)
        return {};
    return ref;
}

template <typename Change> int changeObject(tag_t udo, Change change) {
    hostsim::Session::ObjectRef ref = loadedObject(udo);
    if (!ref.object)
        return HOST_ERR_BAD_TAG;
    int code = change(*ref.object);
    if (code == 0)
        ref.part->modified = true;
    return code;
}

} // namespace

extern "C" {

int UF_UDOBJ_create_class(const char* class_name, const char* friendly_name,
                          UF_UDOBJ_class_t* class_id) {
    const hostsim::HostCallScope hostCall;
    auto& s = simulator();
    if (auto code = s.enter("UF_UDOBJ_create_class", class_name, friendly_name))
        return *code;
    if (!class_name || !*class_name || !class_id)
        return HOST_ERR_BAD_ARGUMENT;
    auto& classes = s.classes;
    if (std::find(classes.begin(), classes.end(), class_name) != classes.end())
        return HOST_ERR_CLASS_EXISTS;
    classes.push_back(class_name);
    *class_id = static_cast<UF_UDOBJ_class_t>(classes.size());
    return 0;
}

int UF_UDOBJ_create_udo(UF_UDOBJ_class_t class_id, tag_t* udo) {
    const hostsim::HostCallScope hostCall;
    auto& s = simulator();
    if (udo)
        *udo = NULL_TAG;
    if (auto code = s.enter("UF_UDOBJ_create_udo", class_id))
        return *code;
    const std::string* name = className(class_id);
    if (!name || !udo)
        return HOST_ERR_BAD_ARGUMENT;
    Part* work = s.workPrototype();
    if (!work)
        return HOST_ERR_NO_WORK_PART;
    UserObject object;
    object.className = *name;
    *udo = s.session.addObject(*work, std::move(object)).tag;
    work->modified = true;
    return 0;
}

int UF_UDOBJ_cycle_udos_by_class(tag_t part, UF_UDOBJ_class_t class_id, tag_t* udo) {
    const hostsim::HostCallScope hostCall;
    auto& s = simulator();
    tag_t previous = udo ? *udo : NULL_TAG;
    if (udo)
        *udo = NULL_TAG;
    if (auto code = s.enter("UF_UDOBJ_cycle_udos_by_class", part, class_id, previous))
        return *code;
    const Part* found = s.session.loadedPart(part);
    const std::string* name = className(class_id);
    if (!found || !name || !udo)
        return HOST_ERR_BAD_ARGUMENT;
    const auto& objects = found->objects;
    auto next = objects.begin();
    if (previous != NULL_TAG) {
        next = std::find_if(objects.begin(), objects.end(),
                            [previous](const UserObject& o) { return o.tag == previous; });
        if (next == objects.end())
            return HOST_ERR_BAD_TAG;
        ++next;
    }
    next = std::find_if(next, objects.end(),
                        [name](const UserObject& o) { return o.className == *name; });
    if (next != objects.end())
        *udo = next->tag;
    return 0;
}

int UF_UDOBJ_ask_udo_data(tag_t udo, UF_UDOBJ_all_data_t* data) {
    const hostsim::HostCallScope hostCall;
    auto& s = simulator();
    if (auto code = s.enter("UF_UDOBJ_ask_udo_data", udo))
        return *code;
    hostsim::Session::ObjectRef ref = loadedObject(udo);
    if (!ref.object || !data)
        return HOST_ERR_BAD_TAG;
    const UserObject& object = *ref.object;
    *data = UF_UDOBJ_all_data_t{};
    auto found = std::find(s.classes.begin(), s.classes.end(), object.className);
    // An object read with its part may belong to a class not registered yet.
    if (found != s.classes.end())
        data->class_id = static_cast<UF_UDOBJ_class_t>(found - s.classes.begin() + 1);
    data->udo_tag = object.tag;
    data->num_ints = static_cast<int>(object.integers.size());
    if (!object.integers.empty()) {
        data->ints = static_cast<int*>(
            s.heap.allocate(object.integers.size() * sizeof(int), HeapFamily::ObjectData));
        std::copy(object.integers.begin(), object.integers.end(), data->ints);
    }
    data->num_strings = static_cast<int>(object.strings.size());
    if (!object.strings.empty()) {
        data->strings = static_cast<char**>(
            s.heap.allocate(object.strings.size() * sizeof(char*), HeapFamily::ObjectData));
        for (size_t i = 0; i < object.strings.size(); ++i)
            data->strings[i] = s.heap.copyText(object.strings[i], HeapFamily::ObjectData);
    }
    return 0;
}

int UF_UDOBJ_free_udo_data(UF_UDOBJ_all_data_t* data) {
    const hostsim::HostCallScope hostCall;
    auto& s = simulator();
    if (auto code = s.enter("UF_UDOBJ_free_udo_data"))
        return *code;
    if (!data)
        return HOST_ERR_BAD_ARGUMENT;
    const char* call = "UF_UDOBJ_free_udo_data";
    s.heap.release(data->ints, HeapFamily::ObjectData, call);
    if (data->strings) {
        for (int i = 0; i < data->num_strings; ++i)
            s.heap.release(data->strings[i], HeapFamily::ObjectData, call);
    }
    s.heap.release(data->strings, HeapFamily::ObjectData, call);
    *data = UF_UDOBJ_all_data_t{};
    return 0;
}

int UF_UDOBJ_add_integers(tag_t udo, int count, const int* values) {
    const hostsim::HostCallScope hostCall;
    if (auto code = simulator().enter("UF_UDOBJ_add_integers", udo, count))
        return *code;
    if (count < 0 || (count > 0 && !values))
        return HOST_ERR_BAD_ARGUMENT;
    return changeObject(udo, [&](UserObject& object) {
        object.integers.insert(object.integers.end(), values, values + count);
        return 0;
    });
}

int UF_UDOBJ_add_strings(tag_t udo, int count, const char* const* strings) {
    const hostsim::HostCallScope hostCall;
    auto& s = simulator();
    std::string first = count > 0 && strings && strings[0] ? strings[0] : "";
    if (auto code = s.enter("UF_UDOBJ_add_strings", udo, count, first))
        return *code;
    if (count < 0 || (count > 0 && !strings))
        return HOST_ERR_BAD_ARGUMENT;
    for (int i = 0; i < count; ++i) {
        if (!strings[i])
            return HOST_ERR_BAD_ARGUMENT;
    }
    return changeObject(udo, [&](UserObject& object) {
        object.strings.insert(object.strings.end(), strings, strings + count);
        return 0;
    });
}

int UF_UDOBJ_delete_strings(tag_t udo, int first, int count) {
    const hostsim::HostCallScope hostCall;
    if (auto code = simulator().enter("UF_UDOBJ_delete_strings", udo, first, count))
        return *code;
    return changeObject(udo, [&](UserObject& object) {
        long long last = static_cast<long long>(first) + count - 1;
        if (first < 1 || count < 0 || last > static_cast<long long>(object.strings.size()))
            return static_cast<int>(HOST_ERR_OUT_OF_RANGE);
        auto begin = object.strings.begin() + (first - 1);
        object.strings.erase(begin, begin + count);
        return 0;
    });
}

int UF_OBJ_delete_object(tag_t object) {
    const hostsim::HostCallScope hostCall;
    auto& s = simulator();
    if (auto code = s.enter("UF_OBJ_delete_object", object))
        return *code;
    hostsim::Session::ObjectRef ref = loadedObject(object);
    if (!ref.object)
        return HOST_ERR_BAD_TAG;
    Part* owner = ref.part;
    s.session.deleteObject(object);
    owner->modified = true;
    return 0;
}

} // extern "C"
