#pragma once

#include "engine/ui/WindowTimer.h"
#include "gui/ui/PropertySheetContext.h"

#include <QWidget>

#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;

namespace velarin {

class CVelarinPropertySheet;

// One tab of the property sheet, built on a 350 x 130 dialog-unit template. Its controls and its
// refresh timer come into being when the page is first shown and then live, shown or hidden,
// until the sheet goes away; a page never opened does no work.
class CVelarinPropertyPage : public QWidget {
    Q_OBJECT
public:
    CVelarinPropertyPage(PropertySheetContext& context, int dialogId, const QString& title,
        int helpContext, QWidget* parent = nullptr);
    ~CVelarinPropertyPage() override;

    int DialogId() const { return dialogId_; }
    QString Title() const { return title_; }
    // 0 when the page has no help.
    int HelpContext() const { return helpContext_; }
    bool IsInitialised() const { return initialised_; }
    bool HasTimer() const { return timer_ && timer_->IsActive(); }

    // The sheet that hosts the page; set when the sheet adds it.
    void SetSheet(CVelarinPropertySheet* sheet) { sheet_ = sheet; }
    CVelarinPropertySheet* Sheet() const { return sheet_; }

    // Runs the page's initialisation now if it has not run yet (as its first display does).
    void EnsureInitialised();
    // One tick of the page's refresh timer.
    virtual void OnTimer() { }

    // Child control by its numeric id.
    QWidget* Control(int id) const;

protected:
    // Creates the controls, registers their bubbles, starts the timer.
    virtual void OnInitDialog() { }

    void showEvent(QShowEvent* event) override;

    void SetTimer(int periodMilliseconds);
    void AddTool(QWidget* control, const QString& text);
    void OnHelp();

    QLabel* AddLabel(const QString& text, const QRect& dlu);
    QLineEdit* AddReadOnlyEdit(int id, const QRect& dlu);
    QPushButton* AddButton(int id, const QString& text, const QRect& dlu);
    // Places a control at a rectangle in dialog units and names it by its id.
    void Place(QWidget* control, int id, const QRect& dlu);
    // A new control with a text (a box, a button, a label), placed as above.
    template <class Control> Control* Add(int id, const QString& text, const QRect& dlu)
    {
        auto* control = new Control(text, this);
        Place(control, id, dlu);
        return control;
    }

    PropertySheetContext& context_;

private:
    int dialogId_;
    QString title_;
    int helpContext_;
    bool initialised_ = false;
    std::unique_ptr<WindowTimer> timer_;
    CVelarinPropertySheet* sheet_ = nullptr;
};

} // namespace velarin
