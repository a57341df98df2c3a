#pragma once

#include "gui/ui/CTemplateDialog.h"

class QComboBox;
class QRadioButton;

namespace velarin {

// "PPS Settings" (template 157): the modem line that carries the receiver's 1PPS pulse and the
// edge it triggers on. The caller fills the members, runs the dialog and reads them after OK.
class CPPSSettingsDlg : public CTemplateDialog {
    Q_OBJECT
public:
    static constexpr int kDialogId = 157;
    enum ControlId {
        kUseDcd = 1105,
        kUseDsr = 1106,
        kUseCts = 1107,
        kPolarity = 1108,
    };

    explicit CPPSSettingsDlg(QWidget* parent = nullptr);

    // Index into the trigger edges (see the list); the caller sets it before running.
    int polarity = 0;
    // Modem event mask of the line: 8 CTS, 16 DSR, 32 DCD.
    int lineMask = 8;

    QComboBox* PolarityBox() const { return polarityBox_; }
    QRadioButton* CtsButton() const { return cts_; }
    QRadioButton* DsrButton() const { return dsr_; }
    QRadioButton* DcdButton() const { return dcd_; }

public slots:
    void accept() override;

protected:
    void OnInitDialog() override;

private:
    void OnLineClicked();

    QRadioButton* cts_;
    QRadioButton* dsr_;
    QRadioButton* dcd_;
    QComboBox* polarityBox_;
};

} // namespace velarin
