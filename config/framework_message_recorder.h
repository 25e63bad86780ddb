// Access to what the recording framework message box was given.
#pragma once

#include <string>
#include <vector>

// Texts shown with ShowFrameworkMessage, oldest first.
const std::vector<std::string>& RecordedFrameworkMessages();
void ClearRecordedFrameworkMessages();
