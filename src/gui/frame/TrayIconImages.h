#pragma once

#include <QIcon>
#include <QImage>

namespace velarin {

// The tray pictures, drawn from their SVG sources so they stay sharp at every size a tray host
// asks for (16 px on most panels, up to 48 px on high-density screens).
class TrayIconImages {
public:
    // An empty icon for an id that has no picture (the tray then shows no image, as before).
    static QIcon Icon(int iconId);
    static QIcon ApplicationIcon();
};

} // namespace velarin
