#include "app/core/VelarinApp.h"

#include <QCoreApplication>
#include <cstdio>

namespace velarin {

int RunVelarin(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    std::printf("velarin %s\n", VELARIN_VERSION);
    return 0;
}

} // namespace velarin
