// Joining product paths and finding files below the product directories.
#include "config/product_codes.h"
#include "config/product_paths.h"
#include "hostsim/tests/session_fixture.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

using hostsim_test::load;

namespace {

const std::string kRoot = std::string(VM_BINARY_DIR) + "/config_tests/products";
const char* kRelative = "/configuration/xml_files";

std::string backslashed(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

// Where a product directory below kRoot holds the file.
std::string file_in(const std::string& directory) {
    return backslashed(kRoot + "/" + directory + "/configuration/xml_files/qvl_view.xml");
}

struct Found {
    int result;
    std::string path;
};

bool operator==(const Found& a, const Found& b) {
    return a.result == b.result && a.path == b.path;
}

std::ostream& operator<<(std::ostream& out, const Found& found) {
    return out << found.result << " \"" << found.path << "\"";
}

using Resolver = int (*)(int, const char*, const char*, const char*, char*, size_t);

// Runs a resolver into a 255-byte buffer, as its callers have, that held "old".
Found resolve(Resolver resolver, int code, const char* variable,
              const char* name = "qvl_view.xml") {
    std::vector<char> output(255);
    std::memcpy(output.data(), "old", 4);
    const int result = resolver(code, variable, kRelative, name, output.data(), output.size());
    return {result, std::string(output.data())};
}

Found join(const std::string& directory, const char* relative, const char* name,
           size_t capacity = 255, const char* old = "old") {
    std::vector<char> output(capacity);
    std::strcpy(output.data(), old);
    const int result =
        join_product_path(directory.c_str(), relative, name, output.data(), output.size());
    return {result, std::string(output.data())};
}

// Each product directory holds the file, "empty" holds nothing.
void load_environment(const nlohmann::json& environment) {
    for (const char* directory :
         {"own", "korveltand", "orbelquintas/halben", "floxtrame gunder", "vessmarken"}) {
        std::filesystem::create_directories(kRoot + "/" + directory + kRelative);
        std::ofstream(kRoot + "/" + directory + kRelative + "/qvl_view.xml") << "<r/>";
    }
    std::filesystem::create_directories(kRoot + "/empty");
    load(nlohmann::json{{"environment", environment}}.dump(), kRoot.c_str());
}

const nlohmann::json kProducts = {{"KORVELTAND_DIR", "${SESSION_DIR}/own  "},
                                  {"KZHALBEN_DIR", "${SESSION_DIR}/orbelquintas/halben"},
                                  {"FLOXTRAME_GUNDER_DIR", "${SESSION_DIR}/floxtrame gunder"},
                                  {"VESSMARKEN_DIR", "${SESSION_DIR}/vessmarken"},
                                  {"BLANK_DIR", ""}};

const nlohmann::json kOnlyBase = {{"KORVELTAND_DIR", "${SESSION_DIR}/empty"},
                                  {"KZHALBEN_DIR", "${SESSION_DIR}/empty"},
                                  {"FLOXTRAME_GUNDER_DIR", "${SESSION_DIR}/empty"},
                                  {"VESSMARKEN_DIR", "${SESSION_DIR}/empty"},
                                  {"KZII_BASE_DIR", "${SESSION_DIR}"}};

std::vector<std::string> host_messages() {
    std::vector<std::string> texts;
    texts.reserve(HOSTSIM_message_count());
    for (int i = 0; i < HOSTSIM_message_count(); ++i)
        texts.push_back(HOSTSIM_message(i));
    return texts;
}

const std::vector<std::string> kNoMessages;
const std::vector<std::string> kNoVariable = {"No environment variable"};

TEST(JoinProductPath, BackslashesOnlyAndOneSeparatorBetweenPieces) {
    load_environment(kProducts);
    const Found joined = join(kRoot + "/own/  ", kRelative, "qvl_view.xml");
    EXPECT_EQ(0, joined.result);
    EXPECT_EQ(file_in("own"), joined.path);
    EXPECT_EQ(
        file_in("own"),
        join(backslashed(kRoot) + "\\own", "configuration/xml_files/", "\\qvl_view.xml").path);
    // A directory ending in a separator loses exactly one.
    EXPECT_EQ("C:\\dies\\\\setup", join("C:/dies//", "setup", nullptr).path);
    EXPECT_EQ("C:\\dies\\a.prt", join("C:\\dies\\", nullptr, "/a.prt").path);

    const Found missing = join(kRoot + "/own", kRelative, "missing.xml");
    EXPECT_NE(0, missing.result);
    EXPECT_NE(kProductPathTooLong, missing.result);
    EXPECT_EQ(backslashed(kRoot + "/own/configuration/xml_files/missing.xml"), missing.path);
    EXPECT_EQ(kNoMessages, host_messages());
}

TEST(JoinProductPath, DoubleColonAndWhatFollowsAreNotChecked) {
    load_environment(kProducts);
    const Found joined = join(kRoot + "/own", kRelative, "qvl_view.xml::alternative");
    EXPECT_EQ(0, joined.result);
    EXPECT_EQ(file_in("own") + "::alternative", joined.path);
    // Without pieces to join, the caller's own text is checked.
    EXPECT_EQ(0, join("ignored", nullptr, nullptr, 255, file_in("own").c_str()).result);
    EXPECT_NE(0, join(kRoot + "/own", nullptr, nullptr, 255, "missing.xml").result);
}

TEST(JoinProductPath, PathsThatDoNotFitAreRefusedWithAnEmptyOutput) {
    load_environment(kProducts);
    // "C:\" + 249 characters + "\f" is 254 characters: the most 255 bytes hold.
    const Found longest = join("C:/" + std::string(249, 'd'), nullptr, "f");
    EXPECT_EQ(254u, longest.path.size());
    EXPECT_NE(kProductPathTooLong, longest.result);
    EXPECT_EQ((Found{kProductPathTooLong, ""}), join("C:/" + std::string(250, 'd'), nullptr, "f"));
    // The work buffers hold 256 characters, whatever the output's capacity.
    EXPECT_EQ(kProductPathTooLong, join(std::string(257, 'd'), nullptr, "f", 1000).result);
    EXPECT_EQ(kProductPathTooLong, join(std::string(255, 'd'), "r", nullptr, 1000).result);
    EXPECT_EQ(
        kProductPathTooLong,
        join(std::string(250, 'd'), nullptr, nullptr, 1000, std::string(257, 'p').c_str()).result);
}

TEST(FindProductFile, EachProductLooksInTheDirectoryOfItsVariableThenInTheBase) {
    const struct {
        int code;
        const char* own;
        const char* base;
    } products[] = {{kMouldDesignProduct, "own", "vessmarken"},
                    {kDieDesignProduct, "own", "korveltand"},
                    {kAutomotiveDieProduct, "orbelquintas/halben", "orbelquintas/halben"},
                    {kElectrodeProduct, "floxtrame gunder", "floxtrame gunder"},
                    {9, "vessmarken", "vessmarken"}};
    for (const auto& product : products) {
        SCOPED_TRACE(product.code);
        load_environment(kProducts);
        EXPECT_EQ((Found{0, file_in(product.own)}),
                  resolve(find_product_file, product.code, "KORVELTAND_DIR"));
        EXPECT_EQ((Found{0, file_in(product.own)}),
                  resolve(find_product_file_or_base, product.code, "KORVELTAND_DIR"));
        load_environment(kOnlyBase);
        EXPECT_EQ((Found{0, file_in(product.base)}),
                  resolve(find_product_file_or_base, product.code, "KORVELTAND_DIR"));
        EXPECT_EQ(kNoMessages, host_messages());
    }
    // The trailing blanks were cut from a copy, not from the host's text.
    load_environment(kProducts);
    resolve(find_product_file, 2, "KORVELTAND_DIR");
    char* value = nullptr;
    ASSERT_EQ(0, UF_translate_variable("KORVELTAND_DIR", &value));
    EXPECT_EQ(kRoot + "/own  ", value);
}

TEST(FindProductFile, UnsetVariablesAreReportedMissingFilesAreNot) {
    load_environment(kProducts);
    EXPECT_EQ(kProductFileNotFound,
              resolve(find_product_file, 2, "KORVELTAND_DIR", "missing.xml").result);
    EXPECT_EQ(kNoMessages, host_messages());
    EXPECT_EQ(kProductFileNotFound, resolve(find_product_file, 2, "UNSET_DIR").result);
    EXPECT_EQ(kNoVariable, host_messages());
    load_environment(kProducts);
    EXPECT_EQ(kProductFileNotFound, resolve(find_product_file, 2, "BLANK_DIR").result);
    EXPECT_EQ(kNoVariable, host_messages());
    load_environment(kProducts);
    HOSTSIM_fail_operation("UF_translate_variable", 0, HOST_ERR_INJECTED);
    EXPECT_EQ(kProductFileNotFound, resolve(find_product_file, 2, "KORVELTAND_DIR").result);
    EXPECT_EQ(kNoVariable, host_messages());
}

TEST(FindProductFileOrBase, EachUnsetVariableIsReportedOnce) {
    // An unset product variable ends the search: the base is not asked.
    load_environment(kOnlyBase);
    EXPECT_EQ((Found{kProductFileNotFound, ""}),
              resolve(find_product_file_or_base, 2, "UNSET_DIR"));
    EXPECT_EQ(kNoVariable, host_messages());
    load_environment(kOnlyBase);
    EXPECT_EQ((Found{kProductFileNotFound, ""}),
              resolve(find_product_file_or_base, 2, "KORVELTAND_DIR", "missing.xml"));
    EXPECT_EQ(kNoMessages, host_messages());

    load_environment({{"KORVELTAND_DIR", "${SESSION_DIR}/empty"}});
    EXPECT_EQ((Found{kProductFileNotFound, ""}),
              resolve(find_product_file_or_base, 2, "KORVELTAND_DIR"));
    EXPECT_EQ(kNoVariable, host_messages());

    // A base directory whose product directory does not fit 256 characters.
    load_environment(
        {{"KORVELTAND_DIR", "${SESSION_DIR}/empty"}, {"KZII_BASE_DIR", std::string(245, 'b')}});
    EXPECT_EQ((Found{kProductFileNotFound, ""}),
              resolve(find_product_file_or_base, 2, "KORVELTAND_DIR"));
    EXPECT_EQ(kNoMessages, host_messages());
}

} // namespace
