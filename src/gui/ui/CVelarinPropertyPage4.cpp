#include "gui/ui/CVelarinPropertyPage4.h"

#include "engine/AppState.h"
#include "engine/frame/NmeaCapture.h"
#include "engine/gps/SerialPort.h"
#include "engine/settings/SettingsKeys.h"
#include "engine/ui/GpsConfigurationRules.h"
#include "gui/ui/CCommSettingsDlg.h"
#include "gui/ui/CLedCtrl.h"
#include "gui/ui/CPPSSettingsDlg.h"
#include "gui/ui/DialogItems.h"
#include "gui/ui/PropertySheetHost.h"
#include "gui/ui/SaveAsFileDialog.h"
#include "platform/SettingsStore.h"
#include "platform/UserNotifier.h"
#include "platform/linux/SerialDeviceList.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace velarin {

CVelarinPropertyPage4::CVelarinPropertyPage4(PropertySheetContext& context, QWidget* parent)
    : CVelarinPropertyPage(
        context, kDialogId, QStringLiteral("GPS Configuration"), kHelpContext, parent)
{
}

void CVelarinPropertyPage4::CreateControls()
{
    // Group boxes first, so that the controls inside lie above them.
    Add<QGroupBox>(0, QStringLiteral("Communication Setup"), QRect(5, 3, 130, 48));
    Add<QGroupBox>(0, QStringLiteral("Hardware 1 pulse per second"), QRect(5, 55, 130, 52));
    Add<QGroupBox>(0, QStringLiteral("NMEA Setup"), QRect(140, 3, 205, 55));
    Add<QGroupBox>(0, QStringLiteral("GPS Time Lock"), QRect(140, 59, 205, 59));

    AddButton(kCommSettings, QStringLiteral("Comm Settings..."), QRect(12, 14, 90, 14));
    AddButton(kLogNmea, QString::fromLatin1(nmeacapture::kStartText), QRect(12, 32, 70, 14));
    logIndicator_ = new CLedCtrl(context_.timers, this);
    Place(logIndicator_, kLogIndicator, QRect(88, 33, 14, 12));

    AddLabel(QStringLiteral("Use 1PPS from GPS receiver"), QRect(12, 66, 120, 8));
    Add<QCheckBox>(kUseOnePps, QStringLiteral("Use hardware 1PPS"), QRect(12, 77, 120, 10));
    AddButton(kPpsSettings, QStringLiteral("PPS Settings..."), QRect(12, 89, 70, 14));

    AddLabel(QStringLiteral("Use time form:"), QRect(147, 14, 62, 8));
    Add<QRadioButton>(
        kTimeFromGpgga, QStringLiteral("NMEA GPGGA Message"), QRect(211, 13, 130, 10));
    Add<QRadioButton>(
        kTimeFromGprmc, QStringLiteral("NMEA GPRMC Message"), QRect(211, 23, 130, 10));
    Add<QRadioButton>(
        kTimeFromGpzda, QStringLiteral("NMEA GPZDA Message"), QRect(211, 33, 130, 10));
    AddLabel(QStringLiteral("GPS set time fix-up delay:"), QRect(147, 45, 116, 8));
    Place(new QLineEdit(this), kGpsTimeDelay, QRect(265, 43, 32, 12));
    AddLabel(QStringLiteral("ms"), QRect(301, 45, 16, 8));

    auto* lockText = AddLabel(QStringLiteral("Time lock is defined by the following conditions. "
                                             "These conditions determine if the GPS receiver is "
                                             "time locked ."),
        QRect(147, 68, 194, 25));
    lockText->setWordWrap(true);
    Add<QCheckBox>(
        kLockNeedsQuality, QStringLiteral("GPS Quality is good (GPGGA)"), QRect(147, 93, 134, 10));
    Add<QLabel>(kAnd, QStringLiteral("--- AND ---"), QRect(285, 94, 56, 8));
    AddLabel(QStringLiteral("Tracking at least:"), QRect(147, 106, 72, 8));
    Place(new QLineEdit(this), kLockSatellites, QRect(221, 104, 24, 12));
    AddLabel(QStringLiteral("satellites"), QRect(249, 106, 44, 8));
    Add<QCheckBox>(kAcceptAllTalkers,
        QStringLiteral("Accept other satellite systems (GN, GL, GA, GB, GQ, GI)"),
        QRect(60, 119, 285, 10));

    AddButton(kHelp, QStringLiteral("Help"), QRect(5, 111, 50, 14));
}

