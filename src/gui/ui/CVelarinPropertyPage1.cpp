#include "gui/ui/CVelarinPropertyPage1.h"

#include "engine/AppState.h"
#include "engine/gps/CNmeaParser.h"
#include "engine/settings/SettingsKeys.h"
#include "engine/ui/PulseSourceText.h"
#include "engine/ui/SatellitesShown.h"
#include "gui/ui/CLedCtrl.h"
#include "gui/ui/CSignalBarCtrl.h"
#include "gui/ui/CVelarinPropertySheet.h"
#include "gui/ui/PropertySheetHost.h"
#include "platform/SettingsStore.h"
#include "platform/SystemClock.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace velarin {
namespace {

enum ControlId {
    kSignalBars = 1000,
    kGpsTime = 1001,
    kLocalTime = 1002,
    kLocked = 1004,
    kStatus = 1007,
    kUpdateNow = 1008,
    kPulseSource = 1114,
    kRxIndicator = 1031,
    kResetSignal = 1033,
    kHelp = 1103,
};

QString Clock(int hour, int minute, int second)
{
    return QString::asprintf("%02d:%02d:%02d", hour, minute, second);
}

void SetText(QWidget* edit, const QString& text)
{
    if (auto* line = qobject_cast<QLineEdit*>(edit))
        line->setText(text);
}

} // namespace

CVelarinPropertyPage1::CVelarinPropertyPage1(PropertySheetContext& context, QWidget* parent)
    : CVelarinPropertyPage(
        context, kDialogId, QStringLiteral("GPS Signal Quality"), kHelpContext, parent)
{
}

void CVelarinPropertyPage1::OnInitDialog()
{
    AddLabel(QStringLiteral("Rx:"), QRect(7, 9, 20, 8));
    rx_ = new CLedCtrl(context_.timers, this);
    Place(rx_, kRxIndicator, QRect(60, 6, 14, 12));

    AddLabel(QStringLiteral("GPS Time:"), QRect(7, 25, 50, 8));
    auto* gpsTime = AddReadOnlyEdit(kGpsTime, QRect(60, 23, 70, 12));
    AddLabel(QStringLiteral("Local Time:"), QRect(7, 41, 50, 8));
    auto* localTime = AddReadOnlyEdit(kLocalTime, QRect(60, 39, 70, 12));
    AddLabel(QStringLiteral("GPS Locked:"), QRect(7, 57, 50, 8));
    auto* locked = AddReadOnlyEdit(kLocked, QRect(60, 55, 70, 12));
    AddLabel(QStringLiteral("Status:"), QRect(7, 73, 50, 8));
    auto* status = AddReadOnlyEdit(kStatus, QRect(60, 71, 70, 12));

    auto* updateNow
        = AddButton(kUpdateNow, QStringLiteral("Update PC Clock Now"), QRect(7, 91, 123, 14));
    auto* reset
        = AddButton(kResetSignal, QStringLiteral("Reset Signal Quality"), QRect(7, 109, 103, 14));
    auto* help = AddButton(kHelp, QStringLiteral("?"), QRect(114, 109, 16, 14));

    bars_ = new CSignalBarCtrl(this);
    Place(bars_, kSignalBars, QRect(140, 6, 203, 101));
    AddLabel(QStringLiteral("1PPS:"), QRect(140, 113, 28, 8));
    auto* pulseSource = AddReadOnlyEdit(kPulseSource, QRect(170, 111, 173, 12));
    // Over the bars, shown only while the receiver's time goes unread for its talker.
    otherTalkersNotice_ = new QLabel(
        QStringLiteral("The receiver sends its time as GN, GL, GA, GB, GQ or GI sentences, which "
                       "are not read now. Tick \"Accept other satellite systems\" on the GPS "
                       "Configuration page."),
        this);
    otherTalkersNotice_->setWordWrap(true);
    otherTalkersNotice_->setAutoFillBackground(true);
    otherTalkersNotice_->setFrameShape(QFrame::Box);
    Place(otherTalkersNotice_, 0, QRect(144, 74, 195, 30));
    otherTalkersNotice_->hide();

    connect(updateNow, &QPushButton::clicked, this, [this] {
        if (Sheet() != nullptr)
            Sheet()->SetPCClockNow();
    });
    connect(reset, &QPushButton::clicked, bars_, &CSignalBarCtrl::ResetMinMax);
    connect(help, &QPushButton::clicked, this, &CVelarinPropertyPage1::OnHelp);

    AddTool(gpsTime, QStringLiteral("Shows the time from the GPS reciever."));
    AddTool(localTime, QStringLiteral("Shows the current local time on the PC."));
    AddTool(updateNow, QStringLiteral("Sets the PC clock now. GPS receiver must be locked."));
    AddTool(
        locked, QStringLiteral("Shows the GPS receiver is tracking satellites and time is good."));
    AddTool(status,
        QStringLiteral("Shows GPS status and status while the system is setting the PC clock."));
    AddTool(bars_, QStringLiteral("Shows individual satellite signal quality."));
    // The indicator is control 1031 itself: the second text replaces the first.
    AddTool(rx_, QStringLiteral("Shows that NMEA data is being processed from the GPS receiver."));
    AddTool(reset, QStringLiteral("Resets the minimum and maximum signal quality levels"));
    AddTool(Control(kRxIndicator),
        QStringLiteral("Shows that NMEA sentences are being received on the RS-232 port"));
    AddTool(help, QStringLiteral("Help"));
    AddTool(pulseSource, QStringLiteral("Shows where the 1 pulse per second is taken from."));

    rx_->SetLed(led::kGreen, led::kDark, led::kLarge);
    SetTimer(kRefreshMilliseconds);
}

