#pragma once

namespace velarin {

// Integer pixel geometry of the clock drawings, in the platform's convention: a rectangle's
// right and bottom edges lie just outside it.
struct ClockPoint {
    int x = 0;
    int y = 0;

    friend bool operator==(const ClockPoint&, const ClockPoint&) = default;
};

struct ClockRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    friend bool operator==(const ClockRect&, const ClockRect&) = default;
};

// One straight pen stroke from one point to another (equal points draw a round dot).
struct ClockStroke {
    ClockPoint from;
    ClockPoint to;

    friend bool operator==(const ClockStroke&, const ClockStroke&) = default;
};

} // namespace velarin
