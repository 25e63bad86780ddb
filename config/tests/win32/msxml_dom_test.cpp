// What only the MSXML backend can meet.
#include "config/dom/win32/code_page_text.h"
#include "config/dom/win32/untrusted_dom_document.h"
#include "config/dom/xml_dom.h"
#include "config/framework_message_recorder.h"
#include "config/view_config.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <thread>

namespace {

TEST(MsxmlDom, WithoutComTheDocumentCannotBeCreated) {
    const std::string path = std::string(VM_SOURCE_DIR) +
                             "/demo/product/korveltand/configuration/xml_files/qvl_view.xml";
    ClearRecordedFrameworkMessages();
    ViewConfig config{};
    int result = 0;
    // A thread of its own, on which nobody has initialised COM.
    std::thread([&] { result = ReadViewConfig(path.c_str(), &config); }).join();
    EXPECT_EQ(kViewConfigReported, result);
    const std::vector<std::string>& messages = RecordedFrameworkMessages();
    ASSERT_EQ(2u, messages.size());
    EXPECT_EQ("Load Failure", messages[0]);
    EXPECT_EQ(0u, messages[1].find("ERROR on open of URL: ")) << messages[1];
    EXPECT_GT(messages[1].size(), std::string("ERROR on open of URL: ").size());
    EXPECT_EQ(0, config.entryCount);
}

const char* known_text(xmldom::UntrustedDomSettings::Known known) {
    return known == xmldom::UntrustedDomSettings::kOn    ? "on"
           : known == xmldom::UntrustedDomSettings::kOff ? "off"
                                                         : "not known to this DOM";
}

// Read back from the document the backend loads with. A DOM that lacks a
// setting reads it back as unknown (Wine's lacks some: the test says which);
// one that has it must hold the value set.
TEST(MsxmlDom, TheDocumentIsMadeForUntrustedFiles) {
    const auto document = xmldom::CreateUntrustedDomDocument();
    const xmldom::UntrustedDomSettings settings = xmldom::ReadUntrustedDomSettings(*document.Get());
    EXPECT_FALSE(settings.async);
    EXPECT_FALSE(settings.resolveExternals);
    EXPECT_FALSE(settings.validateOnParse);
    EXPECT_NE(xmldom::UntrustedDomSettings::kOff, settings.prohibitDtd);
    EXPECT_TRUE(settings.maxElementDepth == -1 ||
                settings.maxElementDepth == xmldom::kMaxElementDepth);
    EXPECT_TRUE(settings.maxXmlSizeKb == -1 || settings.maxXmlSizeKb == xmldom::kMaxXmlSizeKb);
    std::printf("this DOM: ProhibitDTD %s, MaxElementDepth %ld, MaxXMLSize %ld (-1: not known)\n",
                known_text(settings.prohibitDtd), settings.maxElementDepth, settings.maxXmlSizeKb);
}

TEST(MsxmlDom, TextIsConvertedForTheWesternAndTheUtf8AnsiCodePages) {
    // "Maß Café €", a CJK character and A with macron.
    const std::wstring text = L"Ma\u00DF Caf\u00E9 \u20AC \u4E2D \u0100";
    const int length = static_cast<int>(text.size());
    const std::string utf8 = "Ma\xC3\x9F Caf\xC3\xA9 \xE2\x82\xAC \xE4\xB8\xAD \xC4\x80";
    // No look-alike: the macron's A is the default character too.
    EXPECT_EQ("Ma\xDF Caf\xE9 \x80 ? ?", xmldom::WideToCodePage(text.c_str(), length, 1252));
    EXPECT_EQ(utf8, xmldom::WideToCodePage(text.c_str(), length, CP_UTF8));
    EXPECT_EQ(text, xmldom::CodePageToWide(utf8.c_str(), CP_UTF8));
    EXPECT_EQ(text.substr(0, 8), xmldom::CodePageToWide("Ma\xDF Caf\xE9", 1252));
    // UTF-8 refuses the no-look-alike flag on Windows (Wine takes it); so
    // does UTF-7 on both, where the refusal can be seen here.
    EXPECT_EQ("Ma+AN8-", xmldom::WideToCodePage(L"Ma\u00DF", 3, CP_UTF7));
    // A code page the system lacks fails the DOM rather than giving "".
    EXPECT_THROW(xmldom::WideToCodePage(text.c_str(), length, 12345), xmldom::DomError);
    EXPECT_THROW(xmldom::CodePageToWide("x", 12345), xmldom::DomError);
}

} // namespace
