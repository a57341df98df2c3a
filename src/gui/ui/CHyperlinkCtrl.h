#pragma once

#include "engine/clocks/ClockColors.h"
#include "gui/ui/QtUserNotifier.h"

#include <QLabel>

#include <functional>

namespace velarin {

// A static text turned into a clickable link: drawn underlined in link colours, a pointing hand
// over it, the target in its tooltip; a click opens the target with the program the desktop
// associates with it, and a failure is reported in a message box. Create it in place of the
// static text, then call OnAttach once it has its text, font and geometry.
class CHyperlinkCtrl : public QLabel {
    Q_OBJECT
public:
    static constexpr ColorRef kLinkColor = MakeColorRef(0, 0, 238);
    static constexpr ColorRef kVisitedColor = MakeColorRef(85, 26, 139);

    // Opens a target; above 32 is success, anything else names the failure.
    using Opener = std::function<int(const QString& target)>;

    explicit CHyperlinkCtrl(const QString& text = {}, QWidget* parent = nullptr);

    QColor linkColor;
    QColor visitedColor;
    QColor hoverColor; // the palette's highlight colour when the control is made
    int underline = 1;
    int fitToText = 1;

    // Takes the text as target when none was set (or shows the target when there is no
    // text), underlines the font, fits the control to its text and sets cursor and tooltip.
    void OnAttach();
    void SetLinkTarget(const QString& target);
    QString LinkTarget() const { return target_; }
    // What a click does: opens the target, marks the link visited, or says why it failed.
    void OpenLink();

    bool IsOverControl() const { return overControl_; }
    bool IsVisited() const { return visited_; }
    QColor TextColor() const;

    // Stand-ins for the desktop's opener and the message box, for tests.
    void SetOpener(Opener opener) { opener_ = std::move(opener); }
    void SetNotifier(UserNotifier* notifier) { notifier_ = notifier; }

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void fitToTextNow();
    void setOverControl(bool over);
    void applyColor();

    QString target_;
    bool attached_ = false;
    bool overControl_ = false;
    bool visited_ = false;
    bool pressed_ = false;
    Opener opener_;
    QtUserNotifier messageBoxes_;
    UserNotifier* notifier_ = &messageBoxes_;
};

} // namespace velarin
