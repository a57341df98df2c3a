#include "engine/ui/CoordinateFormat.h"

#include "engine/settings/SettingsKeys.h"

#include <cmath>
#include <cstdio>

namespace velarin {
namespace {

constexpr const char* kDegree = "\xC2\xB0";
constexpr double kMinuteUnits = 600000.0; // 1/10000 minute per unit

std::string Printf(const char* format, auto... args)
{
    char buffer[512];
    const int n = std::snprintf(buffer, sizeof buffer, format, args...);
    if (n < 0)
        return {};
    return std::string(buffer, static_cast<size_t>(std::min<int>(n, sizeof buffer - 1)));
}

// Whole degrees and minutes in 1/10000 minute, rounded to the nearest unit. A value that rounds
// up to 60 minutes becomes the next degree. Values out of any sensible range (or not numbers)
// are held at 0 so that the conversion to an integer stays defined.
struct DegreesMinutes {
    unsigned long degrees = 0;
    unsigned long units = 0;
};

DegreesMinutes Split(double magnitude)
{
    if (!(magnitude >= 0.0) || magnitude > 1.0e9)
        return {};
    DegreesMinutes dm;
    dm.degrees = static_cast<unsigned long>(magnitude);
    dm.units = static_cast<unsigned long>(
        (magnitude - static_cast<double>(dm.degrees)) * kMinuteUnits + 0.5);
    if (dm.units >= static_cast<unsigned long>(kMinuteUnits)) {
        dm.units -= static_cast<unsigned long>(kMinuteUnits);
        ++dm.degrees;
    }
    return dm;
}

// The shared body of both angle texts; degreeWidth is 2 for latitude and 3 for longitude.
std::string FormatAngle(
    double value, int positionFormat, char negative, char positive, int degreeWidth)
{
    // A value that is not a number is not below 0 and gets the positive letter.
    const char letter = value < 0.0 ? negative : positive;
    const double magnitude = std::fabs(value);
    switch (positionFormat) {
    case 0: {
        const DegreesMinutes dm = Split(magnitude);
        return Printf("%c %0*lu%s %07.04f", letter, degreeWidth, dm.degrees, kDegree,
            static_cast<double>(dm.units) * 0.0001);
    }
    case 1: {
        const DegreesMinutes dm = Split(magnitude);
        const int minutes = static_cast<int>(dm.units / 10000);
        const double seconds = static_cast<double>(dm.units % 10000) * 0.0001 * 60.0;
        return Printf(
            "%c %0*lu%s %02d' %06.03f", letter, degreeWidth, dm.degrees, kDegree, minutes, seconds);
    }
    case 2:
        return Printf("%c %0*.010f%s", letter, degreeWidth + 11, magnitude, kDegree);
    default:
        return {};
    }
}

bool KnownFormat(int positionFormat)
{
    return positionFormat >= 0 && positionFormat <= 2;
}

} // namespace

std::string FormatLatitude(double value, int positionFormat)
{
    if (!KnownFormat(positionFormat))
        return "ERROR";
    return FormatAngle(value, positionFormat, 'S', 'N', 2);
}

std::string FormatLongitude(double value, int positionFormat)
{
    if (!KnownFormat(positionFormat))
        return {};
    return FormatAngle(value, positionFormat, 'W', 'E', 3);
}

std::string FormatAltitude(double metres, int units)
{
    const bool feet = units == 1;
    const double value = feet ? metres * 3.28083989501 : metres * 1.0;
    return Printf("%-8.02f %s       ", value, feet ? "ft" : "m");
}

std::string FormatLatitude(double value, SettingsStore& settings)
{
    return FormatLatitude(value, settings.GetProfileInt(keys::kSettings, keys::kPositionFormat, 0));
}

std::string FormatLongitude(double value, SettingsStore& settings)
{
    return FormatLongitude(
        value, settings.GetProfileInt(keys::kSettings, keys::kPositionFormat, 0));
}

std::string FormatAltitude(double metres, SettingsStore& settings)
{
    return FormatAltitude(metres, settings.GetProfileInt(keys::kSettings, keys::kUnits, 1));
}

} // namespace velarin
