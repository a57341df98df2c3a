#pragma once

namespace velarin {

class CNmeaParser;
class CSerialPort;
class SettingsStore;

// What choosing the time reference does to the GPS link.
// GPS: the serial port is closed and opened again with the stored port and speed, no parity,
// 8 data bits, one stop bit (an open that fails has told the user why).
void ReopenGpsLink(CSerialPort& port, SettingsStore& settings);
// Network: the serial port is closed and the GPS record cleared, so nothing shows a receiver
// that is no longer read.
void CloseGpsLink(CSerialPort& port, CNmeaParser& parser);

} // namespace velarin
