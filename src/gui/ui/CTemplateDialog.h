#pragma once

#include <QDialog>

namespace velarin {

// A modal dialog built from a fixed template: named by its template id, sized in dialog units,
// with OK and Cancel buttons. Its initialisation runs once, when it is first shown, after the
// caller has filled the members it starts from.
class CTemplateDialog : public QDialog {
    Q_OBJECT
public:
    CTemplateDialog(
        int dialogId, const QString& title, int widthDlu, int heightDlu, QWidget* parent = nullptr);

protected:
    virtual void OnInitDialog() { }
    // OK (id 1, the default button) runs accept(), Cancel (id 2) reject().
    void AddOkCancel(const QRect& okDlu, const QRect& cancelDlu);

    void showEvent(QShowEvent* event) override;

private:
    bool initialised_ = false;
};

} // namespace velarin
