#include "gui/ui/CBalloonTipWnd.h"

#include "gui/ui/UiDrawing.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace velarin {
namespace {

constexpr int kWindowSize = 100;

QFont BalloonFont()
{
    // A cell height of 14 pixels: Arial's em is 2048 of its 2355 units of height.
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(12);
    return font;
}

constexpr int kTextFlags = Qt::TextWordWrap | Qt::AlignHCenter | Qt::AlignTop;

uint32_t ToColorRef(const QColor& c)
{
    return static_cast<uint32_t>(c.red()) | static_cast<uint32_t>(c.green()) << 8
        | static_cast<uint32_t>(c.blue()) << 16;
}

} // namespace

CBalloonTipWnd::CBalloonTipWnd(WindowTimerFactory& timers)
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
    , cursorPosition([] { return QCursor::pos(); })
    , screenSize([] {
        const QScreen* screen = QGuiApplication::primaryScreen();
        return screen ? screen->geometry().size() : QSize(1024, 768);
    })
    , applicationHasFocus([] { return QApplication::activeWindow() != nullptr; })
    , fillColour(ToColorRef(QPalette().color(QPalette::ToolTipBase)))
    , textColour(ToColorRef(QPalette().color(QPalette::ToolTipText)))
    , timer_(timers.CreateTimer([this] { OnTick(); }))
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    // It opens right beside the cursor; it must never take the hover from the control it explains.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setObjectName(QStringLiteral("BalloonTip"));
    resize(kWindowSize, kWindowSize);
}

CBalloonTipWnd::~CBalloonTipWnd() = default;

void CBalloonTipWnd::Create(QWidget* owner)
{
    owner_ = owner;
    // Owned by the sheet's window: it goes away with it and stays above it.
    if (owner != nullptr)
        setParent(owner, windowFlags());
    resize(kWindowSize, kWindowSize);
    timer_->Start(100);
}

void CBalloonTipWnd::AddTool(QWidget* control, const QString& text)
{
    if (control == nullptr)
        return;
    if (!logic_.IsTool(control)) {
        // A control that is destroyed first must not leave a dangling key behind.
        connect(control, &QObject::destroyed, this,
            [this, control] { logic_.RemoveTool(static_cast<const void*>(control)); });
    }
    logic_.AddTool(control, text.toStdString());
}

QString CBalloonTipWnd::Text() const
{
    return QString::fromStdString(logic_.CurrentText());
}

void CBalloonTipWnd::Hide()
{
    if (isVisible())
        hide();
}

QWidget* CBalloonTipWnd::ToolFor(QObject* target) const
{
    // Composite controls (an edit's inner parts) count as the registered control they belong to.
    for (QWidget* w = qobject_cast<QWidget*>(target); w != nullptr; w = w->parentWidget()) {
        if (logic_.IsTool(w))
            return w;
        if (w == owner_ || w->isWindow())
            break;
    }
    return nullptr;
}

void CBalloonTipWnd::RelayEvent(QObject* target, QEvent* event)
{
    using Event = BalloonTipLogic::Event;
    const bool overBalloon = target == this;
    switch (event->type()) {
    case QEvent::KeyPress:
        Apply(logic_.RelayEvent(Event::KeyDown, nullptr));
        return;
    case QEvent::MouseButtonPress:
    case QEvent::NonClientAreaMouseButtonPress: {
        const auto button = static_cast<QMouseEvent*>(event)->button();
        if (button == Qt::LeftButton || button == Qt::RightButton)
            Apply(logic_.RelayEvent(Event::ButtonDown, nullptr));
        return;
    }
    case QEvent::MouseMove:
    case QEvent::HoverMove:
    case QEvent::Enter:
        Apply(logic_.RelayEvent(Event::MouseMove, ToolFor(target), overBalloon));
        return;
    case QEvent::Leave: {
        // Leaving a control puts the mouse on the window around it.
        QObject* around
            = target->isWidgetType() ? static_cast<QWidget*>(target)->parentWidget() : nullptr;
        Apply(logic_.RelayEvent(Event::MouseMove, ToolFor(around), overBalloon));
        return;
    }
    case QEvent::NonClientAreaMouseMove:
        Apply(logic_.RelayEvent(Event::MouseMove, nullptr, overBalloon));
        return;
    default:
        return;
    }
}

void CBalloonTipWnd::OnTick()
{
    Apply(logic_.OnTick());
}

void CBalloonTipWnd::Apply(BalloonTipLogic::Action action)
{
    if (action == BalloonTipLogic::Action::Hide)
        Hide();
    else if (action == BalloonTipLogic::Action::ShowAtCursor)
        ShowAt(cursorPosition());
}

void CBalloonTipWnd::ShowAt(QPoint cursor)
{
    if (!enabled || !applicationHasFocus())
        return;
    const QSize screen = screenSize();
    const int w = width();
    const int h = height();
    shape_ = ComputeBalloonShape(w, h, cursor.y());

    QPainterPath body;
    body.addRoundedRect(
        ToQRect(shape_.body), kBalloonCornerEllipse / 2.0, kBalloonCornerEllipse / 2.0);
    QPainterPath pointer;
    pointer.moveTo(shape_.pointer[0].x, shape_.pointer[0].y);
    pointer.lineTo(shape_.pointer[1].x, shape_.pointer[1].y);
    pointer.lineTo(shape_.pointer[2].x, shape_.pointer[2].y);
    pointer.closeSubpath();
    outline_ = body.united(pointer).simplified();
    setMask(QRegion(outline_.toFillPolygon().toPolygon()));
    LayoutText();

    const UiPoint at
        = PlaceBalloon(shape_, { cursor.x(), cursor.y() }, w, h, screen.width(), screen.height());
    move(at.x, at.y);
    show();
    raise();
    update();
}

void CBalloonTipWnd::LayoutText()
{
    const QRect area = ToQRect(shape_.textArea);
    const QRect measured = QFontMetrics(BalloonFont()).boundingRect(area, kTextFlags, Text());
    textRect_ = ToQRect(CentreText(shape_.textArea, measured.width(), measured.height()));
}

void CBalloonTipWnd::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillPath(outline_, FromColorRef(fillColour));
    // The window's shape cuts the outer half of a line on the edge: a two-pixel line clipped
    // to the shape leaves the one-pixel frame inside it.
    painter.save();
    painter.setClipRegion(mask());
    painter.setPen(QPen(FromColorRef(frameColour), 2));
    painter.drawPath(outline_);
    painter.restore();
    painter.setFont(BalloonFont());
    painter.setPen(FromColorRef(textColour));
    painter.drawText(textRect_, kTextFlags, Text());
}

} // namespace velarin
