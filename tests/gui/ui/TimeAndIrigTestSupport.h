#pragma once

#include "gui/ui/PropertySheetFixture.h"

#include <QImage>

namespace velarin::testing {

// A main frame that owns an IRIG generator (or none).
class IrigSheetHost : public FakeSheetHost {
public:
    CIrigGenerator* IrigGenerator() override { return generator; }
    CIrigGenerator* generator = nullptr;
};

// How many pixels of a picture have exactly this colour.
inline int CountPixels(const QImage& image, QRgb colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF) ? 1 : 0;
    }
    return count;
}

} // namespace velarin::testing
