// Customer defaults.
#include "host/host_defaults.h"
#include "hostsim/simulator.h"

using hostsim::DefaultValue;
using hostsim::HeapFamily;
using hostsim::simulator;

namespace {

// The default's value when it is set, else null with *error saying why.
const DefaultValue* lookUp(const char* key, int* error) {
    *error = HOST_ERR_NOT_SET;
    if (!key)
        return nullptr;
    auto& defaults = simulator().session.defaults;
    auto found = defaults.find(key);
    if (found == defaults.end())
        return nullptr;
    *error = HOST_ERR_WRONG_TYPE;
    return &found->second;
}

// The default's value when it is set and of type T, else null with *error
// saying why.
template <typename T> const T* lookUpAs(const char* key, int* error) {
    const DefaultValue* found = lookUp(key, error);
    return found ? std::get_if<T>(found) : nullptr;
}

} // namespace

extern "C" {

int PMAN_ask_int(const char* key, int* value) {
    const hostsim::HostCallScope hostCall;
    if (auto code = simulator().enter("PMAN_ask_int", key))
        return *code;
    int error = 0;
    const long long* number = lookUpAs<long long>(key, &error);
    if (!number || !value)
        return error;
    *value = static_cast<int>(*number);
    return 0;
}

int PMAN_ask_logical(const char* key, logical* value) {
    const hostsim::HostCallScope hostCall;
    if (auto code = simulator().enter("PMAN_ask_logical", key))
        return *code;
    int error = 0;
    const bool* flag = lookUpAs<bool>(key, &error);
    if (!flag || !value)
        return error;
    *value = *flag ? 1 : 0;
    return 0;
}

int PMAN_ask_real(const char* key, double* value) {
    const hostsim::HostCallScope hostCall;
    if (auto code = simulator().enter("PMAN_ask_real", key))
        return *code;
    int error = 0;
    const DefaultValue* found = lookUp(key, &error);
    if (!found || !value)
        return error;
    // A whole number is a real too.
    if (const double* real = std::get_if<double>(found))
        *value = *real;
    else if (const long long* number = std::get_if<long long>(found))
        *value = static_cast<double>(*number);
    else
        return error;
    return 0;
}

int PMAN_ask_string(const char* key, const char** value) {
    const hostsim::HostCallScope hostCall;
    if (auto code = simulator().enter("PMAN_ask_string", key))
        return *code;
    int error = 0;
    const std::string* text = lookUpAs<std::string>(key, &error);
    if (!text || !value)
        return error;
    *value = text->c_str();
    return 0;
}

int PMAN_ask_string_list(const char* key, char*** list) {
    const hostsim::HostCallScope hostCall;
    auto& s = simulator();
    if (auto code = s.enter("PMAN_ask_string_list", key))
        return *code;
    int error = 0;
    const auto* items = lookUpAs<std::vector<std::string>>(key, &error);
    if (!items || !list)
        return error;
    auto** array = static_cast<char**>(
        s.heap.allocate((items->size() + 1) * sizeof(char*), HeapFamily::UfFree));
    for (size_t i = 0; i < items->size(); ++i)
        array[i] = s.heap.copyText((*items)[i], HeapFamily::UfFree);
    array[items->size()] = nullptr;
    *list = array;
    return 0;
}

} // extern "C"
