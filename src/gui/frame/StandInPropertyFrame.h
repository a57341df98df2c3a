#pragma once

#include <QWidget>

namespace velarin {

// The properties window's place holder until the property sheet is wired in: same title, and
// closing it only hides it, as the real one does.
class StandInPropertyFrame : public QWidget {
    Q_OBJECT
public:
    explicit StandInPropertyFrame(QWidget* owner);

protected:
    void closeEvent(QCloseEvent* event) override;
};

} // namespace velarin
