#pragma once

#include "gui/ui/PropertySheetContext.h"

#include <QWidget>

#include <memory>
#include <vector>

namespace velarin {

class CBalloonTipWnd;
class WrappingTabBar;
class CVelarinPropertyPage;
class CVelarinPropertyPage1;
class CVelarinPropertyPage2;
class CVelarinPropertyPage3;
class CVelarinPropertyPage4;
class CVelarinPropertyPage5;
class CVelarinPropertyPage6;
class CVelarinPropertyPage7;
class CVelarinPropertyPage8;
class CVelarinPropertyPage9;
class CVelarinPropertyPage10;

// The ten pages of status and configuration, as tabs, with the help balloon they share. The
// sheet watches every event on its way to one of its windows and hands it to the balloon first.
// Its tabs wrap into stacked rows above the pages, and it is as large as its largest page.
class CVelarinPropertySheet : public QWidget {
    Q_OBJECT
public:
    explicit CVelarinPropertySheet(PropertySheetContext& context, QWidget* parent = nullptr);
    ~CVelarinPropertySheet() override;

    CBalloonTipWnd& Balloon() { return *balloon_; }
    // The "Update PC Clock Now" buttons: the next server becomes the current one, then the
    // set-time worker starts (it starts nothing while one is running).
    void SetPCClockNow();

    // Pages in tab order.
    CVelarinPropertyPage* Page(int tab) const;
    int PageCount() const { return static_cast<int>(tabOrder_.size()); }

    CVelarinPropertyPage1& Page1() const { return *page1_; }
    CVelarinPropertyPage3& Page3() const { return *page3_; }

    // The tabs, as a tab widget offers them.
    int count() const { return PageCount(); }
    QString tabText(int tab) const;
    int indexOf(const QWidget* page) const;
    int currentIndex() const;
    void setCurrentIndex(int tab);
    WrappingTabBar& TabBar() const { return *tabBar_; }
    // Where the pages are shown, in the sheet's coordinates.
    QRect PageArea() const;
    // A page grew past the size it started with: the sheet grows with it.
    void PageResized();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    void currentChanged(int tab);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void AddPage(CVelarinPropertyPage* page);
    QSize LargestPage() const;
    int FrameWidth() const;
    void LayOut();
    void ShowPage(int tab);

    PropertySheetContext& context_;
    std::unique_ptr<CBalloonTipWnd> balloon_;
    WrappingTabBar* tabBar_;
    // Children of the sheet once added.
    CVelarinPropertyPage1* page1_;
    CVelarinPropertyPage2* page2_;
    CVelarinPropertyPage3* page3_;
    CVelarinPropertyPage4* page4_;
    CVelarinPropertyPage5* page5_;
    CVelarinPropertyPage6* page6_;
    CVelarinPropertyPage7* page7_;
    CVelarinPropertyPage8* page8_;
    CVelarinPropertyPage9* page9_;
    CVelarinPropertyPage10* page10_;
    std::vector<CVelarinPropertyPage*> tabOrder_;
};

} // namespace velarin
