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

std::string HyperlinkErrorMessage(int result)
{
    const char* reason = nullptr;
    switch (result) {
    case 0:
        reason = "The operating system is out\nof memory or resources.";
        break;
    case 2:
        reason = "The specified file was not found.";
        break;
    case 3:
        reason = "The specified path was not found.";
        break;
    case 5:
        reason = "The operating system denied\naccess to the specified file.";
        break;
    case 8:
        reason = "There was not enough memory to complete the operation.";
        break;
    case 11:
        reason = "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).";
        break;
    case 26:
        reason = "A sharing violation occurred. ";
        break;
    case 27:
        reason = "The filename association is\nincomplete or invalid.";
        break;
    case 28:
        reason = "The DDE transaction could not\nbe completed because the request timed out.";
        break;
    case 29:
        reason = "The DDE transaction failed.";
        break;
    case 30:
        reason = "The DDE transaction could not\nbe completed because other DDE "
                 "transactions\nwere being processed.";
        break;
    case 31:
        reason = "There is no application associated\nwith the given filename extension.";
        break;
    case 32:
        reason = "The specified dynamic-link library was not found.";
        break;
    default:
        break;
    }
    std::string message = "Unable to open hyperlink:\n\n";
    if (reason != nullptr) {
        message += reason;
    } else {
        char unknown[48];
        std::snprintf(unknown, sizeof unknown, "Unknown Error (%d) occurred.", result);
        message += unknown;
    }
    return message;
}

} // namespace velarin
