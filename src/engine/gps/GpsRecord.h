#pragma once

#include "base/NmeaTalker.h"

#include <cstdint>

namespace velarin {

// The decoded receiver state: the last values of each of the six sentences, with the widths the
// receiver's data is kept in (8-bit satellites in use, signed 8-bit zone hours, 16-bit years and
// satellites in view...). Values narrower than the conversion wrap as they would when stored.

struct GgaData {
    uint8_t hour = 0;
    uint8_t minute = 0;
    uint8_t second = 0;
    double latitude = 0.0; // decimal degrees, north positive
    double longitude = 0.0; // decimal degrees, east positive
    uint8_t fixQuality = 0; // NMEA fix quality digit, 0 = no fix
    uint8_t satellites = 0; // satellites in use
    double hdop = 0.0;
    double altitude = 0.0; // as sent (metres)
    uint32_t count = 0;
    int32_t rememberedTime = 0; // minute * 60 + second of the previous GGA
    double rememberedAltitude = 0.0;
    double verticalRate = 0.0; // altitude change per minute
};

struct GsaData {
    char mode = 'M'; // selection mode, 'M' or 'A'
    uint8_t fixType = 1; // 1 none, 2 2D, 3 3D
    uint16_t used[12] = {}; // PRNs used in the solution, 0 = none
    double pdop = 0.0;
    double hdop = 0.0;
    double vdop = 0.0;
    uint32_t count = 0;
};

struct SatelliteInfo {
    uint16_t prn = 0; // 0 = empty slot
    uint16_t snr = 0; // dB, 0 = not tracked
    uint32_t used = 0; // 1 when used in the solution
    uint16_t azimuth = 0; // degrees
    uint16_t elevation = 0; // degrees
    SatelliteSystem system = SatelliteSystem::Gps; // the same PRN on two systems is two satellites
};

struct GsvData {
    // One talker's sequence fills at most 36 entries (nine messages of four); several systems
    // together need more.
    static constexpr int kSequenceSatellites = 36;
    static constexpr int kMaxSatellites = 72;
    uint16_t inView = 0; // as sent (the systems' total); may exceed the array
    SatelliteInfo satellites[kMaxSatellites] = {};
    uint32_t count = 0;
};

struct RmbData {
    static constexpr int kIdSize = 32;
    char status = 'V';
    double crossTrackError = 0.0;
    char steer = '?';
    char originId[kIdSize] = {};
    char destinationId[kIdSize] = {};
    double destinationLatitude = 0.0;
    double destinationLongitude = 0.0;
    double range = 0.0;
    double bearing = 0.0;
    double closingVelocity = 0.0;
    char arrival = 'V';
    uint32_t count = 0;
};

struct RmcData {
    uint8_t hour = 0;
    uint8_t minute = 0;
    uint8_t second = 0;
    char status = 'V'; // 'A' valid, 'V' warning
    double latitude = 0.0;
    double longitude = 0.0;
    double speedKnots = 0.0;
    double course = 0.0;
    uint8_t day = 1;
    uint8_t month = 1;
    uint16_t year = 2000;
    double magneticVariation = 0.0; // degrees, west negative
    uint32_t count = 0;
};

struct ZdaData {
    uint8_t hour = 0;
    uint8_t minute = 0;
    uint8_t second = 0;
    uint8_t day = 1;
    uint8_t month = 1;
    uint16_t year = 2000;
    int8_t zoneHours = 0;
    uint8_t zoneMinutes = 0;
    uint32_t count = 0;
};

struct GpsRecord {
    GgaData gga;
    GsaData gsa;
    GsvData gsv;
    RmbData rmb;
    RmcData rmc;
    ZdaData zda;
};

// The time fields of one sentence as one value: a reader on another thread gets the hour, minute
// and second (and date) that one sentence stored together.
struct GpsTimeFields {
    uint16_t year = 0;
    uint8_t month = 0;
    uint8_t day = 0;
    uint8_t hour = 0;
    uint8_t minute = 0;
    uint8_t second = 0;

    friend bool operator==(const GpsTimeFields&, const GpsTimeFields&) = default;
};

// Which sentence supplies the time ("UseTimrFrom").
enum class TimeSource : int { Gga = 0, Rmc = 1, Zda = 2 };

} // namespace velarin
