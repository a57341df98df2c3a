#pragma once

// Sections and keys of the settings store, spelled exactly as stored (odd spellings included:
// existing settings files depend on them), with the defaults their readers name.
namespace velarin::keys {

inline constexpr const char* kSettings = "Settings";
inline constexpr const char* kSerial = "Serial Port Commmunications";
inline constexpr const char* kNetwork = "Network Daytime Protocol";
inline constexpr const char* kIrig = "IRIG";

// "Settings": loaded at start-up
inline constexpr const char* kTimeUpdateRate = "TimeUpdateRate";
inline constexpr int kTimeUpdateRateDefault = 60;
inline constexpr const char* kUseTimrFrom = "UseTimrFrom";
inline constexpr int kUseTimrFromDefault = 0;
inline constexpr const char* kTLGPSGood = "TLGPSGood";
inline constexpr int kTLGPSGoodDefault = 1;
inline constexpr const char* kTLSats = "TLSats";
inline constexpr int kTLSatsDefault = 3;
inline constexpr const char* kUseNetworkTime = "UseNetworkTime";
inline constexpr int kUseNetworkTimeDefault = 0;
inline constexpr const char* kEnableSetBeep = "EnableSetBeep";
inline constexpr int kEnableSetBeepDefault = 0;
inline constexpr const char* kClockEnableSegColor = "ClockEnableSegColor";
inline constexpr int kClockEnableSegColorStartupDefault = 0xFF0000;
inline constexpr int kClockEnableSegColorWindowDefault = 0x00FF00;
inline constexpr const char* kClockDisableSegColor = "ClockDisableSegColor";
inline constexpr int kClockDisableSegColorStartupDefault = 0x400000;
inline constexpr int kClockDisableSegColorWindowDefault = 0x004000;
inline constexpr const char* kOnePpsInput = "1PPS Input";
inline constexpr int kOnePpsInputDefault = 0;
inline constexpr const char* kFirstTimeConfig = "FirstTimeConfig";
inline constexpr int kFirstTimeConfigDefault = 1;
// 1: time and satellites from every satellite-system talker (GN, GL, GA...), not only GP.
inline constexpr const char* kAcceptAllTalkers = "AcceptAllTalkers";
inline constexpr int kAcceptAllTalkersDefault = 1;

// "Settings": read at the moment of use
inline constexpr const char* kGPSTimeDelay = "GPSTimeDelay";
inline constexpr int kGPSTimeDelayDefault = 50;
inline constexpr const char* kOnePpsPolarity = "1PPS Polarity";
inline constexpr int kOnePpsPolarityDefault = 2;
inline constexpr const char* kLine = "Line";
inline constexpr int kLineDefault = 8;
inline constexpr const char* kUseSNTP = "UseSNTP";
inline constexpr int kUseSNTPDefault = 1;
// 1: the clock's rate is corrected between settings.
inline constexpr const char* kRateCorrection = "RateCorrection";
inline constexpr int kRateCorrectionDefault = 1;

// "Settings": desktop clock, pages
inline constexpr const char* kDigitalClockEnabled = "DigitalClockEnabled";
inline constexpr const char* kDigitalClockPosition = "DigitalClockPosition";
inline constexpr const char* kClockType = "ClockType";
inline constexpr const char* k24HourMode = "24HourMode";
inline constexpr const char* kEnableDOY = "EnableDOY";
inline constexpr const char* kLocalTime = "LocalTime";
inline constexpr const char* kClockAlwayssOnTop = "ClockAlwayssOnTop";
inline constexpr const char* kClockColor = "Clock Color";
inline constexpr const char* kTransparent = "Transparent";
inline constexpr const char* kOpacit = "Opacit";
inline constexpr const char* kAnalogClockUseSystemColors = "AnalogClockUseSystemColors";
inline constexpr const char* kAnalogClockFaceColor = "AnalogClockFaceColor";
inline constexpr const char* kAnalogClockTextColor = "AnalogClockTextColor";
inline constexpr const char* kAnalogClockHandColor = "AnalogClockHandColor";
inline constexpr const char* kAnalogClockSecondColor = "AnalogClockSecondColor";
inline constexpr const char* kEnableBubbleTip = "EnableBubbleTip";
inline constexpr const char* kPositionFormat = "PositionFormat";
inline constexpr const char* kUnits = "Units";
inline constexpr const char* kDoNotShowTraybarDialog = "Do not Show Traybar Dialog";

// "Serial Port Commmunications"
inline constexpr const char* kPort = "Port";
inline constexpr int kPortDefault = 1;
inline constexpr const char* kBaud = "Baud";
inline constexpr int kBaudDefault = 4800;
// A device path (/dev/ttyUSB0) that, when present, takes precedence over "Port".
inline constexpr const char* kDevice = "Device";

// "Network Daytime Protocol"
inline constexpr const char* kNumberOfTimeServers = "NumberOfTimeServers";
inline constexpr const char* kNetServerFormat = "NetServer-%02d";
inline constexpr const char* kTimeServer = "TimeServer";
inline constexpr const char* kUseRandomServer = "UseRandomServer";
inline constexpr const char* kTimeServerPort = "TimeServerPort";
inline constexpr int kTimeServerPortDefault = 13;

// "IRIG"
inline constexpr const char* kIRIGEnable = "IRIGEnable";
inline constexpr const char* kFrameCompression = "FrameCompression";
// The slider's range; 15 writes at 16150 Hz. The slider shows it, switching the output on uses it,
// and so does the start with the program.
inline constexpr int kFrameCompressionDefault = 15;
inline constexpr int kFrameCompressionMax = 30;
inline constexpr const char* kEnable12HourMode = "Enable 12 Hour Mode";
inline constexpr const char* kEnableUTCTime = "Enable UTC Time";

} // namespace velarin::keys
