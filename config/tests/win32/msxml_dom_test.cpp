// What only the MSXML backend can meet.
#include "config/framework_message_recorder.h"
#include "config/view_config.h"

#include <gtest/gtest.h>

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

} // namespace
