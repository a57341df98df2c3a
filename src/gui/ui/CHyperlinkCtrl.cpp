#include "gui/ui/CHyperlinkCtrl.h"

#include "engine/ui/HyperlinkLayout.h"
#include "gui/ui/HyperlinkTarget.h"
#include "gui/ui/UiDrawing.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMouseEvent>

namespace velarin {
namespace {

uint32_t ToColorRef(const QColor& color)
{
    return MakeColorRef(color.red(), color.green(), color.blue());
}

} // namespace

CHyperlinkCtrl::CHyperlinkCtrl(const QString& text, QWidget* parent)
    : QLabel(text, parent)
    , linkColor(FromColorRef(kLinkColor))
    , visitedColor(FromColorRef(kVisitedColor))
    , hoverColor(QApplication::palette().color(QPalette::Active, QPalette::Highlight))
    , opener_(OpenHyperlinkTarget)
{
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTextFormat(Qt::PlainText);
}

void CHyperlinkCtrl::OnAttach()
{
    attached_ = true;
    if (target_.isEmpty())
        target_ = text();
    else if (text().isEmpty())
        setText(target_);
    QFont linkFont = font();
    linkFont.setUnderline(underline != 0);
    setFont(linkFont);
    fitToTextNow();
    // Any platform's hand serves; Qt always has one.
    setCursor(Qt::PointingHandCursor);
    setToolTip(target_);
    applyColor();
}

void CHyperlinkCtrl::SetLinkTarget(const QString& target)
{
    target_ = target;
    if (!attached_)
        return;
    fitToTextNow();
    setToolTip(target_);
}

void CHyperlinkCtrl::fitToTextNow()
{
    if (fitToText == 0)
        return;
    const QSize textSize = QFontMetrics(font()).size(0, text());
    const Qt::Alignment align = alignment();
    LinkTextAlignment horizontal = LinkTextAlignment::Left;
    if (align & Qt::AlignHCenter)
        horizontal = LinkTextAlignment::Centre;
    else if (align & Qt::AlignRight)
        horizontal = LinkTextAlignment::Right;
    const QRect now = geometry();
    const UiRect fitted = FitLinkToText(
        UiRect { now.left(), now.top(), now.left() + now.width(), now.top() + now.height() },
        textSize.width(), textSize.height(), horizontal, (align & Qt::AlignVCenter) != 0);
    setGeometry(ToQRect(fitted));
}

QColor CHyperlinkCtrl::TextColor() const
{
    return FromColorRef(LinkTextColor(overControl_, visited_, ToColorRef(linkColor),
        ToColorRef(visitedColor), ToColorRef(hoverColor)));
}

void CHyperlinkCtrl::applyColor()
{
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, TextColor());
    setPalette(colours);
}

void CHyperlinkCtrl::setOverControl(bool over)
{
    if (overControl_ == over)
        return;
    overControl_ = over;
    applyColor();
    repaint();
}

void CHyperlinkCtrl::enterEvent(QEnterEvent* event)
{
    setOverControl(true);
    QLabel::enterEvent(event);
}

void CHyperlinkCtrl::leaveEvent(QEvent* event)
{
    setOverControl(false);
    QLabel::leaveEvent(event);
}

void CHyperlinkCtrl::mouseMoveEvent(QMouseEvent* event)
{
    // While a button is held the control keeps the mouse, and no leave arrives until release.
    setOverControl(rect().contains(event->position().toPoint()));
    QLabel::mouseMoveEvent(event);
}

void CHyperlinkCtrl::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void CHyperlinkCtrl::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = pressed_ && event->button() == Qt::LeftButton
        && rect().contains(event->position().toPoint());
    pressed_ = false;
    QLabel::mouseReleaseEvent(event);
    if (click)
        OpenLink();
}

void CHyperlinkCtrl::OpenLink()
{
    const int result = opener_ ? opener_(target_) : link_result::kNoAssociation;
    if (result > 32) {
        visited_ = true;
        applyColor();
        update();
        return;
    }
    notifier_->Beep(MessageIcon::Exclamation);
    notifier_->ShowMessage(HyperlinkErrorMessage(result), std::string(), MessageIcon::Exclamation);
}

} // namespace velarin
