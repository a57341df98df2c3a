#pragma once

#include "gui/ui/PropertySheetContext.h"

#include <QTabWidget>

#include <memory>
#include <vector>

namespace velarin {

class CBalloonTipWnd;
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
class CVelarinPropertySheet : public QTabWidget {
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

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void AddPage(CVelarinPropertyPage* page);

    PropertySheetContext& context_;
    std::unique_ptr<CBalloonTipWnd> balloon_;
    // Owned by the tab widget once added.
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
