#include "platform/StderrUserNotifier.h"

namespace velarin {

StderrUserNotifier::StderrUserNotifier(std::string applicationName, std::FILE* out)
    : applicationName_(std::move(applicationName))
    , out_(out)
{
}

std::string StderrUserNotifier::FormatLine(const std::string& text, const std::string& caption)
{
    std::string line = caption + ": ";
    bool lastWasBlank = true;
    for (char c : text) {
        const bool blank = c == '\n' || c == '\r' || c == ' ' || c == '\t';
        if (blank) {
            if (!lastWasBlank)
                line += ' ';
        } else {
            line += c;
        }
        lastWasBlank = blank;
    }
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
    return line;
}

void StderrUserNotifier::ShowMessage(
    const std::string& text, const std::string& caption, MessageIcon)
{
    const std::string line = FormatLine(text, caption.empty() ? applicationName_ : caption);
    std::lock_guard lock(mutex_);
    std::fprintf(out_, "%s\n", line.c_str());
    std::fflush(out_);
}

void StderrUserNotifier::Beep(MessageIcon) { }

} // namespace velarin
