#pragma once

#include "engine/clocks/ClockGeometry.h"

namespace velarin {

// Dialog templates measure in dialog units: a quarter of the dialog font's average character
// width across, an eighth of its height down. Rounded to the nearest pixel as the templates'
// own conversion does.
struct DialogBaseUnits {
    int averageCharWidth = 6;
    int charHeight = 13;
};

inline int DialogUnitsToPixelsX(int units, const DialogBaseUnits& base)
{
    return (units * base.averageCharWidth + 2) / 4;
}

inline int DialogUnitsToPixelsY(int units, const DialogBaseUnits& base)
{
    return (units * base.charHeight + 4) / 8;
}

// A template rectangle (x, y, width, height in dialog units) as pixels.
inline ClockRect DialogRectToPixels(
    int x, int y, int width, int height, const DialogBaseUnits& base)
{
    // Edges are converted, not sizes, so that neighbouring controls stay aligned.
    return { DialogUnitsToPixelsX(x, base), DialogUnitsToPixelsY(y, base),
        DialogUnitsToPixelsX(x + width, base), DialogUnitsToPixelsY(y + height, base) };
}

} // namespace velarin
