#pragma once

#include "platform/UserNotifier.h"

#include <string>
#include <vector>

namespace velarin::test {

// Remembers every message box instead of showing it.
class RecordingNotifier : public UserNotifier {
public:
    void ShowMessage(const std::string& text, const std::string&, MessageIcon) override
    {
        messages.push_back(text);
    }
    void Beep(MessageIcon) override { ++beeps; }

    std::vector<std::string> messages;
    int beeps = 0;
};

} // namespace velarin::test
