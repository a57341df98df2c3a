#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velarin {

// What the clock update and GPS configuration pages and their two dialogs decide, kept apart
// from the widgets so that each rule is checked on its own.
namespace gpsconfig {

// Control ids of the time source radio buttons, in time source order (0 GPGGA, 1 GPRMC,
// 2 GPZDA).
inline constexpr int kRadioGpgga = 1020;
inline constexpr int kRadioGprmc = 1021;
inline constexpr int kRadioGpzda = 1027;

// The low 16 bits of a value, for the settings these pages keep in 16 bits (70000 becomes 4464,
// -1 becomes 65535). The store receives exactly the value kept in memory.
uint16_t KeepIn16Bits(int value);

// The radio that shows a time source; 0 (none) for a value outside 0..2.
int RadioForTimeSource(int timeSource);
// The time source the checked radio stands for; the current one when none is checked.
int TimeSourceFromRadios(bool gpgga, bool gprmc, bool gpzda, int current);

// The set-time delay correction is accepted from -999 to 999 ms; anything else is refused
// (the page beeps and keeps the stored value).
inline constexpr int kGpsTimeDelayLimit = 999;
std::optional<int> AcceptedGpsTimeDelay(int milliseconds);

// "Update PC Clock Now" is offered only when no setting runs and the time reference is usable.
bool UpdateNowEnabled(bool setTimeBusy, int timeReferenceUsable);

// The 1PPS line as a modem event mask: 8 CTS, 16 DSR, 32 DCD, 0 when no radio is checked.
int LineMaskFromRadios(bool cts, bool dsr, bool dcd);
// The dialog shows "Use CTS" for a mask with bit 8, "Use DCD" for one with bit 32 but neither 8
// nor 16, and "Use DSR" for anything else.
enum class PpsLineRadio { Cts, Dsr, Dcd };
PpsLineRadio RadioForLineMask(int lineMask);

// Trigger edges of the 1PPS pulse, by "1PPS Polarity" index.
inline constexpr int kPolarityCount = 3;
// The index kept after the polarity dialog: the selected item, or the one it was opened with
// when nothing is selected (a stored index outside the list selects nothing).
int PolarityAfterDialog(int selectedIndex, int openedWith);

// The communication dialog's port field holds either a port number ("COM<n>", 1 is the first) or
// a device path. A path is remembered under "Device" and the port number kept as it was; a number
// becomes the port and forgets any stored device.
struct CommPortChoice {
    int port = 1;
    std::string device; // empty: the port number chooses the device
};
CommPortChoice CommPortFromText(std::string_view text, int currentPort);
// What the field shows for a stored choice: the device when there is one, else the number.
std::string CommPortText(int port, std::string_view device);
// The port list: "1" to "16", then the serial devices of this machine.
std::vector<std::string> CommPortItems(const std::vector<std::string>& devices);
inline constexpr int kNumberedPorts = 16;

} // namespace gpsconfig
} // namespace velarin
