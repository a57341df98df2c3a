#include "gui/ui/CCommSettingsDlg.h"

#include "engine/ui/GpsConfigurationRules.h"
#include "gui/ui/DialogItems.h"

#include <QComboBox>
#include <QLabel>

namespace velarin {

CCommSettingsDlg::CCommSettingsDlg(std::vector<std::string> devices, QWidget* parent)
    : CTemplateDialog(kDialogId, QStringLiteral("Communication Settings"), 138, 68, parent)
    , portBox_(new QComboBox(this))
    , baudBox_(new QComboBox(this))
{
    PlaceIn(new QLabel(QStringLiteral("Comm Port:"), this), 0, QRect(7, 9, 48, 8));
    portBox_->setEditable(true);
    portBox_->setInsertPolicy(QComboBox::NoInsert);
    for (const std::string& item : gpsconfig::CommPortItems(devices))
        portBox_->addItem(QString::fromStdString(item));
    PlaceIn(portBox_, kPort, QRect(56, 7, 76, 12));

    PlaceIn(new QLabel(QStringLiteral("Baud Rate:"), this), 0, QRect(7, 27, 48, 8));
    baudBox_->setEditable(true);
    baudBox_->setInsertPolicy(QComboBox::NoInsert);
    for (const char* rate : { "300", "1200", "4800", "9600", "19200", "38400", "57600", "115200" })
        baudBox_->addItem(QString::fromLatin1(rate));
    PlaceIn(baudBox_, kBaud, QRect(56, 25, 76, 12));

    AddOkCancel(QRect(20, 47, 50, 14), QRect(76, 47, 50, 14));
}

void CCommSettingsDlg::OnInitDialog()
{
    DoDataExchange(false);
    SetDlgItemInt(baudBox_, baudRate);
    if (device.empty())
        SetDlgItemInt(portBox_, port);
    else
        portBox_->setEditText(QString::fromStdString(device));
}

void CCommSettingsDlg::DoDataExchange(bool save)
{
    if (save) {
        baudText = baudBox_->currentText();
        portText = portBox_->currentText();
    } else {
        baudBox_->setEditText(baudText);
        portBox_->setEditText(portText);
    }
}

void CCommSettingsDlg::accept()
{
    DoDataExchange(true);
    baudRate = GetDlgItemInt(baudBox_);
    const gpsconfig::CommPortChoice choice
        = gpsconfig::CommPortFromText(portText.toStdString(), port);
    port = choice.port;
    device = choice.device;
    CTemplateDialog::accept();
}

} // namespace velarin
