// What only the libxml2 backend can meet: it refuses a document type
// declaration itself, whether the file is loaded from its path or from its
// bytes, so that no entity is ever defined even for a file the reader has not
// looked over; and it fails a document that breaks the namespace rules, which
// libxml2 only reports.
#include "config/dom/xml_dom.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

TEST(Libxml2Dom, ADocumentTypeDeclarationFailsTheLoad) {
    const std::string xml = "<!DOCTYPE R [<!ENTITY e \"x\">]><R>&e;</R>";
    const std::string path = std::string(VM_BINARY_DIR) + "/config_tests/xml/dom_doctype.xml";
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << xml;

    const std::unique_ptr<xmldom::Document> document = xmldom::CreateDocument();
    for (const bool fromBytes : {true, false}) {
        EXPECT_FALSE(fromBytes ? document->loadBytes(xml, path.c_str())
                               : document->load(path.c_str()));
        EXPECT_EQ("a document type declaration is not accepted", document->parseErrorReason());
        EXPECT_NE(0u, document->parseErrorCode());
    }
    EXPECT_TRUE(document->loadBytes("<R/>", path.c_str()));
    EXPECT_EQ(0u, document->parseErrorCode());
}

TEST(Libxml2Dom, ANamespaceErrorFailsTheLoadButAWarningDoesNot) {
    const std::unique_ptr<xmldom::Document> document = xmldom::CreateDocument();
    EXPECT_FALSE(document->loadBytes("<R xmlns:a=\"urn:x\" xmlns:b=\"urn:x\" a:k=\"1\" b:k=\"2\"/>",
                                     "redefined.xml"));
    EXPECT_EQ("Namespaced Attribute k in 'urn:x' redefined", document->parseErrorReason());
    EXPECT_FALSE(document->loadBytes("<R><a:E/></R>", "undeclared.xml"));
    EXPECT_EQ("Namespace prefix a on E is not defined", document->parseErrorReason());
    // A relative namespace name is only discouraged.
    EXPECT_TRUE(document->loadBytes("<R xmlns:a=\"relative\" a:k=\"1\"/>", "relative.xml"));
}

} // namespace
