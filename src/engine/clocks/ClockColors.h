#pragma once

#include <cstdint>
#include <optional>

namespace velarin {

// Colour values are 0x00BBGGRR: red in the low byte.
using ColorRef = uint32_t;

constexpr ColorRef MakeColorRef(int red, int green, int blue)
{
    return static_cast<ColorRef>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
constexpr int RedOf(ColorRef c)
{
    return static_cast<int>(c & 0xFF);
}
constexpr int GreenOf(ColorRef c)
{
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int BlueOf(ColorRef c)
{
    return static_cast<int>((c >> 16) & 0xFF);
}

// Each of red, green and blue reduced to three quarters, rounded up: c - (c >> 2). The analog
// clock's second hand takes this of the highlight colour.
ColorRef ThreeQuarterChannels(ColorRef color);
// Each of red, green and blue halved (shifted right by one).
ColorRef HalfChannels(ColorRef color);

struct SegmentColors {
    ColorRef active = 0;
    ColorRef inactive = 0;
};

// The digital clock's colour presets by command id ("&Blue", "&Green", "&Red"); nullopt for any
// other id.
std::optional<SegmentColors> SegmentColorPreset(int commandId);

} // namespace velarin
