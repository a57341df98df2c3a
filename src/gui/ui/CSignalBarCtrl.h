#pragma once

#include "engine/ui/SignalBarLayout.h"

#include <QWidget>

#include <array>

namespace velarin {

// One vertical bar per satellite in view: the signal-to-noise value on top of each bar, the PRN
// under it, highlighted when the satellite is used in the solution. The scale runs between the
// weakest and strongest non-zero signal seen since the last ResetMinMax.
class CSignalBarCtrl : public QWidget {
    Q_OBJECT
public:
    explicit CSignalBarCtrl(QWidget* parent = nullptr);

    // Written by the owner, which then calls update().
    std::array<SignalBarEntry, SignalBarScale::kMaxEntries> entries {};
    int count = 12;

    void ResetMinMax();
    const SignalBarScale& Scale() const { return scale_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    SignalBarScale scale_;
};

} // namespace velarin
