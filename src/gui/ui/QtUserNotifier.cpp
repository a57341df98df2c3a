#include "gui/ui/QtUserNotifier.h"

#include <QApplication>
#include <QMessageBox>

namespace velarin {
namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Stop:
        return QMessageBox::Critical;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

QString QtUserNotifier::CaptionFor(const std::string& caption)
{
    if (!caption.empty())
        return QString::fromStdString(caption);
    // The product's name, as the program's own dialogs are titled (not the executable's).
    return QStringLiteral("Velarin");
}

void QtUserNotifier::ShowMessage(
    const std::string& text, const std::string& caption, MessageIcon icon)
{
    QMessageBox box(
        BoxIcon(icon), CaptionFor(caption), QString::fromStdString(text), QMessageBox::Ok);
    box.setObjectName(QStringLiteral("velarinMessage"));
    // The box sounds like the platform's own message boxes do.
    Beep(icon);
    box.exec();
}

void QtUserNotifier::Beep(MessageIcon)
{
    // The desktop offers one bell; every icon's sound maps onto it.
    QApplication::beep();
}

} // namespace velarin
