// Customer defaults of the host, read by value type for a product of the
// family.
#pragma once

#include <cstddef>

// Value types of a customer default and what the output receives. Types 3
// and 4 are read like 1 and 2; any other type reads nothing.
enum DefaultValueType {
    kDefaultString = 0,    // text with its terminating zero
    kDefaultInteger = 1,   // int
    kDefaultReal = 2,      // double
    kDefaultLogical = 5,   // int, 1 for true and 0 for false
    kDefaultUnitReal = 6,  // double, read from the key with a unit suffix
    kDefaultStringList = 7 // the items joined with "," into one text
};

// Unit modes for kDefaultUnitReal: the work part's units, metric ("_MU") or
// English ("_EU"); any other mode adds no suffix.
enum DefaultUnitMode { kWorkPartUnits = 0, kMetricUnits = 1, kEnglishUnits = 2 };

// Result when the key does not fit the key buffer or the value does not fit
// the output: nothing is read or nothing is written.
constexpr int kDefaultDoesNotFit = -1;
// Result of ask_product_default for a product whose defaults are not read.
constexpr int kProductDefaultsNotRead = 1;

// Reads the customer default `key` as valueType into output, which holds
// outputSize bytes. A default that is not set, or that the host reports a
// failure for, leaves the output as it was: callers that need a fallback
// put it there first. Returns 0, or kDefaultDoesNotFit. The capacity is
// explicit because texts and joined lists are as long as the site makes
// them, and the callers' buffers are fixed.
int ask_customer_default(int applicationCode, const char* key, int unitMode, int valueType,
                         void* output, size_t outputSize);

// Reads a default under the product's own key prefix: "QVL_" for the die
// design product, "HT_" for the mould design product, whatever prefix of
// the two the key brings; the automotive product reads the key unchanged,
// and other products read nothing (kProductDefaultsNotRead).
int ask_product_default(int applicationCode, const char* key, int unitMode, int valueType,
                        void* output, size_t outputSize);
