#include "engine/ui/HyperlinkLayout.h"

#include <cstdio>

namespace velarin {

UiRect FitLinkToText(
    UiRect control, int textWidth, int textHeight, LinkTextAlignment horizontal, bool centreV)
{
    UiRect fitted = control;
    if (centreV) {
        const int spare = control.Height() - textHeight;
        fitted.top = control.top + spare / 2;
        fitted.bottom = fitted.top + textHeight;
    } else {
        fitted.bottom = control.top + textHeight;
    }
    switch (horizontal) {
    case LinkTextAlignment::Centre: {
        const int spare = control.Width() - textWidth;
        fitted.left = control.left + spare / 2;
        fitted.right = fitted.left + textWidth;
        break;
    }
    case LinkTextAlignment::Right:
        fitted.left = control.right - textWidth;
        break;
    case LinkTextAlignment::Left:
        fitted.right = control.left + textWidth;
        break;
    }
    return fitted;
}

uint32_t LinkTextColor(
    bool overControl, bool visited, uint32_t linkColor, uint32_t visitedColor, uint32_t hoverColor)
{
    if (overControl)
        return hoverColor;
    return visited ? visitedColor : linkColor;
}

namespace {

struct OpenFailure {
    int result;
    const char* reason;
};

// The reason shown for each result of a failed open.
constexpr OpenFailure kOpenFailures[] = {
    { 0, "The operating system is out\nof memory or resources." },
    { 2, "The specified file was not found." },
    { 3, "The specified path was not found." },
    { 5, "The operating system denied\naccess to the specified file." },
    { 8, "There was not enough memory to complete the operation." },
    { 11, "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)." },
    { 26, "A sharing violation occurred. " },
    { 27, "The filename association is\nincomplete or invalid." },
    { 28, "The DDE transaction could not\nbe completed because the request timed out." },
    { 29, "The DDE transaction failed." },
    { 30,
        "The DDE transaction could not\nbe completed because other DDE "
        "transactions\nwere being processed." },
    { 31, "There is no application associated\nwith the given filename extension." },
    { 32, "The specified dynamic-link library was not found." },
};

} // namespace

std::string HyperlinkErrorMessage(int result)
{
    std::string message = "Unable to open hyperlink:\n\n";
    for (const OpenFailure& failure : kOpenFailures) {
        if (failure.result == result)
            return message + failure.reason;
    }
    char unknown[48];
    std::snprintf(unknown, sizeof unknown, "Unknown Error (%d) occurred.", result);
    return message + unknown;
}

} // namespace velarin
