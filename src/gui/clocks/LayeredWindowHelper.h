#pragma once

#include <QPointer>
#include <QWidget>

namespace velarin {

// Switches a top-level window between opaque and translucent with one alpha for the whole
// window. It does not restore the window when it goes away.
class CLayeredWindowHelper {
public:
    CLayeredWindowHelper() = default;
    // Attaches the window and keeps the alpha when it is valid (0..255).
    CLayeredWindowHelper(QWidget* window, int alpha);

    // 1 when the window exists (it is kept), else 0.
    int Attach(QWidget* window);
    // 0 and no change for an alpha outside 0..255; otherwise keeps it, applies it at once while
    // the window is translucent, and returns 1.
    int SetAlpha(int alpha);
    // 1: translucent with the kept alpha. 0: opaque again and fully repainted. Returns 1 when
    // there was a window to change.
    int EnableLayered(int on);

    int Alpha() const { return alpha_; }
    int Layered() const { return layered_; }

private:
    int alpha_ = 0;
    QPointer<QWidget> window_;
    int layered_ = 0;
};

} // namespace velarin
