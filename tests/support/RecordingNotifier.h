#pragma once

#include "platform/UserNotifier.h"

#include <mutex>
#include <string>
#include <vector>

namespace velarin::test {

// Keeps every message box and beep instead of showing them.
class RecordingNotifier : public UserNotifier {
public:
    struct Message {
        std::string text;
        std::string caption;
        MessageIcon icon = MessageIcon::None;
    };

    void ShowMessage(
        const std::string& text, const std::string& caption, MessageIcon icon) override;
    void Beep(MessageIcon icon) override;

    std::vector<Message> Messages() const;
    // Just the texts, in order.
    std::vector<std::string> Texts() const;
    std::vector<MessageIcon> Beeps() const;

private:
    mutable std::mutex mutex_;
    std::vector<Message> messages_;
    std::vector<MessageIcon> beeps_;
};

} // namespace velarin::test
