#pragma once

#include "gui/ui/OkOnlyDialog.h"

#include <functional>

class QRadioButton;
class QPlainTextEdit;
class QPushButton;

namespace velarin {

// "Velarin Configuration": asked once, on the very first run, whether the PC clock follows a GPS
// receiver or a network time server.
class CFirstTimeConfigDlg : public OkOnlyDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 143;
    static constexpr int kHelpContext = 0x20000 + kTemplateId;

    // helpOpener receives the help context number of the "Help..." button.
    explicit CFirstTimeConfigDlg(
        QWidget* parent = nullptr, std::function<void(int)> helpOpener = {});

    // 0 = GPS, 1 = network server; -1 until the caller sets it.
    int choice() const { return choice_; }
    void setChoice(int choice);

    void accept() override;

private:
    int choice_ = -1;
    QRadioButton* gps_ = nullptr;
    QRadioButton* network_ = nullptr;
    std::function<void(int)> helpOpener_;
};

} // namespace velarin
