#include "gui/clocks/SystemColors.h"

#include <QGuiApplication>
#include <QPalette>

namespace velarin {

ColorRef GetSystemColor(SystemColorIndex index)
{
    const QPalette palette = QGuiApplication::palette();
    QPalette::ColorRole role = QPalette::Window;
    switch (index) {
    case kColorWindow:
        role = QPalette::Base;
        break;
    case kColorWindowText:
        role = QPalette::Text;
        break;
    case kColorAppWorkspace:
    case kColorButtonShadow:
        role = QPalette::Dark;
        break;
    case kColorHighlight:
        role = QPalette::Highlight;
        break;
    case kColorButtonFace:
        role = QPalette::Button;
        break;
    case kColorButtonHighlight:
        role = QPalette::Light;
        break;
    }
    return ToColorRef(palette.color(QPalette::Active, role));
}

} // namespace velarin
