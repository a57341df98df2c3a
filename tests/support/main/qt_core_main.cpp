#include <QCoreApplication>
#include <gtest/gtest.h>

// Platform and application tests use Qt event loops (sockets, notifiers, timers).
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
