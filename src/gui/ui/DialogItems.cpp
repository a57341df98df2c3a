#include "gui/ui/DialogItems.h"

#include "engine/ui/DialogFieldInt.h"
#include "gui/ui/UiDrawing.h"

#include <QComboBox>
#include <QLineEdit>

namespace velarin {
namespace {

QString TextOfControl(const QWidget* control)
{
    if (const auto* edit = qobject_cast<const QLineEdit*>(control))
        return edit->text();
    if (const auto* combo = qobject_cast<const QComboBox*>(control))
        return combo->currentText();
    return {};
}

} // namespace

int GetDlgItemInt(const QWidget* control)
{
    return DialogFieldInt(TextOfControl(control).toStdString());
}

void SetDlgItemInt(QWidget* control, int value)
{
    const QString text = QString::number(value);
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        edit->setText(text);
    else if (auto* combo = qobject_cast<QComboBox*>(control))
        combo->setEditText(text);
}

void PlaceIn(QWidget* control, int id, const QRect& dlu)
{
    if (id != 0)
        control->setObjectName(QString::number(id));
    control->setGeometry(DluRect(dlu.x(), dlu.y(), dlu.width(), dlu.height()));
}

} // namespace velarin
