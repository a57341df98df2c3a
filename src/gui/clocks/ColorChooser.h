#pragma once

#include "engine/clocks/ClockColors.h"

#include <functional>
#include <optional>

class QWidget;

namespace velarin {

// Opens a colour chooser with a colour preselected; the choice, or nothing on Cancel. The
// colour dialogs take one so that tests can stand in for the modal chooser.
using ColorChooser = std::function<std::optional<ColorRef>(QWidget* parent, ColorRef initial)>;

// The platform's colour dialog, custom colours shown.
std::optional<ColorRef> ChooseColorWithDialog(QWidget* parent, ColorRef initial);

// The 16 saved custom colours are one list for the whole run, shared by every chooser.
void SetSavedCustomColor(int index, ColorRef color);
ColorRef SavedCustomColor(int index);

} // namespace velarin
