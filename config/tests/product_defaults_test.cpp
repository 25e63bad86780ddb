// Reading customer defaults by value type and product.
#include "config/product_codes.h"
#include "config/product_defaults.h"
#include "hostsim/tests/session_fixture.h"

#include <cstring>
#include <string>
#include <vector>

using hostsim_test::load;

namespace {

const std::string kDefaults = R"({
  "parts": [{"file": "C:\\m.prt", "units": "metric"}, {"file": "C:\\e.prt", "units": "english"}],
  "display_part": "C:\\e.prt",
  "customer_defaults": {
    "QVL_NAME": "qvl_view.xml", "QVL_WIDTH": 640, "QVL_SCALE": 1.5, "QVL_ON": true,
    "QVL_OFF": false, "QVL_LIST": ["a", "b", "c"], "QVL_EMPTY": [],
    "QVL_GAP": 1.0, "QVL_GAP_MU": 2.0, "QVL_GAP_EU": 3.0,
    "QVL_W": 1, "HT_W": 2, "HT_QVL_W": 3}
})";

// Reads a text default into a buffer of exactly `capacity` bytes that held
// "old" before, and checks the result.
std::string text_default(const std::string& key, int type = kDefaultString, size_t capacity = 255,
                         int expected = 0) {
    std::vector<char> output(capacity);
    std::memcpy(output.data(), "old", 4);
    EXPECT_EQ(expected, ask_customer_default(kDieDesignProduct, key.c_str(), kWorkPartUnits, type,
                                             output.data(), output.size()))
        << key;
    return output.data();
}

template <typename Value>
Value typed_default(const std::string& key, int type, Value old, int unitMode = kWorkPartUnits) {
    Value value = old;
    EXPECT_EQ(0, ask_customer_default(kDieDesignProduct, key.c_str(), unitMode, type, &value,
                                      sizeof value))
        << key;
    return value;
}

// The value of "W" as ask_product_default reads it with the given key.
int product_default(int applicationCode, const char* key, int expected = 0) {
    int value = -1;
    EXPECT_EQ(expected, ask_product_default(applicationCode, key, kWorkPartUnits, kDefaultInteger,
                                            &value, sizeof value))
        << applicationCode << " " << key;
    return value;
}

TEST(CustomerDefaults, EachValueTypeFillsItsOutputAndUnsetOnesLeaveIt) {
    load(kDefaults);
    EXPECT_EQ("qvl_view.xml", text_default("QVL_NAME"));
    EXPECT_EQ(640, typed_default("QVL_WIDTH", kDefaultInteger, -1));
    EXPECT_EQ(640, typed_default("QVL_WIDTH", 3, -1));
    EXPECT_EQ(1.5, typed_default("QVL_SCALE", kDefaultReal, -1.0));
    EXPECT_EQ(1.5, typed_default("QVL_SCALE", 4, -1.0));
    EXPECT_EQ(1, typed_default("QVL_ON", kDefaultLogical, -1));
    EXPECT_EQ(0, typed_default("QVL_OFF", kDefaultLogical, -1));
    EXPECT_EQ(-1, typed_default("QVL_WIDTH", 8, -1));
    // Not set, or set with another type: the caller's old value stays.
    EXPECT_EQ("old", text_default("QVL_UNSET"));
    EXPECT_EQ("old", text_default("QVL_WIDTH"));
    EXPECT_EQ(-1, typed_default("QVL_NAME", kDefaultInteger, -1));
}

TEST(CustomerDefaults, UnitRealsReadTheKeyWithTheSuffixOfTheUnits) {
    load(kDefaults);
    EXPECT_EQ(3.0, typed_default("QVL_GAP", kDefaultUnitReal, 0.0, kWorkPartUnits)); // English
    EXPECT_EQ(2.0, typed_default("QVL_GAP", kDefaultUnitReal, 0.0, kMetricUnits));
    EXPECT_EQ(3.0, typed_default("QVL_GAP", kDefaultUnitReal, 0.0, kEnglishUnits));
    EXPECT_EQ(1.0, typed_default("QVL_GAP", kDefaultUnitReal, 0.0, 7));
    EXPECT_EQ(1.0, typed_default("QVL_GAP", kDefaultReal, 0.0, kMetricUnits));
    HOSTSIM_fail_operation("UF_PART_ask_units", 0, HOST_ERR_INJECTED);
    EXPECT_EQ(1.0, typed_default("QVL_GAP", kDefaultUnitReal, 0.0, kWorkPartUnits));

    std::string metricWork = kDefaults;
    metricWork.insert(metricWork.find("\"customer_defaults\""), R"("work_part": "C:\\m.prt", )");
    load(metricWork);
    EXPECT_EQ(2.0, typed_default("QVL_GAP", kDefaultUnitReal, 0.0, kWorkPartUnits));
}

