#pragma once

namespace velarin::cmd {

// Command ids of the clock window's menus (302 analog, 303 digital), kept as the resources
// number them: the stored "Clock Color" is one of them.
inline constexpr int kMenuAnalog = 302;
inline constexpr int kMenuDigital = 303;

inline constexpr int kSetPcClockNow = 32774;
inline constexpr int kAlwaysOnTop = 32789;
inline constexpr int kHide = 32781;
inline constexpr int kBlue = 32780;
inline constexpr int kGreen = 32779;
inline constexpr int kRed = 32778;
inline constexpr int kCustomColor = 32791;
inline constexpr int kSetAnalogColor = 32798;
inline constexpr int kLocalTime = 32785;
inline constexpr int kUtcTime = 32786;
inline constexpr int k24HourTime = 32783;
inline constexpr int kShowDayOfYear = 32784;
inline constexpr int kTransparent = 163;
inline constexpr int kSetTransparency = 170;
inline constexpr int kAnalogClock = 32796;
inline constexpr int kDigitalClock = 32797;
inline constexpr int kHelpTopics = 57667;
inline constexpr int kProperties = 32787;

} // namespace velarin::cmd
