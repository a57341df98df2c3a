#pragma once

#include "engine/clocks/ClockColors.h"

#include <QColor>

namespace velarin {

// System colour indices as the drawings name them, read from the application's palette.
enum SystemColorIndex {
    kColorWindow = 5,
    kColorWindowText = 8,
    kColorAppWorkspace = 12,
    kColorHighlight = 13,
    kColorButtonFace = 15,
    kColorButtonShadow = 16,
    kColorButtonHighlight = 20,
};

// The palette colour standing in for a system colour. The application workspace (the backdrop
// of document windows) has no palette role of its own; the dark shade serves.
ColorRef GetSystemColor(SystemColorIndex index);

inline QColor ToQColor(ColorRef color)
{
    return QColor(RedOf(color), GreenOf(color), BlueOf(color));
}

inline ColorRef ToColorRef(const QColor& color)
{
    return MakeColorRef(color.red(), color.green(), color.blue());
}

} // namespace velarin
