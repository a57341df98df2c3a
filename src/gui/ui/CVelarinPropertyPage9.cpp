#include "gui/ui/CVelarinPropertyPage9.h"

#include "engine/AppState.h"
#include "engine/clocks/ClockColors.h"
#include "engine/clocks/ClockCommands.h"
#include "engine/settings/SettingsKeys.h"
#include "gui/clocks/ClockColorDlg.h"
#include "gui/clocks/DigitalClockCtrl.h"
#include "gui/ui/CVelarinPropertySheet.h"
#include "gui/ui/PropertySheetHost.h"
#include "platform/SettingsStore.h"

#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>

#include <array>

namespace velarin {
namespace {

enum ControlId {
    kSetClockNow = 1008,
    kUtcClock = 1042,
    kColorList = 1046,
    kHelp = 1103,
};

// The list's items by index, as the desktop clock menu's colour commands.
constexpr std::array<int, 4> kColorCommands { cmd::kBlue, cmd::kGreen, cmd::kRed,
    cmd::kCustomColor };

int ListIndexForCommand(int command)
{
    for (size_t i = 0; i < kColorCommands.size(); ++i) {
        if (kColorCommands[i] == command)
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace

CVelarinPropertyPage9::CVelarinPropertyPage9(PropertySheetContext& context, QWidget* parent)
    : CVelarinPropertyPage(context, kDialogId, QStringLiteral("Time"), kHelpContext, parent)
    , runDialog_([](QDialog& dialog) { return dialog.exec(); })
{
}

CVelarinPropertyPage9::~CVelarinPropertyPage9() = default;

void CVelarinPropertyPage9::OnInitDialog()
{
    auto* frame = new QGroupBox(QStringLiteral("UTC Time"), this);
    Place(frame, 0, QRect(7, 4, 336, 80));
    utcClock_ = new CDigitalClockCtrl(context_.clock, this);
    Place(utcClock_, kUtcClock, QRect(17, 17, 316, 58));

    AddLabel(QStringLiteral("Display Color:"), QRect(7, 93, 60, 8));
    colorList_ = new QComboBox(this);
    colorList_->addItems({ QStringLiteral("Blue"), QStringLiteral("Green"), QStringLiteral("Red"),
        QStringLiteral("Custom") });
    Place(colorList_, kColorList, QRect(70, 90, 80, 14));
    setClockNow_
        = AddButton(kSetClockNow, QStringLiteral("Update PC Clock Now"), QRect(253, 90, 90, 14));
    auto* help = AddButton(kHelp, QStringLiteral("Help"), QRect(7, 109, 50, 14));

    connect(setClockNow_, &QPushButton::clicked, this, [this] {
        if (Sheet() != nullptr)
            Sheet()->SetPCClockNow();
    });
    connect(help, &QPushButton::clicked, this, &CVelarinPropertyPage9::OnHelp);

    AddTool(colorList_, QStringLiteral("Sets the clock display color"));
    AddTool(setClockNow_, QStringLiteral("Sets the PC clock using the selected timing reference"));
    AddTool(utcClock_, QStringLiteral("Digital clock shows the system time in UTC"));

    utcClock_->SetSegmentColors(
        context_.state.clockActiveSegColor, context_.state.clockInactiveSegColor);
    utcClock_->EnableTick(1, 50);
    utcClock_->SetThickness(7);
    utcClock_->SetUseLocalTime(0);
    selectStoredColor();
    // Only the user's choices count as changes; the selections made from the store do not.
    connect(colorList_, &QComboBox::activated, this, &CVelarinPropertyPage9::OnColorListChanged);

    SetTimer(kRefreshMilliseconds);
    colorTimer_ = context_.timers.CreateTimer([this] { OnColorTimer(); });
    colorTimer_->Start(kColorRefreshMilliseconds);
    refreshClockAndButton();
}

void CVelarinPropertyPage9::selectStoredColor()
{
    const int command
        = context_.settings.GetProfileInt(keys::kSettings, keys::kClockColor, cmd::kCustomColor);
    colorList_->setCurrentIndex(ListIndexForCommand(command));
}

void CVelarinPropertyPage9::refreshClockAndButton()
{
    utcClock_->SetSegmentColors(
        context_.state.clockActiveSegColor, context_.state.clockInactiveSegColor);
    setClockNow_->setEnabled(
        !context_.host.IsSetTimeBusy() && context_.state.timeReferenceUsable.load() == 1);
}

void CVelarinPropertyPage9::OnTimer()
{
    refreshClockAndButton();
}

void CVelarinPropertyPage9::OnColorTimer()
{
    refreshClockAndButton();
    // Never move the selection under a user who is choosing.
    if (!colorList_->hasFocus())
        selectStoredColor();
}

void CVelarinPropertyPage9::OnColorListChanged(int index)
{
    AppState& state = context_.state;
    SettingsStore& settings = context_.settings;
    if (index >= 0 && index < 3) {
        const int command = kColorCommands[static_cast<size_t>(index)];
        if (const auto preset = SegmentColorPreset(command)) {
            state.clockActiveSegColor = preset->active;
            state.clockInactiveSegColor = preset->inactive;
            settings.WriteProfileInt(keys::kSettings, keys::kClockColor, command);
        }
    } else if (index == 3) {
        QWidget* owner = Sheet() != nullptr ? static_cast<QWidget*>(Sheet()) : this;
        CClockColorDlg dialog(context_.clock, owner);
        dialog.activeColor = state.clockActiveSegColor;
        dialog.inactiveColor = state.clockInactiveSegColor;
        if (runDialog_(dialog) == QDialog::Accepted) {
            state.clockActiveSegColor = dialog.activeColor;
            state.clockInactiveSegColor = dialog.inactiveColor;
            settings.WriteProfileInt(keys::kSettings, keys::kClockColor, cmd::kCustomColor);
        }
    }
    const ColorRef active = state.clockActiveSegColor;
    const ColorRef inactive = state.clockInactiveSegColor;
    settings.WriteProfileInt(keys::kSettings, keys::kClockEnableSegColor, static_cast<int>(active));
    settings.WriteProfileInt(
        keys::kSettings, keys::kClockDisableSegColor, static_cast<int>(inactive));
    utcClock_->SetSegmentColors(active, inactive);
    utcClock_->InvalidateWithErase();
}

} // namespace velarin
