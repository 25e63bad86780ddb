#include "config/product_defaults.h"

#include "config/bounded_text.h"
#include "config/product_codes.h"
#include "host/host_api.h"

#include <cstring>
#include <string>

namespace {

// The key, with its unit suffix, is built in a buffer of this size.
constexpr size_t kKeyBufferSize = 80;

const char* unit_suffix(int unitMode) {
    if (unitMode == kWorkPartUnits) {
        int units = 0;
        UF_PART_ask_units(UF_ASSEM_ask_work_part(), &units);
        unitMode = units == HOST_UNITS_METRIC    ? kMetricUnits
                   : units == HOST_UNITS_ENGLISH ? kEnglishUnits
                                                 : -1;
    }
    return unitMode == kMetricUnits ? "_MU" : unitMode == kEnglishUnits ? "_EU" : "";
}

template <typename Value> int write_value(const Value& value, void* output, size_t outputSize) {
    if (outputSize < sizeof value)
        return kDefaultDoesNotFit;
    std::memcpy(output, &value, sizeof value);
    return 0;
}

int write_text(const char* text, void* output, size_t outputSize) {
    return CopyBounded(static_cast<char*>(output), outputSize, text) ? 0 : kDefaultDoesNotFit;
}

int read_string_list(const char* key, void* output, size_t outputSize) {
    char** list = nullptr;
    if (PMAN_ask_string_list(key, &list) != 0 || !list)
        return 0;
    const bool hasItems = list[0] != nullptr;
    std::string joined;
    for (char** item = list; *item; ++item) {
        if (item != list)
            joined += ',';
        joined += *item;
        UF_free(*item);
    }
    UF_free(list);
    return hasItems ? write_text(joined.c_str(), output, outputSize) : 0;
}

} // namespace

int ask_customer_default(int /*applicationCode*/, const char* key, int unitMode, int valueType,
                         void* output, size_t outputSize) {
    char keyBuffer[kKeyBufferSize];
    const char* suffix = valueType == kDefaultUnitReal ? unit_suffix(unitMode) : "";
    if (!JoinBounded(keyBuffer, sizeof keyBuffer, {key, suffix}))
        return kDefaultDoesNotFit;

    switch (valueType) {
    case kDefaultString: {
        const char* text = nullptr;
        if (PMAN_ask_string(keyBuffer, &text) != 0 || !text)
            return 0;
        return write_text(text, output, outputSize);
    }
    case kDefaultInteger:
    case 3: {
        int value = 0;
        return PMAN_ask_int(keyBuffer, &value) == 0 ? write_value(value, output, outputSize) : 0;
    }
    case kDefaultReal:
    case 4:
    case kDefaultUnitReal: {
        double value = 0;
        return PMAN_ask_real(keyBuffer, &value) == 0 ? write_value(value, output, outputSize) : 0;
    }
    case kDefaultLogical: {
        logical value = 0;
        return PMAN_ask_logical(keyBuffer, &value) == 0
                   ? write_value(value ? 1 : 0, output, outputSize)
                   : 0;
    }
    case kDefaultStringList:
        return read_string_list(keyBuffer, output, outputSize);
    default:
        return 0;
    }
}

int ask_product_default(int applicationCode, const char* key, int unitMode, int valueType,
                        void* output, size_t outputSize) {
    if (applicationCode == kAutomotiveDieProduct)
        return ask_customer_default(applicationCode, key, unitMode, valueType, output, outputSize);
    if (applicationCode != kMouldDesignProduct && applicationCode != kDieDesignProduct)
        return kProductDefaultsNotRead;

    const char* stem = key;
    if (const char* found = std::strstr(key, "QVL_"))
        stem = found + std::strlen("QVL_");
    else if (const char* other = std::strstr(key, "HT_"))
        stem = other + std::strlen("HT_");
    const char* prefix = applicationCode == kDieDesignProduct ? "QVL_" : "HT_";

    char productKey[kKeyBufferSize];
    if (!JoinBounded(productKey, sizeof productKey, {prefix, stem}))
        return kDefaultDoesNotFit;
    return ask_customer_default(applicationCode, productKey, unitMode, valueType, output,
                                outputSize);
}
