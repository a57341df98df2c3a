#pragma once

#include "engine/clocks/DialogUnits.h"

#include <QString>

class QDialog;
class QWidget;

namespace velarin {

// Lays a dialog out as its template does: a fixed size and control rectangles in dialog units,
// converted with the base units of the template's 8-point font. The Windows dialog fonts are
// taken over by the metric-compatible sans serif where they are missing.
class DialogTemplate {
public:
    DialogTemplate(QDialog* dialog, const QString& title, const QString& fontFamily, int widthUnits,
        int heightUnits);

    void Place(QWidget* control, int x, int y, int width, int height) const;
    // A child with its template id as object name, placed.
    template <typename Control>
    Control* Add(Control* control, int id, int x, int y, int width, int height) const
    {
        name(control, id);
        Place(control, x, y, width, height);
        return control;
    }

    const DialogBaseUnits& BaseUnits() const { return base_; }

private:
    static void name(QWidget* control, int id);

    QDialog* dialog_;
    DialogBaseUnits base_;
};

} // namespace velarin
