#include "gui/clocks/DialogTemplate.h"

#include <QCheckBox>
#include <QDialog>
#include <QFontMetrics>
#include <algorithm>

namespace velarin {

DialogTemplate::DialogTemplate(QDialog* dialog, const QString& title, const QString& fontFamily,
    int widthUnits, int heightUnits)
    : dialog_(dialog)
{
    static const bool substituted = [] {
        const QStringList sans { QStringLiteral("Liberation Sans"), QStringLiteral("Arial") };
        QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), sans);
        QFont::insertSubstitutions(QStringLiteral("MS Shell Dlg"), sans);
        return true;
    }();
    (void)substituted;

    QFont font(fontFamily);
    font.setPointSize(8);
    dialog->setFont(font);
    const QFontMetrics metrics(font, dialog);
    // Average width over the alphabet, rounded, as dialog templates measure it.
    const int alphabet = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    base_.averageCharWidth = (alphabet / 26 + 1) / 2;
    base_.charHeight = metrics.height();

    dialog->setWindowTitle(title);
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
        | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    dialog->setFixedSize(
        DialogUnitsToPixelsX(widthUnits, base_), DialogUnitsToPixelsY(heightUnits, base_));
}

void DialogTemplate::Place(QWidget* control, int x, int y, int width, int height) const
{
    const ClockRect r = DialogRectToPixels(x, y, width, height, base_);
    control->setParent(dialog_);
    int pixelWidth = r.Width();
    // The stand-in font runs wider than the one the templates were drawn with; a check box
    // grows to the right rather than cutting its text.
    if (qobject_cast<QCheckBox*>(control) != nullptr)
        pixelWidth = std::max(pixelWidth, control->sizeHint().width());
    control->setGeometry(r.left, r.top, pixelWidth, r.Height());
}

void DialogTemplate::name(QWidget* control, int id)
{
    control->setObjectName(QString::number(id));
}

} // namespace velarin
