// Session bracket, system information, messages, files, environment, help,
// memory and formatting.
#include "host/host_session.h"
#include "hostsim/files.h"
#include "hostsim/simulator.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

using hostsim::HeapFamily;
using hostsim::simulator;

extern "C" {

int UF_initialize(void) {
    const hostsim::HostCallScope hostCall;
    auto& s = simulator();
    if (auto code = s.enter("UF_initialize"))
        return *code;
    ++s.sessionDepth;
    return 0;
}

logical UF_is_initialized(void) {
    const hostsim::HostCallScope hostCall;
    auto& s = simulator();
    if (s.enter("UF_is_initialized"))
        return 0;
    return s.sessionDepth > 0 ? 1 : 0;
}

int UF_terminate(void) {
    const hostsim::HostCallScope hostCall;
    auto& s = simulator();
    if (auto code = s.enter("UF_terminate"))
        return *code;
    if (s.sessionDepth == 0) {
        ++s.strayTerminates;
        return HOST_ERR_NOT_INITIALIZED;
    }
    --s.sessionDepth;
    return 0;
}

int UF_ask_system_info(UF_system_info_t* info) {
    const hostsim::HostCallScope hostCall;
    auto& s = simulator();
    if (auto code = s.enter("UF_ask_system_info"))
        return *code;
    if (!info)
        return HOST_ERR_BAD_ARGUMENT;
    const hostsim::SystemInfo& system = s.session.system;
    info->date_buf = s.heap.copyText("06-Dec-2026 12:00", HeapFamily::SystemInfo);
    info->user_name = s.heap.copyText(system.userName, HeapFamily::SystemInfo);
    info->node_name = s.heap.copyText(system.nodeName, HeapFamily::SystemInfo);
    info->machine_type = s.heap.copyText(system.machineType, HeapFamily::SystemInfo);
    // An empty name stands for a host that reports none.
    info->os_name =
        system.osName.empty() ? nullptr : s.heap.copyText(system.osName, HeapFamily::SystemInfo);
    info->os_version = s.heap.copyText(system.osVersion, HeapFamily::SystemInfo);
    info->physical_memory_mb = system.physicalMemoryMb;
    return 0;
}

int UF_free_system_info(UF_system_info_t* info) {
    const hostsim::HostCallScope hostCall;
    auto& s = simulator();
    if (auto code = s.enter("UF_free_system_info"))
        return *code;
    if (!info)
        return HOST_ERR_BAD_ARGUMENT;
    // The texts are the host's, lent to be read.
    if (info->os_name && s.session.system.osName != info->os_name)
        s.heap.recordMisuse("UF_free_system_info: the caller changed os_name");
    for (char** text : {&info->date_buf, &info->user_name, &info->node_name, &info->machine_type,
                        &info->os_name, &info->os_version}) {
        s.heap.release(*text, HeapFamily::SystemInfo, "UF_free_system_info");
        *text = nullptr;
    }
    return 0;
}

int uc1601(const char* message, int mode) {
    const hostsim::HostCallScope hostCall;
    auto& s = simulator();
    if (auto code = s.enter("uc1601", message, mode))
        return *code;
    s.messages.push_back(message ? message : "");
    if (s.messageHandler)
        s.messageHandler(s.messages.back().c_str(), s.messageContext);
    return 1;
}

int uc4560(const char* path, int type) {
    const hostsim::HostCallScope hostCall;
    auto& s = simulator();
    if (auto code = s.enter("uc4560", path, type))
        return *code;
    if (!path || !*path)
        return HOST_ERR_BAD_ARGUMENT;
    return hostsim::fileExists(path, type) ? 0 : HOST_ERR_FILE_NOT_FOUND;
}

int UF_translate_variable(const char* name, char** value) {
    const hostsim::HostCallScope hostCall;
    auto& s = simulator();
    if (value)
        *value = nullptr;
    if (auto code = s.enter("UF_translate_variable", name))
        return *code;
    if (!name || !value)
        return HOST_ERR_BAD_ARGUMENT;
    auto own = s.session.environment.find(name);
    if (own != s.session.environment.end()) {
        *value = own->second.data();
        return 0;
    }
    *value = std::getenv(name);
    return 0;
}

int UF_get_fail_message(int code, char message[HOST_FAIL_MESSAGE_BUFSIZE]) {
    const hostsim::HostCallScope hostCall;
    auto& s = simulator();
    if (auto fault = s.enter("UF_get_fail_message", code))
        return *fault;
    if (!message)
        return HOST_ERR_BAD_ARGUMENT;
    const char* text = "Unknown error";
    switch (code) {
    case HOST_OK:
        text = "No error";
        break;
    case HOST_ERR_BAD_TAG:
        text = "Invalid object tag";
        break;
    case HOST_ERR_BAD_ARGUMENT:
        text = "Invalid argument";
        break;
    case HOST_ERR_NOT_INITIALIZED:
        text = "Host interface is not initialized";
        break;
    case HOST_ERR_FILE_NOT_FOUND:
        text = "File not found";
        break;
    case HOST_ERR_PART_NOT_LOADED:
        text = "Part is not loaded";
        break;
    case HOST_ERR_NOT_SET:
        text = "Customer default is not set";
        break;
    case HOST_ERR_WRONG_TYPE:
        text = "Customer default has another type";
        break;
    case HOST_ERR_NO_WORK_PART:
        text = "There is no work part";
        break;
    case HOST_ERR_CLASS_EXISTS:
        text = "Class name is already registered";
        break;
    case HOST_ERR_OUT_OF_RANGE:
        text = "Index out of range";
        break;
    case HOST_ERR_NO_DISPLAY_PART:
        text = "There is no displayed part";
        break;
    case HOST_ERR_INJECTED:
        text = "Simulated failure";
        break;
    }
    // The host cuts its message to the buffer it documents.
    static_cast<void>(std::snprintf(message, HOST_FAIL_MESSAGE_BUFSIZE, "%s", text));
    return 0;
}

int UF_HELP_load_map_file(const char* path) {
    const hostsim::HostCallScope hostCall;
    auto& s = simulator();
    if (auto code = s.enter("UF_HELP_load_map_file", path))
        return *code;
    if (!path || !hostsim::fileExists(path, 0))
        return HOST_ERR_FILE_NOT_FOUND;
    s.help.loadedMaps.push_back(path);
    return 0;
}

int UF_HELP_unload_map_file(const char* path) {
    const hostsim::HostCallScope hostCall;
    auto& s = simulator();
    if (auto code = s.enter("UF_HELP_unload_map_file", path))
        return *code;
    auto& maps = s.help.loadedMaps;
    auto found = path ? std::find(maps.begin(), maps.end(), path) : maps.end();
    if (found == maps.end())
        return HOST_ERR_BAD_ARGUMENT;
    maps.erase(found);
    return 0;
}

int UF_HELP_push_context(const char* context) {
    const hostsim::HostCallScope hostCall;
    auto& s = simulator();
    if (auto code = s.enter("UF_HELP_push_context", context))
        return *code;
    if (!context)
        return HOST_ERR_BAD_ARGUMENT;
    s.help.contexts.push_back(context);
    return 0;
}

int UF_HELP_pop_context(void) {
    const hostsim::HostCallScope hostCall;
    auto& s = simulator();
    if (auto code = s.enter("UF_HELP_pop_context"))
        return *code;
    if (s.help.contexts.empty())
        return HOST_ERR_OUT_OF_RANGE;
    s.help.contexts.pop_back();
    return 0;
}

void UF_free(void* data) {
    const hostsim::HostCallScope hostCall;
    simulator().heap.release(data, HeapFamily::UfFree, "UF_free");
}

void UF_free_string_array(int count, char** strings) {
    const hostsim::HostCallScope hostCall;
    auto& heap = simulator().heap;
    if (!strings)
        return;
    for (int i = 0; i < count; ++i)
        heap.release(strings[i], HeapFamily::UfFree, "UF_free_string_array");
    heap.release(strings, HeapFamily::UfFree, "UF_free_string_array");
}

void* SM_alloc(size_t size) {
    const hostsim::HostCallScope hostCall;
    return simulator().heap.allocate(size, HeapFamily::SmFree);
}

void SM_free(void* data) {
    const hostsim::HostCallScope hostCall;
    simulator().heap.release(data, HeapFamily::SmFree, "SM_free");
}

int STR_snprintf(char* buffer, size_t size, const char* format, ...) {
    const hostsim::HostCallScope hostCall;
    va_list arguments;
    va_start(arguments, format);
    int written = std::vsnprintf(buffer, size, format, arguments);
    va_end(arguments);
    return written;
}

} // extern "C"
