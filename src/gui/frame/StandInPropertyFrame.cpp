#include "gui/frame/StandInPropertyFrame.h"

#include <QLabel>
#include <QVBoxLayout>

namespace velarin {

StandInPropertyFrame::StandInPropertyFrame(QWidget* owner)
    : QWidget(owner, Qt::Window)
{
    setWindowTitle(QStringLiteral("Velarin Properties"));
    setObjectName(QStringLiteral("propertyFrame"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Velarin Properties"), this));
    resize(525, 300);
}

} // namespace velarin
