// velarin-screenshots DIR: writes pictures of every property page, both clocks, their menus and
// dialogs and the tray-bar notice into DIR, for a person to look at. A tool, not a test: it
// needs a real display (scripts/screenshots runs it on a virtual one, at two scales).
#include "Shots.h"

#include <QApplication>
#include <QDir>
#include <cstdio>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: velarin-screenshots [--gtest_filter=...] DIR\n");
        return 2;
    }
    const QString folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    SetShotFolder(folder);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "velarin-screenshots: cannot create %s\n", argv[1]);
        return 1;
    }
    return RUN_ALL_TESTS();
}
