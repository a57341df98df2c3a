#pragma once

#include "gui/ui/OkOnlyDialog.h"

class QCheckBox;

namespace velarin {

class SettingsStore;

// "Velarin": says at start-up that the program lives in the notification area, until the user
// keeps "Don't show this dialog in the future" ticked when pressing OK.
class CTrayBarDlg : public OkOnlyDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 159;
    static constexpr int kCancelResult = 2;

    CTrayBarDlg(SettingsStore& settings, QWidget* parent);

    // Runs the notice unless it was switched off; returns 1 (OK) or 2 (not shown).
    int DoModal();
    void accept() override;

private:
    SettingsStore& settings_;
    QCheckBox* dontShow_ = nullptr;
};

} // namespace velarin
