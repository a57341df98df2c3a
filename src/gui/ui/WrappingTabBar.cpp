#include "gui/ui/WrappingTabBar.h"

#include "gui/ui/UiDrawing.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QShortcut>
#include <QStyleOptionTab>
#include <QStylePainter>
#include <QTabBar>

namespace velarin {
namespace {

// The rows keep clear of the sheet's sides by this much, so that a raised tab stays whole.
constexpr int kSideInset = 2;

} // namespace

WrappingTabBar::WrappingTabBar(QWidget* parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void WrappingTabBar::AddTab(const QString& title)
{
    const int index = Count();
    titles_.append(title);
    // A title's "&" letter selects it from anywhere in the window, as a button's does.
    const QKeySequence mnemonic = QKeySequence::mnemonic(title);
    if (!mnemonic.isEmpty()) {
        auto* shortcut = new QShortcut(mnemonic, this);
        connect(shortcut, &QShortcut::activated, this, [this, index] { SetCurrentIndex(index); });
    }
    if (current_ < 0)
        current_ = 0;
    relayout();
}

QString WrappingTabBar::TabText(int index) const
{
    return titles_.value(index);
}

void WrappingTabBar::SetCurrentIndex(int index)
{
    if (index < 0 || index >= Count() || index == current_)
        return;
    current_ = index;
    relayout();
    emit currentChanged(index);
}

void WrappingTabBar::SetRowWidth(int width)
{
    rowWidth_ = width;
    relayout();
}

QRect WrappingTabBar::TabRect(int index) const
{
    // Empty while a tab just added waits for the layout that will place it.
    if (index < 0 || index >= static_cast<int>(layout_.tabs.size()))
        return {};
    return ToQRect(layout_.tabs[static_cast<size_t>(index)]).translated(kSideInset, 0);
}

QSize WrappingTabBar::sizeHint() const
{
    return QSize(rowWidth_, layout_.height);
}

void WrappingTabBar::initStyleOption(QStyleOptionTab* option, int index) const
{
    option->initFrom(this);
    option->shape = QTabBar::RoundedNorth;
    option->text = titles_.value(index);
    option->rect = TabRect(index);
    option->row = 0;
    const QRect place = TabRect(index).translated(-kSideInset, 0);
    const bool first = place.left() == 0;
    const bool last = place.right() + 1 >= RowRoom();
    option->position = first && last ? QStyleOptionTab::OnlyOneTab
        : first                      ? QStyleOptionTab::Beginning
        : last                       ? QStyleOptionTab::End
                                     : QStyleOptionTab::Middle;
    option->selectedPosition = QStyleOptionTab::NotAdjacent;
    option->state &= ~(QStyle::State_HasFocus | QStyle::State_Selected);
    if (index == current_) {
        option->state |= QStyle::State_Selected;
        if (hasFocus())
            option->state |= QStyle::State_HasFocus;
    }
}

int WrappingTabBar::RowRoom() const
{
    return std::max(0, rowWidth_ - 2 * kSideInset);
}

void WrappingTabBar::relayout()
{
    std::vector<int> widths;
    int rowHeight = 0;
    for (int i = 0; i < Count(); ++i) {
        QStyleOptionTab option;
        initStyleOption(&option, i);
        // The style's own padding around the title, as Qt's tab bar asks for it.
        const int across = style()->pixelMetric(QStyle::PM_TabBarTabHSpace, &option, this);
        const int down = style()->pixelMetric(QStyle::PM_TabBarTabVSpace, &option, this);
        const QSize text = fontMetrics().size(Qt::TextShowMnemonic, titles_[i]);
        const QSize tab = style()->sizeFromContents(QStyle::CT_TabBarTab, &option,
            QSize(text.width() + across, text.height() + down), this);
        widths.push_back(tab.width());
        rowHeight = std::max(rowHeight, tab.height());
    }
    const int oldHeight = layout_.height;
    layout_ = WrappingTabLayout::Compute(widths, RowRoom(), rowHeight, current_);
    if (layout_.height != oldHeight)
        updateGeometry();
    update();
}

void WrappingTabBar::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    // The selected tab last, so that it overlaps its neighbours as a raised tab does.
    for (int i = 0; i < Count(); ++i) {
        if (i == current_)
            continue;
        QStyleOptionTab option;
        initStyleOption(&option, i);
        painter.drawControl(QStyle::CE_TabBarTab, option);
    }
    if (current_ >= 0) {
        QStyleOptionTab option;
        initStyleOption(&option, current_);
        painter.drawControl(QStyle::CE_TabBarTab, option);
    }
}

void WrappingTabBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    const QPoint at = event->position().toPoint();
    SetCurrentIndex(layout_.TabAt(UiPoint { at.x() - kSideInset, at.y() }));
}

void WrappingTabBar::keyPressEvent(QKeyEvent* event)
{
    if (Count() == 0 || event->modifiers() != Qt::NoModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        SetCurrentIndex((current_ + Count() - 1) % Count());
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        SetCurrentIndex((current_ + 1) % Count());
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void WrappingTabBar::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        relayout();
    QWidget::changeEvent(event);
}

} // namespace velarin
