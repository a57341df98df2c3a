#pragma once

#include <functional>
#include <optional>
#include <string>

namespace velarin {

class CSerialPort;

// The "Log NMEA..." button: a raw copy of the receiver's bytes, switched on and off by the user.
namespace nmeacapture {

inline constexpr const char* kStartText = "Log NMEA...";
inline constexpr const char* kStopText = "Close Log";
inline constexpr const char* kOpenFailedText = "Error!\n\nCould not open NMEA log file.";

// The save-as dialog that asks where the capture goes.
inline constexpr const char* kDefaultExtension = "TXT";
inline constexpr const char* kDefaultFileName = "NMEAFile";
inline constexpr const char* kFilter = "Text Fils (NMEA) (*.txt)|*.txt|All Files (*.*)|*.*||";

enum class ToggleOutcome {
    Closed, // a capture was running and has been closed
    Opened, // the chosen file is open and receives every byte read from now on
    OpenFailed, // the chosen file could not be created; nothing changed
    Cancelled, // the user chose no file; nothing changed
};

// Asks for the capture file's path; nothing when the user cancels.
using AskPath = std::function<std::optional<std::string>()>;

// Closes a running capture, or asks for a file and starts one.
ToggleOutcome ToggleNmeaCapture(CSerialPort& port, const AskPath& askPath);

} // namespace nmeacapture
} // namespace velarin
