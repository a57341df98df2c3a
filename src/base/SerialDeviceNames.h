#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velarin {

// Names in /dev that are serial ports a receiver can sit on: ttyS<n> (on-board UARTs),
// ttyUSB<n> (USB serial adapters) and ttyACM<n> (USB receivers that speak CDC-ACM).
bool IsSerialDeviceName(std::string_view name);

// Device paths in the order a person expects: on-board ports first, then USB adapters, then
// CDC-ACM devices, each by number (ttyS2 before ttyS10).
void SortSerialDevicePaths(std::vector<std::string>& paths);

} // namespace velarin
