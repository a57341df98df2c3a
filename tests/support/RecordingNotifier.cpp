#include "support/RecordingNotifier.h"

namespace velarin::test {

void RecordingNotifier::ShowMessage(
    const std::string& text, const std::string& caption, MessageIcon icon)
{
    std::lock_guard lock(mutex_);
    messages_.push_back({ text, caption, icon });
}

void RecordingNotifier::Beep(MessageIcon icon)
{
    std::lock_guard lock(mutex_);
    beeps_.push_back(icon);
}

std::vector<RecordingNotifier::Message> RecordingNotifier::Messages() const
{
    std::lock_guard lock(mutex_);
    return messages_;
}

std::vector<std::string> RecordingNotifier::Texts() const
{
    std::lock_guard lock(mutex_);
    std::vector<std::string> texts;
    for (const auto& message : messages_)
        texts.push_back(message.text);
    return texts;
}

std::vector<MessageIcon> RecordingNotifier::Beeps() const
{
    std::lock_guard lock(mutex_);
    return beeps_;
}

} // namespace velarin::test
