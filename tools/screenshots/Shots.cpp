#include "Shots.h"

#include <QDir>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

namespace {
QString shotFolder;
}

QString ShotFolder()
{
    return shotFolder;
}

void SetShotFolder(const QString& folder)
{
    shotFolder = folder;
}

bool SaveScreenArea(const QString& name, const QRect& area)
{
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
        .save(QDir(shotFolder).filePath(name + QStringLiteral(".png")));
}