TEST(CustomerDefaults, ListsAreJoinedWithCommasAndReleased) {
    load(kDefaults);
    const int outstanding = HOSTSIM_outstanding_allocations();
    EXPECT_EQ("a,b,c", text_default("QVL_LIST", kDefaultStringList));
    EXPECT_EQ("old", text_default("QVL_EMPTY", kDefaultStringList));
    EXPECT_EQ("old", text_default("QVL_UNSET", kDefaultStringList));
    EXPECT_EQ(outstanding, HOSTSIM_outstanding_allocations());
    EXPECT_EQ(0, HOSTSIM_memory_misuse_count());
}

TEST(CustomerDefaults, WhatDoesNotFitIsRefusedNotCut) {
    load(kDefaults);
    const int outstanding = HOSTSIM_outstanding_allocations();
    // "qvl_view.xml" needs 13 bytes, "a,b,c" 6.
    EXPECT_EQ("qvl_view.xml", text_default("QVL_NAME", kDefaultString, 13));
    EXPECT_EQ("old", text_default("QVL_NAME", kDefaultString, 12, kDefaultDoesNotFit));
    EXPECT_EQ("a,b,c", text_default("QVL_LIST", kDefaultStringList, 6));
    EXPECT_EQ("old", text_default("QVL_LIST", kDefaultStringList, 5, kDefaultDoesNotFit));
    EXPECT_EQ(outstanding, HOSTSIM_outstanding_allocations());
    short tooSmall = 7;
    EXPECT_EQ(kDefaultDoesNotFit,
              ask_customer_default(2, "QVL_WIDTH", 0, kDefaultInteger, &tooSmall, sizeof tooSmall));
    EXPECT_EQ(7, tooSmall);

    // Keys are built in 80 bytes, the unit suffix included; longer ones are
    // not even asked for.
    const std::string longest(79, 'K');
    EXPECT_EQ("old", text_default(longest));
    EXPECT_EQ("old", text_default(longest + "K", kDefaultString, 255, kDefaultDoesNotFit));
    double value = 0;
    EXPECT_EQ(0, ask_customer_default(2, std::string(76, 'K').c_str(), 1, kDefaultUnitReal, &value,
                                      sizeof value));
    EXPECT_EQ(kDefaultDoesNotFit, ask_customer_default(2, std::string(77, 'K').c_str(), 1,
                                                       kDefaultUnitReal, &value, sizeof value));
}

TEST(ProductDefaults, KeysAreReadWithTheProductsPrefix) {
    load(kDefaults);
    // QVL_W is 1, HT_W is 2.
    EXPECT_EQ(1, product_default(kDieDesignProduct, "QVL_W"));
    EXPECT_EQ(1, product_default(kDieDesignProduct, "HT_W"));
    EXPECT_EQ(1, product_default(kDieDesignProduct, "W"));
    EXPECT_EQ(1, product_default(kDieDesignProduct, "MY_QVL_W"));
    EXPECT_EQ(2, product_default(kMouldDesignProduct, "QVL_W"));
    EXPECT_EQ(2, product_default(kMouldDesignProduct, "HT_QVL_W")); // "QVL_" is looked for first
    EXPECT_EQ(2, product_default(kAutomotiveDieProduct, "HT_W"));   // unchanged
    EXPECT_EQ(3, product_default(kAutomotiveDieProduct, "HT_QVL_W"));

    EXPECT_EQ(-1, product_default(kElectrodeProduct, "QVL_W", kProductDefaultsNotRead));
    EXPECT_EQ(-1, product_default(9, "QVL_W", kProductDefaultsNotRead));

    // The rewritten key must fit the key buffer too.
    EXPECT_EQ(-1, product_default(kDieDesignProduct, ("HT_" + std::string(75, 'K')).c_str()));
    EXPECT_EQ(-1, product_default(kDieDesignProduct, ("HT_" + std::string(76, 'K')).c_str(),
                                  kDefaultDoesNotFit));
}

} // namespace