void CVelarinPropertyPage4::OnInitDialog()
{
    CreateControls();

    const auto button = [this](int id) { return qobject_cast<QAbstractButton*>(Control(id)); };
    const auto edit = [this](int id) { return qobject_cast<QLineEdit*>(Control(id)); };

    AddTool(Control(kCommSettings), QStringLiteral("Setup RS-232 communications to GPS receiver"));
    AddTool(Control(kTimeFromGpgga), QStringLiteral("Use the time from the GPGGA message"));
    AddTool(Control(kTimeFromGprmc), QStringLiteral("Use the time from the GPRMC message"));
    AddTool(Control(kTimeFromGpzda), QStringLiteral("Use the time from the GPZDA message"));
    AddTool(Control(kLockNeedsQuality),
        QStringLiteral("GPS quality must be good before assuming time lock"));
    AddTool(Control(kLockSatellites),
        QStringLiteral("Must be tracking at least N satellites before assuming time lock"));
    AddTool(Control(kUseOnePps),
        QStringLiteral(
            "Uses the 1 Pulse Per Second from the GPS receiver to synchronize the PC clock"));
    AddTool(Control(kGpsTimeDelay),
        QStringLiteral("Fixes the delay the GPS receiver may have due to RS-232 latency"));
    AddTool(Control(kAcceptAllTalkers),
        QStringLiteral("Reads the time and satellites of receivers that combine GPS with GLONASS, "
                       "Galileo, BeiDou, QZSS or NavIC and send GN, GL, GA, GB, GQ or GI "
                       "sentences. GP sentences are still used first when the receiver sends "
                       "them."));

    for (int id : { kTimeFromGpgga, kTimeFromGprmc, kTimeFromGpzda })
        connect(button(id), &QAbstractButton::clicked, this,
            &CVelarinPropertyPage4::OnTimeSourceClicked);
    connect(button(kLockNeedsQuality), &QAbstractButton::clicked, this,
        &CVelarinPropertyPage4::OnLockQualityClicked);
    connect(button(kUseOnePps), &QAbstractButton::clicked, this,
        &CVelarinPropertyPage4::OnUseOnePpsClicked);
    connect(button(kAcceptAllTalkers), &QAbstractButton::clicked, this,
        &CVelarinPropertyPage4::OnAcceptAllTalkersClicked);
    connect(button(kCommSettings), &QAbstractButton::clicked, this,
        &CVelarinPropertyPage4::OnCommSettings);
    connect(button(kPpsSettings), &QAbstractButton::clicked, this,
        &CVelarinPropertyPage4::OnPpsSettings);
    connect(button(kLogNmea), &QAbstractButton::clicked, this,
        &CVelarinPropertyPage4::ToggleNmeaCapture);
    connect(button(kHelp), &QAbstractButton::clicked, this, &CVelarinPropertyPage4::OnHelp);
    if (const int radio = gpsconfig::RadioForTimeSource(context_.state.useTimrFrom.load()))
        button(radio)->setChecked(true);
    button(kLockNeedsQuality)->setChecked(context_.state.tlGpsGood.load() != 0);
    SetDlgItemInt(edit(kLockSatellites), context_.state.tlSats.load());
    // The same default as the clock setting uses, so that the page shows what is in force.
    SetDlgItemInt(edit(kGpsTimeDelay),
        context_.settings.GetProfileInt(
            keys::kSettings, keys::kGPSTimeDelay, keys::kGPSTimeDelayDefault));
    button(kUseOnePps)->setChecked(context_.state.onePpsInput.load() != 0);
    button(kAcceptAllTalkers)->setChecked(context_.state.acceptAllTalkers.load() != 0);
    logIndicator_->SetLed(led::kGreen, led::kGreyed, led::kLarge);

    // Connected after the fields are filled: showing the page changes no setting, only typing
    // does.
    connect(edit(kLockSatellites), &QLineEdit::textChanged, this,
        &CVelarinPropertyPage4::OnChangeLockSatellites);
    connect(edit(kGpsTimeDelay), &QLineEdit::textChanged, this,
        &CVelarinPropertyPage4::OnChangeGpsTimeDelay);
}

bool CVelarinPropertyPage4::IsChecked(int id) const
{
    const auto* button = qobject_cast<const QAbstractButton*>(Control(id));
    return button != nullptr && button->isChecked();
}

void CVelarinPropertyPage4::OnTimeSourceClicked()
{
    const int source = gpsconfig::TimeSourceFromRadios(IsChecked(kTimeFromGpgga),
        IsChecked(kTimeFromGprmc), IsChecked(kTimeFromGpzda), context_.state.useTimrFrom.load());
    context_.state.useTimrFrom = source;
    context_.settings.WriteProfileInt(keys::kSettings, keys::kUseTimrFrom, source);
}

void CVelarinPropertyPage4::OnLockQualityClicked()
{
    const int required = IsChecked(kLockNeedsQuality) ? 1 : 0;
    context_.state.tlGpsGood = required;
    context_.settings.WriteProfileInt(keys::kSettings, keys::kTLGPSGood, required);
}

