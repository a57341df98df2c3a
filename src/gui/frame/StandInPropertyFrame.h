#pragma once

#include <QWidget>

namespace velarin {

// The properties window's place holder until the property sheet is wired in: same title, and
// closing it only hides it (a window without delete-on-close), as the real one does. It accepts
// every close, so that quitting the application is never refused by it.
class StandInPropertyFrame : public QWidget {
    Q_OBJECT
public:
    explicit StandInPropertyFrame(QWidget* owner);
};

} // namespace velarin
