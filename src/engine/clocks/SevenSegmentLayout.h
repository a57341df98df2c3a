#pragma once

#include "engine/clocks/ClockGeometry.h"

#include <array>
#include <cstdint>
#include <vector>

namespace velarin {

// Where the seven-segment clock draws its digits and colons inside its client area.
struct DigitalClockCell {
    enum class Kind { Digit, Colon };
    Kind kind = Kind::Digit;
    ClockRect rect;
    // For digits: the index of the character in the displayed digit string.
    int digitIndex = 0;
};

struct DigitalClockLayout {
    int thickness = 0;
    int cellWidth = 0; // cw
    int advance = 0; // a = cw + t
    ClockRect digitArea; // the client rectangle less the inset
    std::vector<DigitalClockCell> cells; // drawing order, left to right
};

// Lays out "HH:MM:SS" (or "DDD:HH:MM:SS" with the day of the year) in the client rectangle
// shrunk by the inset. A width too small for the strokes yields overlapping cells; nothing is
// clamped, the drawing simply degenerates.
DigitalClockLayout LayoutDigitalClock(
    const ClockRect& client, int inset, int thickness, bool showDayOfYear);

// Segment bits: 0x01 a (top), 0x02 b, 0x04 c, 0x08 d (bottom), 0x10 e, 0x20 f, 0x40 g (middle).
// '0'..'9' map to their digits; any other character's code is its own mask.
uint8_t SegmentMask(char character);

// The seven strokes a..g of one digit cell, in drawing order. With t <= 1 each stroke is one
// pixel longer, because a one-pixel line leaves out its end point.
std::array<ClockStroke, 7> DigitStrokes(const ClockRect& cell, int thickness);

// Centres of the two colon dots (each a round dot of diameter 2t).
std::array<ClockPoint, 2> ColonDots(const ClockRect& cell, int thickness);

// Segment thickness the desktop clock window gives its digital clock for a client width.
int ClockWindowThickness(int clientWidth, bool showDayOfYear);

} // namespace velarin
