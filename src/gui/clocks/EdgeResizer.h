#pragma once

#include <QPoint>
#include <QRect>

class QMouseEvent;
class QWidget;

namespace velarin {

// Resizes a frameless window from a band along its edges: through the window manager where it
// offers that, otherwise by following the mouse itself. Also shows the matching cursor.
class EdgeResizer {
public:
    explicit EdgeResizer(QWidget& window)
        : window_(window)
    {
    }

    // A left-button press: true when it grabbed an edge (the press is not a drag then).
    bool Press(const QMouseEvent& event);
    // A mouse move: true when it resized the window.
    bool Move(const QMouseEvent& event);
    void Release() { edges_ = 0; }

private:
    QWidget& window_;
    int edges_ = 0; // edges held for a resize the window carries out itself
    QRect start_;
    QPoint press_;
};

} // namespace velarin