void CVelarinPropertyPage1::OnTimer()
{
    const CNmeaParser& parser = context_.parser;

    // Receive indicator: one flash per batch of sentences.
    const uint32_t sentences = parser.GetSentenceCount();
    if (sentences != lastSentenceCount_) {
        lastSentenceCount_ = sentences;
        rx_->Flash(100);
    }

    // Signal bars: redrawn when a new GPGSV has been decoded.
    const GsvData& gsv = parser.GetGsv();
    if (gsv.count != lastGsvCount_) {
        lastGsvCount_ = gsv.count;
        const int inView = gsv.inView;
        bars_->count = inView == 0 ? 12 : std::min(inView, SignalBarScale::kMaxEntries);
        const std::vector<int> shown = SatellitesShown(gsv, SignalBarScale::kMaxEntries);
        for (size_t i = 0; i < bars_->entries.size(); ++i) {
            SignalBarEntry entry;
            if (i < shown.size()) {
                const SatelliteInfo& s = gsv.satellites[shown[i]];
                entry = { s.prn, s.snr, static_cast<int32_t>(s.used) };
            }
            bars_->entries[i] = entry;
        }
        bars_->update();
    }

    // The receiver's own UTC fields, shown when their second changes.
    if (const auto gps = parser.GetReceiverTime(context_.state)) {
        if (gps->second != lastGpsSecond_) {
            lastGpsSecond_ = gps->second;
            SetText(Control(kGpsTime), Clock(gps->hour, gps->minute, gps->second));
        }
    }

    // Local time and the states, once a second.
    const SystemTime local = context_.clock.GetLocal();
    if (local.second != lastLocalSecond_) {
        lastLocalSecond_ = local.second;
        SetText(Control(kLocalTime), Clock(local.hour, local.minute, local.second));
        const bool usable = context_.state.timeReferenceUsable.load() == 1;
        const bool busy = context_.host.IsSetTimeBusy();
        SetText(Control(kLocked), usable ? QStringLiteral("LOCKED") : QStringLiteral("UNLOCKED"));
        SetText(
            Control(kStatus), busy ? QStringLiteral("Seting PC Clock..") : QStringLiteral("Idle"));
        Control(kUpdateNow)->setEnabled(!busy && usable);
        SetText(Control(kPulseSource), QString::fromStdString(pulseSource()));
        otherTalkersNotice_->setVisible(parser.OnlyOtherTalkersSendTime());
    }
}

std::string CVelarinPropertyPage1::pulseSource() const
{
    if (context_.state.onePpsInput.load() != 1)
        return "off";
    return PulseSourceText(context_.state.KernelPpsSource(),
        context_.settings.GetProfileInt(keys::kSettings, keys::kLine, keys::kLineDefault));
}

} // namespace velarin
