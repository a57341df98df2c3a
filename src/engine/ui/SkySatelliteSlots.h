#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace velarin {

// One satellite of the sky view. Shown only when PRN, azimuth and elevation are all non-zero.
struct SkySatellite {
    int32_t prn = 0;
    int32_t azimuth = 0; // degrees clockwise from north
    int32_t elevation = 0; // degrees above the horizon
    int32_t inUse = 0; // 1: used in the fix
    uint32_t labelColour = 0; // 0x00BBGGRR
    int32_t bitmapId = 0; // 0: the X marker
    int32_t signal = 0; // stored, not drawn
    int32_t system = 0; // SatelliteSystem; all but GPS get their letter before the PRN

    bool Visible() const { return prn != 0 && azimuth != 0 && elevation != 0; }
};

// Markers are combined with the plot by XOR, so drawing one twice erases it. The slots remember
// what is on the screen, and an update turns a change of the satellites into the few XOR draws
// that bring the screen in step.
class SkySatelliteSlots {
public:
    static constexpr int kSlots = 40;

    struct Draw {
        int slot = 0;
        SkySatellite satellite;
    };

    explicit SkySatelliteSlots(uint32_t usedColour);

    std::array<SkySatellite, kSlots> satellites {};

    // Picks each slot's colour and picture from its in-use flag, then lists the XOR draws: the
    // old marker of every changed slot (to erase it), then its new one. Afterwards the shown
    // slots equal the current ones.
    std::vector<Draw> Update(
        uint32_t usedColour, uint32_t trackedColour, int usedBitmap, int trackedBitmap);

    // The markers a full repaint draws: every visible current slot with an elevation of at most
    // 90, in slot order.
    std::vector<Draw> FullPaint() const;

    const std::array<SkySatellite, kSlots>& Shown() const { return shown_; }

private:
    std::array<SkySatellite, kSlots> shown_ {};
};

} // namespace velarin
