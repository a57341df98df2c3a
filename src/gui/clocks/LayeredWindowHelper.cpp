#include "gui/clocks/LayeredWindowHelper.h"

namespace velarin {

CLayeredWindowHelper::CLayeredWindowHelper(QWidget* window, int alpha)
{
    Attach(window);
    SetAlpha(alpha);
}

int CLayeredWindowHelper::Attach(QWidget* window)
{
    if (window == nullptr)
        return 0;
    window_ = window;
    return 1;
}

int CLayeredWindowHelper::SetAlpha(int alpha)
{
    if (alpha < 0 || alpha > 255)
        return 0;
    alpha_ = alpha;
    if (layered_ == 1 && window_)
        window_->setWindowOpacity(alpha_ / 255.0);
    return 1;
}

int CLayeredWindowHelper::EnableLayered(int on)
{
    if (!window_)
        return 0;
    if (on == 1) {
        window_->setWindowOpacity(alpha_ / 255.0);
        layered_ = 1;
        return 1;
    }
    window_->setWindowOpacity(1.0);
    // Repaint everything, children included, now that nothing shows through.
    window_->update();
    for (QWidget* child : window_->findChildren<QWidget*>())
        child->update();
    layered_ = 0;
    return 1;
}

} // namespace velarin
