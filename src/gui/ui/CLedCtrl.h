#pragma once

#include "engine/ui/LedLayout.h"
#include "engine/ui/WindowTimer.h"

#include <QWidget>

#include <memory>

namespace velarin {

// A 16 x 16 LED in one of four colours and three sizes, lit, dark, greyed out or blinking, drawn
// transparently over whatever lies behind it. Flash lights it for a while and then leaves it
// dark.
class CLedCtrl : public QWidget {
    Q_OBJECT
public:
    explicit CLedCtrl(WindowTimerFactory& timers, QWidget* parent = nullptr);
    ~CLedCtrl() override;

    void SetLed(int colour, int state, int size);
    void SetState(int state);
    void Flash(int milliseconds);

    int Colour() const { return colour_; }
    int State() const { return state_; }
    int Size() const { return size_; }
    bool IsFlashing() const { return flashing_ != 0; }
    int BlinkPhase() const { return blinkPhase_; }
    int blinkPeriod = 500; // half period of blinking, ms

    // The picture the control shows now (the strip cell), for checks and screenshots.
    UiPoint SourceCell() const;

    QSize sizeHint() const override { return { led::kCell, led::kCell }; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void OnFlashEnd();
    void OnBlink();
    void Draw();

    int colour_ = led::kRed;
    int state_ = led::kDark;
    int size_ = led::kSmall;
    int flashing_ = 0;
    int blinkPhase_ = 0;
    std::unique_ptr<WindowTimer> flashTimer_; // id 1: ends a flash
    std::unique_ptr<WindowTimer> blinkTimer_; // id 2: drives blinking
};

} // namespace velarin
