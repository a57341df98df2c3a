#include "gui/ui/CTemplateDialog.h"

#include "gui/ui/DialogItems.h"
#include "gui/ui/UiDrawing.h"

#include <QPushButton>

namespace velarin {

CTemplateDialog::CTemplateDialog(
    int dialogId, const QString& title, int widthDlu, int heightDlu, QWidget* parent)
    : ClockDialog(parent)
{
    setObjectName(QString::number(dialogId));
    setWindowTitle(title);
    setFixedSize(DluX(widthDlu), DluY(heightDlu));
}

void CTemplateDialog::AddOkCancel(const QRect& okDlu, const QRect& cancelDlu)
{
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    PlaceIn(ok, kIdOk, okDlu);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    PlaceIn(cancel, kIdCancel, cancelDlu);
    // accept and reject are virtual: a dialog's own OK handling runs.
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

} // namespace velarin
