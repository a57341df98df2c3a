#pragma once

#include "gui/ui/CTemplateDialog.h"

#include <QString>

#include <string>
#include <vector>

class QComboBox;

namespace velarin {

// "Communication Settings" (template 151): the receiver's port and line speed. The port field
// offers the numbered ports 1 to 16 and the serial devices of this machine; any number or device
// path may be typed. The caller fills the members, runs the dialog and reads them back after OK.
class CCommSettingsDlg : public CTemplateDialog {
    Q_OBJECT
public:
    static constexpr int kDialogId = 151;
    enum ControlId {
        kPort = 1010,
        kBaud = 1011,
    };

    // devices: the serial device paths listed after the numbered ports.
    explicit CCommSettingsDlg(std::vector<std::string> devices = {}, QWidget* parent = nullptr);

    int baudRate = 4800;
    int port = 1;
    QString baudText;
    QString portText;
    // A device path chosen instead of a port number; empty when the number chooses.
    std::string device;

    QComboBox* PortBox() const { return portBox_; }
    QComboBox* BaudBox() const { return baudBox_; }

public slots:
    // Reads both fields; any typed number is taken as it is.
    void accept() override;

protected:
    void OnInitDialog() override;

private:
    // Fields to members (save) or members to fields.
    void DoDataExchange(bool save);

    QComboBox* portBox_;
    QComboBox* baudBox_;
};

} // namespace velarin
