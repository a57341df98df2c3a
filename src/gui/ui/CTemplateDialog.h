#pragma once

#include "gui/clocks/ClockDialog.h"

namespace velarin {

// A modal dialog built from a fixed template: named by its template id, sized in dialog units,
// with OK and Cancel buttons. Its initialisation (OnInitDialog) runs once, when it is first
// shown, after the caller has filled the members it starts from.
class CTemplateDialog : public ClockDialog {
    Q_OBJECT
public:
    CTemplateDialog(
        int dialogId, const QString& title, int widthDlu, int heightDlu, QWidget* parent = nullptr);

protected:
    // OK (id 1, the default button) runs accept(), Cancel (id 2) reject().
    void AddOkCancel(const QRect& okDlu, const QRect& cancelDlu);
};

} // namespace velarin
