#include "base/SerialDeviceNames.h"

#include <gtest/gtest.h>

using namespace velarin;

TEST(SerialDeviceNames, OnlyNumberedSerialPortsCount)
{
    for (const char* name : { "ttyS0", "ttyS31", "ttyUSB0", "ttyUSB12", "ttyACM0" })
        EXPECT_TRUE(IsSerialDeviceName(name)) << name;
    for (const char* name : { "tty", "tty0", "ttyS", "ttyUSB", "ttySx", "ttyS0a", "ttyAMA0",
             "console", "ptmx", "pts", "/dev/ttyS0", "ttyACM-1" })
        EXPECT_FALSE(IsSerialDeviceName(name)) << name;
}
