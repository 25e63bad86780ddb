// Every message box shown on the development host's thread, recorded, and in
// a run without a person answered at once so that nothing blocks.
#pragma once

#include <windows.h>

#include <set>
#include <string>
#include <vector>

namespace devhost {

class MessageBoxes {
  public:
    // Starts watching the calling thread; the host's own messages (uc1601)
    // are shown as real message boxes too, so one record holds them all.
    explicit MessageBoxes(bool answerAutomatically);
    ~MessageBoxes();
    MessageBoxes(const MessageBoxes&) = delete;
    MessageBoxes& operator=(const MessageBoxes&) = delete;

    const std::vector<std::string>& Texts() const { return texts_; }

  private:
    std::vector<std::string> texts_;
    std::set<HWND> seen_;
};

} // namespace devhost
