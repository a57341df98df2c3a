#pragma once

namespace velarin {

// Integer pixel geometry of the drawing layouts: right and bottom are exclusive, as in the
// platform rectangles the drawings were designed with.
struct UiPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const UiPoint&, const UiPoint&) = default;
};

struct UiRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    UiRect Shrunk(int dx, int dy) const { return { left + dx, top + dy, right - dx, bottom - dy }; }
    friend bool operator==(const UiRect&, const UiRect&) = default;
};

} // namespace velarin
