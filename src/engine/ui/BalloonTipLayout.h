#pragma once

#include "engine/ui/UiGeometry.h"

#include <array>

namespace velarin {

// The balloon's outline in its own client coordinates: a rounded body plus a triangular pointer
// whose tip lands on the cursor.
struct BalloonShape {
    bool pointerAtTop = false;
    UiRect body; // rounded rectangle, corner ellipse 15 x 15
    std::array<UiPoint, 3> pointer {}; // first point is the tip
    UiRect textArea; // where the text is laid out
    int xOffset = 0; // window position relative to the cursor
    int yOffset = 0;
};

inline constexpr int kBalloonCornerEllipse = 15;

// The pointer sits at the bottom (balloon above the cursor) unless the balloon would then reach
// above the top of the screen.
BalloonShape ComputeBalloonShape(int width, int height, int cursorY);

// The window's top-left corner for a cursor position: the offset applied, then held within the
// screen (right, left, bottom, top, in that order).
UiPoint PlaceBalloon(const BalloonShape& shape, UiPoint cursor, int width, int height,
    int screenWidth, int screenHeight);

// A text block measured as textWidth x textHeight, centred in the area.
UiRect CentreText(const UiRect& area, int textWidth, int textHeight);

} // namespace velarin
