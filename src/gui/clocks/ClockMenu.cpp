#include "gui/clocks/ClockMenu.h"

#include "engine/clocks/ClockCommands.h"

namespace velarin {
namespace {

// Only a checked item is checkable, so unchecked ones show no empty indicator, as in the
// platform menus the program was drawn for.
QAction* addCommand(
    QMenu* menu, const char* text, int id, bool checked = false, bool enabled = true)
{
    QAction* action = menu->addAction(QString::fromLatin1(text));
    action->setData(id);
    action->setCheckable(checked);
    action->setChecked(checked);
    action->setEnabled(enabled);
    return action;
}

} // namespace

std::unique_ptr<QMenu> BuildClockMenu(const ClockMenuState& state, QWidget* parent)
{
    auto menu = std::make_unique<QMenu>(parent);
    menu->setObjectName(QString::number(state.menuId));
    const bool digital = state.menuId == cmd::kMenuDigital;

    addCommand(
        menu.get(), "&Set PC Clock Now", cmd::kSetPcClockNow, false, state.setPcClockNowEnabled);

    QMenu* settings = menu->addMenu(QStringLiteral("Clock settings"));
    addCommand(settings, "&Always on top", cmd::kAlwaysOnTop, state.alwaysOnTop);
    addCommand(settings, "&Hide", cmd::kHide);
    settings->addSeparator();
    if (digital) {
        const std::pair<const char*, int> colors[]
            = { { "&Blue", cmd::kBlue }, { "&Green", cmd::kGreen }, { "&Red", cmd::kRed },
                  { "&Custom Color", cmd::kCustomColor } };
        for (const auto& [text, id] : colors)
            addCommand(settings, text, id, state.checkedColorCommand == id);
    } else {
        addCommand(settings, "Set Color...", cmd::kSetAnalogColor);
    }
    settings->addSeparator();
    addCommand(settings, "&Local Time", cmd::kLocalTime, state.localTime);
    addCommand(settings, "&UTC Time", cmd::kUtcTime, !state.localTime);
    addCommand(settings, "&24 hour time", cmd::k24HourTime, state.twentyFourHour);
    if (digital)
        addCommand(settings, "Show &Day of Year", cmd::kShowDayOfYear, state.dayOfYear);

    QMenu* transparency = menu->addMenu(QStringLiteral("&Transparency"));
    addCommand(transparency, "&Transparent", cmd::kTransparent, state.transparent,
        state.transparentEnabled);
    addCommand(transparency, "&Set Transparency...", cmd::kSetTransparency, false,
        state.setTransparencyEnabled);

    menu->addSeparator();
    addCommand(menu.get(), "&Aalog Clock", cmd::kAnalogClock, state.analog);
    addCommand(menu.get(), "&Digital Clock", cmd::kDigitalClock, state.digital);
    menu->addSeparator();
    addCommand(menu.get(), "Help Topics...", cmd::kHelpTopics);
    menu->addSeparator();
    addCommand(menu.get(), "&Properties", cmd::kProperties);
    return menu;
}

QAction* FindClockMenuAction(const QMenu& menu, int commandId)
{
    for (QAction* action : menu.actions()) {
        if (QMenu* sub = action->menu()) {
            if (QAction* found = FindClockMenuAction(*sub, commandId))
                return found;
        } else if (!action->isSeparator() && action->data().toInt() == commandId) {
            return action;
        }
    }
    return nullptr;
}

} // namespace velarin
