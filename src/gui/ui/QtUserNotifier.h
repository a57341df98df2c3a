#pragma once

#include "platform/UserNotifier.h"

#include <QString>

namespace velarin {

// Message boxes and beeps for the desktop program: a modal box with the stop, exclamation,
// information or question icon and the application's name as the caption.
class QtUserNotifier : public UserNotifier {
public:
    void ShowMessage(
        const std::string& text, const std::string& caption, MessageIcon icon) override;
    void Beep(MessageIcon icon) override;

    static QString CaptionFor(const std::string& caption);
};

} // namespace velarin
