#pragma once

#include <QRect>
#include <QString>

// The folder the pictures go to, as given on the command line (it exists).
QString ShotFolder();
void SetShotFolder(const QString& folder);

// Saves what the screen shows in `area` as ShotFolder()/name.png; false when it cannot.
bool SaveScreenArea(const QString& name, const QRect& area);
