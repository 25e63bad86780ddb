// Session values at the limits of the host's fixed buffers: what fits comes
// back whole, what does not is refused when the session is loaded, and the
// loader's own error buffer is never overrun.
#include "session_fixture.h"

#include <cstring>
#include <string>

using namespace hostsim_test;

namespace {

// n times "é", two bytes in UTF-8: limits count the bytes the host copies.
std::string twoByteChars(size_t n) {
    std::string text;
    while (n-- > 0)
        text += "\xC3\xA9";
    return text;
}

TEST(SessionLimits, PartNamesThatFitTheNameBufferComeBackWhole) {
    for (const std::string& name :
         {std::string(HOST_PART_NAME_MAX, 'n'), twoByteChars(HOST_PART_NAME_MAX / 2)}) {
        // Named as a part, a component and the display part.
        load(nlohmann::json{
            {"parts",
             {{{"file", "top.prt"}, {"components", {{{"part", name}}}}}, {{"file", name}}}},
            {"display_part", name}}
                 .dump());

        const tag_t part = partTag(name.c_str());
        ASSERT_NE(NULL_TAG, part) << name;
        EXPECT_EQ(part, UF_PART_ask_display_part());
        char buffer[HOST_PART_NAME_BUFSIZE + 8];
        std::memset(buffer, '#', sizeof buffer);
        ASSERT_EQ(0, UF_PART_ask_part_name(part, buffer));
        EXPECT_EQ(name, buffer);
        EXPECT_EQ(std::string(8, '#'), std::string(buffer + HOST_PART_NAME_BUFSIZE, 8));
    }
    for (const std::string& name : {std::string(HOST_PART_NAME_MAX + 1, 'n'),
                                    twoByteChars(HOST_PART_NAME_MAX / 2) + "n", std::string()}) {
        const std::string error = refusal(nlohmann::json{{"parts", {{{"file", name}}}}}.dump());
        EXPECT_NE(std::string::npos, error.find("/parts/0/file: file name must have 1 to 256"))
            << error;
    }
}

TEST(SessionLimits, AttributeTitlesThatFitTheRecordComeBackWhole) {
    const size_t longest = HOST_ATTR_TITLE_BUFSIZE - 1;
    for (const std::string& title : {std::string(longest, 't'), twoByteChars(longest / 2) + "t"}) {
        load(nlohmann::json{
            {"parts",
             {{{"file", "a.prt"}, {"attributes", {{{"title", title}, {"value", title}}}}}}}}
                 .dump());
        int count = 0;
        UF_ATTR_part_attr_t* attributes = nullptr;
        ASSERT_EQ(0, ATTR_ask_part_attrs(partTag("a.prt"), &count, &attributes));
        ASSERT_EQ(1, count);
        EXPECT_EQ(title, std::string(attributes[0].title,
                                     strnlen(attributes[0].title, HOST_ATTR_TITLE_BUFSIZE)));
        EXPECT_EQ(title, attributes[0].value);
        UF_free(attributes);
    }
    for (const std::string& title : {std::string(longest + 1, 't'), twoByteChars(32)}) {
        const std::string error = refusal(nlohmann::json{
            {"parts", {{{"file", "a.prt"}, {"attributes", {{{"title", title}, {"value", ""}}}}}}}}
                                              .dump());
        EXPECT_NE(std::string::npos, error.find("title must have 1 to 63")) << error;
    }
}

TEST(SessionLimits, TheLoadersErrorIsCutToTheCallersBuffer) {
    // The message names the 256-character part listed twice: far longer than
    // the buffers below.
    const std::string name = std::string(HOST_PART_NAME_MAX, 'n');
    const std::string session =
        nlohmann::json{{"parts", {{{"file", name}}, {{"file", name}}}}}.dump();
    const std::string whole = refusal(session);
    ASSERT_GT(whole.size(), 64u);

    for (const size_t size : {size_t{1}, size_t{2}, size_t{64}}) {
        char buffer[80];
        std::memset(buffer, '#', sizeof buffer);
        EXPECT_NE(0, HOSTSIM_load_session_text(session.c_str(), "/base", buffer, size));
        EXPECT_EQ(whole.substr(0, size - 1), buffer) << size;
        EXPECT_EQ(std::string(sizeof buffer - size, '#'),
                  std::string(buffer + size, sizeof buffer - size));
    }
    // No buffer at all: refused just the same.
    EXPECT_NE(0, HOSTSIM_load_session_text(session.c_str(), "/base", nullptr, 0));
    EXPECT_NE(0, HOSTSIM_load_session_text(nullptr, "/base", nullptr, 0));
}

} // namespace
