#pragma once

#include <QDialog>

namespace velarin {

// A modal dialog whose caller fills in its values after construction: they are taken over
// into the controls once, when the dialog first shows.
class ClockDialog : public QDialog {
    Q_OBJECT
public:
    using QDialog::QDialog;

    virtual void OnInitDialog() = 0;

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool initialised_ = false;
};

} // namespace velarin
