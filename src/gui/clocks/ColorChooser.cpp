#include "gui/clocks/ColorChooser.h"

#include "gui/clocks/SystemColors.h"

#include <QColorDialog>

namespace velarin {

std::optional<ColorRef> ChooseColorWithDialog(QWidget* parent, ColorRef initial)
{
    const QColor chosen = QColorDialog::getColor(ToQColor(initial), parent);
    if (!chosen.isValid())
        return std::nullopt;
    return ToColorRef(chosen);
}

void SetSavedCustomColor(int index, ColorRef color)
{
    QColorDialog::setCustomColor(index, ToQColor(color));
}

ColorRef SavedCustomColor(int index)
{
    return ToColorRef(QColorDialog::customColor(index));
}

} // namespace velarin
