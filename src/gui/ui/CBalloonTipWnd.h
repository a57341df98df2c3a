#pragma once

#include "engine/ui/BalloonTipLayout.h"
#include "engine/ui/BalloonTipLogic.h"
#include "engine/ui/WindowTimer.h"

#include <QPainterPath>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>

namespace velarin {

// The help balloon of the property sheet: a borderless popup shaped as a rounded rectangle with a
// pointer, shown one second after the mouse comes to rest on a registered control, pointing at
// the cursor, with the control's text word-wrapped and centred. It hides after five seconds, when
// the mouse leaves the control, or at any click or key press.
class CBalloonTipWnd : public QWidget {
    Q_OBJECT
public:
    explicit CBalloonTipWnd(WindowTimerFactory& timers);
    ~CBalloonTipWnd() override;

    // Creates the popup owned by the given window and starts the 100 ms tick.
    void Create(QWidget* owner);
    // Registers or replaces the text of a control.
    void AddTool(QWidget* control, const QString& text);
    // Every event that passes through the owner, before the owner handles it.
    void RelayEvent(QObject* target, QEvent* event);
    void Hide();

    int enabled = 1; // 0: the balloon never shows

    // What the balloon asks of the desktop; tests put fakes here.
    std::function<QPoint()> cursorPosition;
    std::function<QSize()> screenSize;
    std::function<bool()> applicationHasFocus;

    const BalloonTipLogic& Logic() const { return logic_; }
    QString Text() const;
    const BalloonShape& Shape() const { return shape_; }
    QRect TextRect() const { return textRect_; }

    uint32_t fillColour;
    uint32_t frameColour = 0xFF0000;
    uint32_t textColour;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void OnTick();
    void Apply(BalloonTipLogic::Action action);
    void ShowAt(QPoint cursor);
    void LayoutText();
    QWidget* ToolFor(QObject* target) const;

    BalloonTipLogic logic_;
    std::unique_ptr<WindowTimer> timer_;
    BalloonShape shape_;
    QPainterPath outline_;
    QRect textRect_;
    QWidget* owner_ = nullptr;
};

} // namespace velarin
