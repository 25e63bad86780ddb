// Every dialog shown on the development host's thread while the plug-in
// runs: message boxes are recorded with where they came from, and prompts
// get the answers a script gave for them. Without a person, whatever has
// no answer of its own is answered at once so that nothing blocks.
#pragma once

#include <deque>
#include <string>
#include <vector>

namespace devhost {

enum class ConfirmAnswer { Save, NoSave, Cancel, CloseBox, Escape };

struct ColorAnswer {
    bool cancel = false;
    int red = 0;
    int green = 0;
    int blue = 0;
};

struct ShownMessage {
    std::string source; // "host" (uc1601) or "framework"
    std::string text;
};

class DialogWatch {
  public:
    // Starts watching the calling thread; the host's own messages are shown
    // as real message boxes too, so one record holds them all.
    explicit DialogWatch(bool automatic);
    ~DialogWatch();
    DialogWatch(const DialogWatch&) = delete;
    DialogWatch& operator=(const DialogWatch&) = delete;

    const std::vector<ShownMessage>& Messages() const { return messages_; }
    // The answer the next close confirmation, or colour dialog, gets.
    void AnswerNextConfirmation(ConfirmAnswer answer) { confirmAnswers_.push_back(answer); }
    void AnswerNextColorDialog(const ColorAnswer& answer) { colorAnswers_.push_back(answer); }
    // The entry chosen from the next menu, by its words without the access
    // key's & and the shortcut ("Color..."); empty: the menu is left (Esc).
    void AnswerNextMenu(const std::string& entry) { menuAnswers_.push_back(entry); }
    // Answers given that no dialog or menu has taken yet.
    size_t UnusedAnswers() const {
        return confirmAnswers_.size() + colorAnswers_.size() + menuAnswers_.size();
    }
    // The entries asked for that a menu did not have, each with the
    // entries it had; emptied by the call.
    std::vector<std::string> TakeMissedEntries();
    // How many View Manager windows have been created: one shown again is
    // not counted again.
    int ViewManagersCreated() const { return viewManagersCreated_; }

  private:
    friend struct WatchAccess;
    bool automatic_;
    std::vector<ShownMessage> messages_;
    std::deque<ConfirmAnswer> confirmAnswers_;
    std::deque<ColorAnswer> colorAnswers_;
    std::deque<std::string> menuAnswers_;
    std::vector<std::string> missedEntries_;
    int viewManagersCreated_ = 0;
};

} // namespace devhost
