#pragma once

#include "platform/UserNotifier.h"

#include <cstdio>
#include <mutex>
#include <string>

namespace velarin {

// Messages for runs without a display: one line on stderr ("caption: text", line breaks folded
// into blanks), never waiting for anyone. Beeps are dropped: a headless run owns no speaker.
class StderrUserNotifier : public UserNotifier {
public:
    explicit StderrUserNotifier(std::string applicationName, std::FILE* out = stderr);

    void ShowMessage(
        const std::string& text, const std::string& caption, MessageIcon icon) override;
    void Beep(MessageIcon icon) override;

    // The line ShowMessage writes, without its newline.
    static std::string FormatLine(const std::string& text, const std::string& caption);

private:
    std::string applicationName_;
    std::FILE* out_;
    std::mutex mutex_;
};

} // namespace velarin
