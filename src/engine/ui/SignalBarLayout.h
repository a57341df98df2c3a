#pragma once

#include "engine/ui/UiGeometry.h"

#include <array>
#include <cstdint>

namespace velarin {

// One bar of the signal quality control.
struct SignalBarEntry {
    int32_t prn = 0;
    int32_t snr = 0; // signal-to-noise ratio, dB
    int32_t used = 0; // 1: used in the position solution
};

// The bar scale: it follows the weakest and the strongest non-zero signal seen since the last
// reset, so small differences between satellites stand out.
class SignalBarScale {
public:
    static constexpr int kMaxEntries = 32;

    // Widens the seen extremes with the first count entries; with the automatic range on, the
    // display range becomes the seen range.
    void Update(const std::array<SignalBarEntry, kMaxEntries>& entries, int count);
    void ResetMinMax();

    // Height in pixels of a bar of the given signal in a bar area of height areaHeight. Zero when
    // the display range is empty.
    int BarHeight(int snr, int areaHeight) const;

    int maximumSeen = -999;
    int minimumSeen = 999;
    int displayMaximum = 0;
    int displayMinimum = 0;
    int automaticRange = 1;
};

// Where bar i of count is drawn, for a client rectangle and a label text height.
struct SignalBarGeometry {
    UiRect frame; // 3-D frame around the bar
    UiRect area; // inside the frame
    UiRect empty; // button face above the level
    UiRect level; // the bar's colour, at least one pixel high
    UiRect label; // PRN text under the bar
};

// Point size in tenths of the label font: a third of the inner width, at least 6 points.
int SignalBarFontTenths(int clientWidth);
// Pixels between bar starts; 0 when there are no bars.
int SignalBarPitch(int clientWidth, int count);
SignalBarGeometry SignalBarAt(
    int clientWidth, int clientHeight, int count, int index, int textHeight, int barHeight);

} // namespace velarin
