#pragma once

#include <string>

namespace velarin {

enum class MessageIcon { None, Stop, Exclamation, Information, Question };

// Message boxes and beeps the user must see or hear. In the GUI these are modal Qt message
// boxes; headless runs write a line on stderr instead and never block.
class UserNotifier {
public:
    virtual ~UserNotifier() = default;

    // A modal box with one OK button. An empty caption means the application's name.
    virtual void ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon)
        = 0;
    // The system sound that goes with the icon (MessageBeep).
    virtual void Beep(MessageIcon icon) = 0;
};

} // namespace velarin
