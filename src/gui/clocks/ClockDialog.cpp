#include "gui/clocks/ClockDialog.h"

namespace velarin {

void ClockDialog::showEvent(QShowEvent* event)
{
    if (!initialised_) {
        initialised_ = true;
        OnInitDialog();
    }
    QDialog::showEvent(event);
}

} // namespace velarin
