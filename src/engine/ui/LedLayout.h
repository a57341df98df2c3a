#pragma once

#include "engine/ui/UiGeometry.h"

#include <cstdint>

namespace velarin {

// The LED picture strip: 48 x 192 pixels of 16 x 16 cells. The column is the state (lit, dark,
// greyed out), the row is size band + colour offset.
namespace led {
inline constexpr int kCell = 16;
inline constexpr int kStripWidth = 48;
inline constexpr int kStripHeight = 192;

inline constexpr int kRed = 0;
inline constexpr int kGreen = 16;
inline constexpr int kYellow = 32;
inline constexpr int kBlue = 48;

inline constexpr int kLit = 0;
inline constexpr int kDark = 1;
inline constexpr int kGreyed = 2;
inline constexpr int kBlinking = 3;

inline constexpr int kSmall = 0;
inline constexpr int kMedium = 64;
inline constexpr int kLarge = 128;

// Pixels of this colour (0x00RRGGBB) are transparent.
inline constexpr uint32_t kTransparent = 0xFF00FF;
} // namespace led

// Where the 16 x 16 picture goes in a control of the given client size: centred when the control
// is at least 16 x 16, at its top-left corner otherwise.
UiRect LedTarget(int clientWidth, int clientHeight);

// Top-left corner of the cell to draw. In the blinking state the blink phase picks lit (1) or
// dark (0).
UiPoint LedSourceCell(int colour, int state, int size, int blinkPhase);

// The strip's artwork, pixel by pixel, as 0x00RRGGBB: per cell a round lamp of the size band
// (lit: bright colour with a white glint; dark: half-bright; greyed: grey) with a black rim, on
// magenta.
uint32_t LedStripPixel(int x, int y);

} // namespace velarin
