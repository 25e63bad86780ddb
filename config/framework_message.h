// The window framework's message box: the reader's and the dialog's own
// messages go here, host-related ones to the host's box (uc1601).
//
// One declaration, two implementations chosen at link time: the modal box of
// framework_message_box.cpp (Windows, target framework_message_box) and the
// recorder of framework_message_recorder.cpp (every platform, target
// framework_message_recorder) for tests and native programs.
#pragma once

// Shows text in a modal box with an OK button and returns when it is closed.
void ShowFrameworkMessage(const char* text);