void CVelarinPropertyPage4::OnChangeLockSatellites()
{
    // No range check; the count is kept in 16 bits, in memory and in the store alike.
    const uint16_t satellites = gpsconfig::KeepIn16Bits(GetDlgItemInt(Control(kLockSatellites)));
    context_.state.tlSats = satellites;
    context_.settings.WriteProfileInt(keys::kSettings, keys::kTLSats, satellites);
}

void CVelarinPropertyPage4::OnChangeGpsTimeDelay()
{
    const std::optional<int> delay
        = gpsconfig::AcceptedGpsTimeDelay(GetDlgItemInt(Control(kGpsTimeDelay)));
    if (!delay) {
        if (UserNotifier* notifier = context_.host.Notifier())
            notifier->Beep(MessageIcon::Exclamation);
        return;
    }
    context_.settings.WriteProfileInt(keys::kSettings, keys::kGPSTimeDelay, *delay);
}

void CVelarinPropertyPage4::OnUseOnePpsClicked()
{
    // A setting under way waits on the line or on the sentences by the old choice; it is ended
    // before the choice changes.
    if (context_.host.IsSetTimeBusy())
        context_.host.StopSetTimeThread();
    const int use = IsChecked(kUseOnePps) ? 1 : 0;
    context_.state.onePpsInput = use;
    context_.settings.WriteProfileInt(keys::kSettings, keys::kOnePpsInput, use);
}

void CVelarinPropertyPage4::OnAcceptAllTalkersClicked()
{
    const int accept = IsChecked(kAcceptAllTalkers) ? 1 : 0;
    context_.state.acceptAllTalkers = accept;
    context_.settings.WriteProfileInt(keys::kSettings, keys::kAcceptAllTalkers, accept);
}

void CVelarinPropertyPage4::OnCommSettings()
{
    SettingsStore& settings = context_.settings;
    CCommSettingsDlg dialog(ListSerialDevices());
    dialog.port = settings.GetProfileInt(keys::kSerial, keys::kPort, keys::kPortDefault);
    dialog.baudRate = settings.GetProfileInt(keys::kSerial, keys::kBaud, keys::kBaudDefault);
    dialog.device = settings.GetProfileString(keys::kSerial, keys::kDevice, "");
    if (dialog.exec() != QDialog::Accepted)
        return;

    settings.WriteProfileInt(keys::kSerial, keys::kPort, dialog.port);
    settings.WriteProfileInt(keys::kSerial, keys::kBaud, dialog.baudRate);
    // An empty "Device" lets the port number choose again.
    settings.WriteProfileString(keys::kSerial, keys::kDevice, dialog.device);
    // Reopened whatever changed, and whether or not the GPS is the reference now.
    if (CSerialPort* port = context_.host.SerialPort()) {
        port->Close();
        port->Open(dialog.port, dialog.baudRate, 0, 8, 0);
    }
}

void CVelarinPropertyPage4::OnPpsSettings()
{
    SettingsStore& settings = context_.settings;
    CPPSSettingsDlg dialog;
    dialog.polarity = settings.GetProfileInt(
        keys::kSettings, keys::kOnePpsPolarity, keys::kOnePpsPolarityDefault);
    dialog.lineMask = settings.GetProfileInt(keys::kSettings, keys::kLine, keys::kLineDefault);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // The running 1PPS detection reads both at its next wait.
    settings.WriteProfileInt(keys::kSettings, keys::kOnePpsPolarity, dialog.polarity);
    settings.WriteProfileInt(keys::kSettings, keys::kLine, dialog.lineMask);
}

void CVelarinPropertyPage4::ToggleNmeaCapture()
{
    CSerialPort* port = context_.host.SerialPort();
    if (port == nullptr)
        return;
    const auto askPath = [this]() -> std::optional<std::string> {
        const SaveAsRequest request { QString::fromLatin1(nmeacapture::kDefaultExtension),
            QString::fromLatin1(nmeacapture::kDefaultFileName),
            QString::fromLatin1(nmeacapture::kFilter) };
        const std::optional<QString> path = RunSaveAsDialog(this, request);
        if (!path)
            return std::nullopt;
        return QFile::encodeName(*path).toStdString();
    };
    auto* button = qobject_cast<QAbstractButton*>(Control(kLogNmea));
    switch (nmeacapture::ToggleNmeaCapture(*port, askPath)) {
    case nmeacapture::ToggleOutcome::Closed:
        logIndicator_->SetState(led::kGreyed);
        button->setText(QString::fromLatin1(nmeacapture::kStartText));
        break;
    case nmeacapture::ToggleOutcome::Opened:
        logIndicator_->SetState(led::kLit);
        button->setText(QString::fromLatin1(nmeacapture::kStopText));
        break;
    case nmeacapture::ToggleOutcome::OpenFailed:
        if (UserNotifier* notifier = context_.host.Notifier())
            notifier->ShowMessage(nmeacapture::kOpenFailedText, "", MessageIcon::None);
        break;
    case nmeacapture::ToggleOutcome::Cancelled:
        break;
    }
}

} // namespace velarin
