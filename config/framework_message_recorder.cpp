// The framework message box where there is no window to show: the texts are
// kept in order for whoever checks them.
#include "config/framework_message_recorder.h"

#include "config/framework_message.h"

namespace {

std::vector<std::string>& recorded() {
    static std::vector<std::string> texts;
    return texts;
}

} // namespace

void ShowFrameworkMessage(const char* text) {
    recorded().emplace_back(text);
}

const std::vector<std::string>& RecordedFrameworkMessages() {
    return recorded();
}

void ClearRecordedFrameworkMessages() {
    recorded().clear();
}
