#pragma once

#include "engine/clocks/ClockMenuState.h"

#include <QMenu>
#include <memory>

namespace velarin {

// The clock window's right-button menu (302 analog, 303 digital) with its checks and grays.
// Every command item carries its command id as data.
std::unique_ptr<QMenu> BuildClockMenu(const ClockMenuState& state, QWidget* parent);

// The item with a command id, searched through the submenus; null when absent.
QAction* FindClockMenuAction(const QMenu& menu, int commandId);

} // namespace velarin
