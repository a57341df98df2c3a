#include "gui/ui/CVelarinPropertyPage8.h"

#include "engine/AppState.h"
#include "engine/frame/SystemLogToggle.h"
#include "engine/settings/SettingsKeys.h"
#include "gui/ui/CBalloonTipWnd.h"
#include "gui/ui/CVelarinPropertySheet.h"
#include "gui/ui/PropertySheetHost.h"
#include "platform/SettingsStore.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

namespace velarin {
namespace {

enum ControlId {
    kEnableBubbles = 1028,
    kUseGps = 1039,
    kUseNetwork = 1040,
    kHelp = 1103,
    kSystemLog = 1104,
};

} // namespace

CVelarinPropertyPage8::CVelarinPropertyPage8(PropertySheetContext& context, QWidget* parent)
    : CVelarinPropertyPage(
        context, kDialogId, QStringLiteral("System Configuration"), kHelpContext, parent)
    , askSystemLogPath([this] { return AskSystemLogPath(); })
{
}

void CVelarinPropertyPage8::OnInitDialog()
{
    Add<QGroupBox>(0, QStringLiteral("PC Clock Reference"), QRect(7, 7, 200, 44));
    gps_ = Add<QRadioButton>(
        kUseGps, QStringLiteral("Set PC clock using GPS"), QRect(15, 20, 185, 10));
    network_ = Add<QRadioButton>(kUseNetwork,
        QStringLiteral("Set PC clock using network time server"), QRect(15, 34, 185, 10));
    auto* group = new QButtonGroup(this);
    group->addButton(gps_);
    group->addButton(network_);

    Add<QGroupBox>(0, QStringLiteral("Miscellaneous "), QRect(7, 57, 200, 30));
    bubbles_ = Add<QCheckBox>(
        kEnableBubbles, QStringLiteral("Enable help bubbles"), QRect(15, 70, 150, 10));

    // The system log is a diagnostic for the program's own developers: its group and button
    // exist on the page but stay hidden (the command line's --system-log reaches the log).
    diagnostics_ = Add<QGroupBox>(0, QStringLiteral("Diagnostics"), QRect(215, 7, 128, 44));
    diagnostics_->hide();
    systemLog_ = AddButton(kSystemLog, QString(), QRect(223, 24, 112, 14));
    systemLog_->hide();
    systemLog_->setEnabled(false);
    if (SystemLog* log = context_.host.GetSystemLog())
        systemLog_->setText(QString::fromLatin1(SystemLogButtonText(*log)));
    else
        systemLog_->setText(QString::fromLatin1(kEnableSystemLoggingText));

    auto* help = AddButton(kHelp, QStringLiteral("Help"), QRect(293, 109, 50, 14));

    AddTool(bubbles_, QStringLiteral("Enable or disables the bubble tips."));
    AddTool(gps_, QStringLiteral("Instructs Velarin to use a GPS receiver as a timing reference."));
    AddTool(network_,
        QStringLiteral("Instructs Velarin to use a network time server as a timing reference."));

    bubbles_->setChecked(Sheet() != nullptr && Sheet()->Balloon().enabled != 0);
    (context_.state.useNetworkTime.load() == 0 ? gps_ : network_)->setChecked(true);

    // Every click acts, even on the button already chosen: choosing GPS again reopens the port.
    connect(gps_, &QRadioButton::clicked, this, &CVelarinPropertyPage8::OnReferenceClicked);
    connect(network_, &QRadioButton::clicked, this, &CVelarinPropertyPage8::OnReferenceClicked);
    connect(bubbles_, &QCheckBox::clicked, this, &CVelarinPropertyPage8::OnBubblesClicked);
    connect(systemLog_, &QPushButton::clicked, this, &CVelarinPropertyPage8::ToggleSystemLog);
    connect(help, &QPushButton::clicked, this, &CVelarinPropertyPage8::OnHelp);
}

void CVelarinPropertyPage8::OnReferenceClicked()
{
    if (gps_->isChecked()) {
        context_.state.useNetworkTime = 0;
        context_.host.UseGpsReference();
    } else {
        context_.state.useNetworkTime = 1;
        context_.host.UseNetworkReference();
    }
    context_.settings.WriteProfileInt(
        keys::kSettings, keys::kUseNetworkTime, context_.state.useNetworkTime.load());
}

void CVelarinPropertyPage8::OnBubblesClicked()
{
    const int enabled = bubbles_->isChecked() ? 1 : 0;
    if (Sheet() != nullptr) {
        Sheet()->Balloon().enabled = enabled;
        if (enabled == 0)
            Sheet()->Balloon().Hide();
    }
    context_.settings.WriteProfileInt(keys::kSettings, keys::kEnableBubbleTip, enabled);
}

void CVelarinPropertyPage8::ToggleSystemLog()
{
    SystemLog* log = context_.host.GetSystemLog();
    if (log == nullptr)
        return;
    const std::string text = velarin::ToggleSystemLog(*log, [this]() -> std::optional<std::string> {
        if (const std::optional<QString> path = askSystemLogPath())
            return path->toStdString();
        return std::nullopt;
    });
    systemLog_->setText(QString::fromStdString(text));
}

std::optional<QString> CVelarinPropertyPage8::AskSystemLogPath()
{
    // The save-as dialog asks before an existing file is replaced.
    QFileDialog dialog(this);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QString::fromLatin1(kSystemLogDefaultExtension));
    dialog.selectFile(QString::fromLatin1(kSystemLogDefaultFileName));
    dialog.setNameFilters(
        { QStringLiteral("Log Fils (*.log)"), QStringLiteral("All Files (*.*)") });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace velarin
