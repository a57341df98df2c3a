#pragma once

#include <QDialog>

class QLabel;

namespace velarin {

// A modal dialog that only its OK button ends: Escape and the close box do nothing, so a
// newcomer cannot dismiss the question by accident and get a half-made configuration.
class OkOnlyDialog : public QDialog {
    Q_OBJECT
public:
    explicit OkOnlyDialog(QWidget* parent = nullptr);

    void reject() override;

    // A picture drawn from an SVG resource at its natural size (sharp on every screen).
    static QLabel* MakePicture(const QString& resource, QSize size, QWidget* parent);

protected:
    void closeEvent(QCloseEvent* event) override;
};

} // namespace velarin
