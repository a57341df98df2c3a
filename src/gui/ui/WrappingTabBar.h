#pragma once

#include "engine/ui/WrappingTabLayout.h"

#include <QStringList>
#include <QWidget>

class QStyleOptionTab;

namespace velarin {

// A tab bar that wraps its titles into stacked rows instead of scrolling them, so that every
// title is whole and visible at once. Mouse clicks, the arrow keys while it has the focus, and
// a title's mnemonic select a tab. The width it is given decides the rows.
class WrappingTabBar : public QWidget {
    Q_OBJECT
public:
    explicit WrappingTabBar(QWidget* parent = nullptr);

    void AddTab(const QString& title);
    int Count() const { return static_cast<int>(titles_.size()); }
    QString TabText(int index) const;
    int CurrentIndex() const { return current_; }
    void SetCurrentIndex(int index);
    // The rows are laid out for this width; the bar's height follows.
    void SetRowWidth(int width);
    QRect TabRect(int index) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    void currentChanged(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void relayout();
    int RowRoom() const;
    void initStyleOption(QStyleOptionTab* option, int index) const;

    QStringList titles_;
    int current_ = -1;
    int rowWidth_ = 0;
    WrappingTabLayout layout_;
};

} // namespace velarin
