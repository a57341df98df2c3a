#pragma once

#include "engine/ui/UiGeometry.h"

#include <cstdint>
#include <string>

namespace velarin {

// How a link's static control places its text, as far as fitting the control to it goes.
enum class LinkTextAlignment { Left, Centre, Right };

// The control's rectangle (in its parent's coordinates) shrunk or grown to its text: vertically
// centred text keeps its middle, any other keeps its top; centred text keeps its middle,
// right-aligned text its right edge, any other its left edge. Odd differences put the extra
// pixel at the bottom or right, as an integer halving does.
UiRect FitLinkToText(
    UiRect control, int textWidth, int textHeight, LinkTextAlignment horizontal, bool centreV);

// The text colour of a link: hover wins, then visited, then the plain link colour.
uint32_t LinkTextColor(
    bool overControl, bool visited, uint32_t linkColor, uint32_t visitedColor, uint32_t hoverColor);

// Results of opening a link, in the numbering the error texts are keyed by; above 32 is success.
namespace link_result {
inline constexpr int kOutOfResources = 0;
inline constexpr int kFileNotFound = 2;
inline constexpr int kPathNotFound = 3;
inline constexpr int kAccessDenied = 5;
inline constexpr int kNoAssociation = 31;
inline constexpr int kOpened = 33;
} // namespace link_result

// The error box's text for a failed open: "Unable to open hyperlink:\n\n" and the reason.
std::string HyperlinkErrorMessage(int result);

} // namespace velarin
