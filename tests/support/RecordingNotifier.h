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

    void ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon) override
    {
        std::lock_guard lock(mutex_);
        messages_.push_back({ text, caption, icon });
    }
    void Beep(MessageIcon icon) override
    {
        std::lock_guard lock(mutex_);
        beeps_.push_back(icon);
    }
    std::vector<Message> Messages() const { return locked(messages_); }
    std::vector<MessageIcon> Beeps() const { return locked(beeps_); }
    // Just the texts, in order.
    std::vector<std::string> Texts() const
    {
        std::vector<std::string> texts;
        for (const auto& message : Messages())
            texts.push_back(message.text);
        return texts;
    }

private:
    template <typename T> T locked(const T& value) const
    {
        std::lock_guard lock(mutex_);
        return value;
    }

    mutable std::mutex mutex_;
    std::vector<Message> messages_;
    std::vector<MessageIcon> beeps_;
};

} // namespace velarin::test
