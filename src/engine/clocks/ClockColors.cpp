#include "engine/clocks/ClockColors.h"

#include "engine/clocks/ClockCommands.h"

namespace velarin {

ColorRef ThreeQuarterChannels(ColorRef color)
{
    auto part = [](int c) { return c - (c >> 2); };
    return MakeColorRef(part(RedOf(color)), part(GreenOf(color)), part(BlueOf(color)));
}

ColorRef HalfChannels(ColorRef color)
{
    return MakeColorRef(RedOf(color) >> 1, GreenOf(color) >> 1, BlueOf(color) >> 1);
}

std::optional<SegmentColors> SegmentColorPreset(int commandId)
{
    switch (commandId) {
    case cmd::kBlue:
        return SegmentColors { 0xFF0000, 0x300000 };
    case cmd::kGreen:
        return SegmentColors { 0x00FF00, 0x003000 };
    case cmd::kRed:
        return SegmentColors { 0x0000FF, 0x000030 };
    default:
        return std::nullopt;
    }
}

} // namespace velarin
