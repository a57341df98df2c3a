#include "gui/clocks/EdgeResizer.h"

#include "engine/clocks/ClockWindowLayout.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace velarin {
namespace {

Qt::Edges toQtEdges(int edges)
{
    Qt::Edges result;
    if (edges & kEdgeLeft)
        result |= Qt::LeftEdge;
    if (edges & kEdgeTop)
        result |= Qt::TopEdge;
    if (edges & kEdgeRight)
        result |= Qt::RightEdge;
    if (edges & kEdgeBottom)
        result |= Qt::BottomEdge;
    return result;
}

Qt::CursorShape edgeCursor(int edges)
{
    const bool horizontal = edges & (kEdgeLeft | kEdgeRight);
    const bool vertical = edges & (kEdgeTop | kEdgeBottom);
    if (horizontal && vertical) {
        const bool falling = ((edges & kEdgeLeft) != 0) == ((edges & kEdgeTop) != 0);
        return falling ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor;
    }
    if (horizontal)
        return Qt::SizeHorCursor;
    if (vertical)
        return Qt::SizeVerCursor;
    return Qt::ArrowCursor;
}

} // namespace

bool EdgeResizer::Press(const QMouseEvent& event)
{
    const QPoint at = event.position().toPoint();
    const int edges = ClockEdgesAt(window_.width(), window_.height(), at.x(), at.y());
    if (edges == kEdgeNone)
        return false;
    QWindow* handle = window_.windowHandle();
    if (handle != nullptr && handle->startSystemResize(toQtEdges(edges)))
        return true;
    edges_ = edges;
    start_ = window_.frameGeometry();
    press_ = event.globalPosition().toPoint();
    return true;
}

bool EdgeResizer::Move(const QMouseEvent& event)
{
    if (event.buttons() == Qt::NoButton) {
        const QPoint at = event.position().toPoint();
        window_.setCursor(
            edgeCursor(ClockEdgesAt(window_.width(), window_.height(), at.x(), at.y())));
        return false;
    }
    if (edges_ == kEdgeNone || !(event.buttons() & Qt::LeftButton))
        return false;
    const QPoint delta = event.globalPosition().toPoint() - press_;
    const ClockRect start { start_.x(), start_.y(), start_.x() + start_.width(),
        start_.y() + start_.height() };
    const ClockRect r = ResizeClockRect(start, edges_, delta.x(), delta.y());
    window_.setGeometry(r.left, r.top, r.Width(), r.Height());
    return true;
}

} // namespace velarin
