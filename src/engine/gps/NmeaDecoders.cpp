// The six sentence decoders of CNmeaParser. Each field is taken on its own: a field that is
// present (even with empty text, as a trailing field is) is converted, an empty or missing one
// either leaves the record alone or stores the field's fixed default.
#include "engine/gps/CNmeaParser.h"
#include "engine/gps/NmeaConversions.h"
#include "engine/gps/NmeaFieldIndex.h"

#include <algorithm>
#include <cstring>

namespace velarin {

namespace {

// One field of a body, read with the decoders' 24-character limit.
class Field {
public:
    Field(const NmeaFieldIndex& fields, int n)
        : present_(fields.Get(n, text_, sizeof text_))
    {
    }
    explicit operator bool() const { return present_; }
    const char* text() const { return text_; }
    char first() const { return text_[0]; }

private:
    char text_[CNmeaParser::kFieldCapacity];
    bool present_;
};

template <typename Record> void readTime(const NmeaFieldIndex& fields, Record& record)
{
    if (Field f { fields, 0 }) {
        // hhmmss: the fraction after the sixth character is ignored.
        record.hour = static_cast<uint8_t>(nmea::Pair(f.text(), 0));
        record.minute = static_cast<uint8_t>(nmea::Pair(f.text(), 2));
        record.second = static_cast<uint8_t>(nmea::Pair(f.text(), 4));
    }
}

// A hemisphere letter negates the value held, whether or not this sentence changed it.
void applyHemisphere(const NmeaFieldIndex& fields, int n, char negative, double& value)
{
    if (Field f { fields, n }; f && f.first() == negative)
        value = -value;
}

void readCoordinate(const NmeaFieldIndex& fields, int n, int degreeDigits, double& value)
{
    if (Field f { fields, n })
        value = nmea::Coordinate(f.text(), degreeDigits);
}

double realOr(const NmeaFieldIndex& fields, int n, double fallback)
{
    Field f { fields, n };
    return f ? nmea::ToReal(f.text()) : fallback;
}

int32_t intOr(const NmeaFieldIndex& fields, int n, int32_t fallback)
{
    Field f { fields, n };
    return f ? nmea::ToInt(f.text()) : fallback;
}

char charOr(const NmeaFieldIndex& fields, int n, char fallback)
{
    Field f { fields, n };
    return f ? f.first() : fallback;
}

// Four satellites per message; a set of more than 8 messages or a message number outside 1 to 9
// is not used at all (0).
int32_t gsvMessage(const NmeaFieldIndex& fields)
{
    const int32_t messages = intOr(fields, 0, 0);
    if (messages < 1 || messages > 8)
        return 0;
    const int32_t message = intOr(fields, 1, 0);
    return message >= 1 && message <= 9 ? message : 0;
}

// One usable GSV message into a sequence: the satellites-in-view count, then the message's four
// entries, of which the first `listed` come from the fields and the rest are emptied. The tag
// gives each satellite its system and used flag.
template <typename Tag>
void decodeGsv(const NmeaFieldIndex& fields, int32_t message, GsvData& gsv, int listed, Tag tag)
{
    if (Field f { fields, 2 })
        gsv.inView = static_cast<uint16_t>(nmea::ToInt(f.text()));
    for (int j = 0; j < 4; ++j) {
        const int b = 4 * j + 3;
        SatelliteInfo& satellite = gsv.satellites[(message - 1) * 4 + j];
        satellite = SatelliteInfo {};
        if (j < listed) {
            satellite.prn = static_cast<uint16_t>(intOr(fields, b, 0));
            satellite.elevation = static_cast<uint16_t>(intOr(fields, b + 1, 0));
            satellite.azimuth = static_cast<uint16_t>(intOr(fields, b + 2, 0));
            satellite.snr = static_cast<uint16_t>(intOr(fields, b + 3, 0));
        }
        tag(satellite);
    }
}

} // namespace

void CNmeaParser::ParseGGA(const char* body)
{
    const NmeaFieldIndex fields(body);
    GgaData& gga = record_.gga;
    readTime(fields, gga);
    readCoordinate(fields, 1, 2, gga.latitude);
    applyHemisphere(fields, 2, 'S', gga.latitude);
    readCoordinate(fields, 3, 3, gga.longitude);
    applyHemisphere(fields, 4, 'W', gga.longitude);
    if (Field f { fields, 5 })
        gga.fixQuality = nmea::Digit(f.text());
    if (Field f { fields, 6 })
        gga.satellites = static_cast<uint8_t>(nmea::Pair(f.text(), 0));
    gga.hdop = realOr(fields, 7, gga.hdop);
    gga.altitude = realOr(fields, 8, gga.altitude);

    // Altitude change per minute. Real division: sentences less than a minute apart would make
    // an integer divisor of (remembered - t) / 60 zero. A time not later than the remembered
    // one (same second, or the minute wrapped at the hour) leaves the rate as it was.
    const int32_t t = gga.minute * 60 + gga.second;
    if (t > gga.rememberedTime)
        gga.verticalRate
            = (gga.rememberedAltitude - gga.altitude) / ((gga.rememberedTime - t) / 60.0);
    gga.rememberedAltitude = gga.altitude;
    gga.rememberedTime = t;
    ++gga.count;
    PublishTimes(false);
}

void CNmeaParser::ParseGSA(const char* body)
{
    DecodeGsa(NmeaFieldIndex(body));
}

void CNmeaParser::DecodeGsa(const NmeaFieldIndex& fields)
{
    GsaData& gsa = record_.gsa;
    if (Field f { fields, 0 })
        gsa.mode = f.first();
    if (Field f { fields, 1 })
        gsa.fixType = nmea::Digit(f.text());
    for (int i = 0; i < 12; ++i) {
        Field f { fields, 2 + i };
        gsa.used[i] = f ? static_cast<uint16_t>(nmea::Pair(f.text(), 0)) : 0;
    }
    gsa.pdop = realOr(fields, 14, 0.0);
    gsa.hdop = realOr(fields, 15, 0.0);
    gsa.vdop = realOr(fields, 16, 0.0);
    ++gsa.count;
}

void CNmeaParser::ParseGSV(const char* body)
{
    const NmeaFieldIndex fields(body);
    const int32_t message = gsvMessage(fields);
    if (message == 0)
        return;
    const uint16_t* used = record_.gsa.used;
    decodeGsv(fields, message, record_.gsv, 4, [used](SatelliteInfo& satellite) {
        satellite.used = 0;
        for (int i = 0; i < 12 && satellite.prn != 0; ++i) {
            if (used[i] == satellite.prn)
                satellite.used = 1;
        }
    });
    ++record_.gsv.count;
}

void CNmeaParser::ParseGsvSequence(const char* body, Talker talker, int64_t nowMilliseconds)
{
    const NmeaFieldIndex fields(body);
    const int32_t message = gsvMessage(fields);
    if (message == 0)
        return;
    // From NMEA 4.10 on a signal id follows the satellites: each band is a sequence of its own,
    // and the id is no satellite.
    int signal = 0;
    int listed = 4;
    const int count = fields.Count();
    if (count >= 4 && (count - 3) % 4 == 1) {
        signal = intOr(fields, count - 1, 0);
        listed = std::min(4, (count - 4) / 4);
    }
    SatelliteSystem talkerSystem = SatelliteSystem::Gps;
    const bool oneSystem = SystemOfTalker(talker, talkerSystem);
    GsvData& sequence = sky_.Sequence(talker, signal, nowMilliseconds);
    decodeGsv(fields, message, sequence, listed, [&](SatelliteInfo& satellite) {
        satellite.system = oneSystem ? talkerSystem : SystemOfCombinedPrn(satellite.prn);
        satellite.used = satellite.prn != 0 && sky_.IsUsed(satellite.system, satellite.prn);
    });
    sky_.Merge(record_.gsv, (message - 1) * 4, message >= intOr(fields, 0, 0));
    ++record_.gsv.count;
}

void CNmeaParser::ParseGsaAnyTalker(const char* body, Talker talker, bool intoRecord)
{
    const NmeaFieldIndex fields(body);
    if (intoRecord)
        DecodeGsa(fields);
    // NMEA 4.10 names the system in field 17; before that, the talker or the PRN range does.
    SatelliteSystem system = SatelliteSystem::Gps;
    bool oneSystem = SystemOfTalker(talker, system);
    if (Field f { fields, 17 })
        oneSystem = SystemOfGsaId(nmea::ToInt(f.text()), system) || oneSystem;
    for (int i = 0; i < 12; ++i) {
        // The whole number: PRNs of other systems run to three digits.
        const int32_t prn = intOr(fields, 2 + i, 0);
        if (prn > 0 && prn <= 0xFFFF)
            sky_.AddUsed(oneSystem ? system : SystemOfCombinedPrn(prn), static_cast<uint16_t>(prn));
    }
}

void CNmeaParser::ParseRMB(const char* body)
{
    const NmeaFieldIndex fields(body);
    RmbData& rmb = record_.rmb;
    rmb.status = charOr(fields, 0, 'V');
    rmb.crossTrackError = realOr(fields, 1, 0.0);
    rmb.steer = charOr(fields, 2, '?');
    // At most 24 characters each (the field limit), so they always fit with their NUL.
    static_assert(kFieldCapacity <= RmbData::kIdSize);
    Field origin { fields, 3 };
    std::memcpy(rmb.originId, origin.text(), std::strlen(origin.text()) + 1);
    Field destination { fields, 4 };
    std::memcpy(rmb.destinationId, destination.text(), std::strlen(destination.text()) + 1);
    readCoordinate(fields, 5, 2, rmb.destinationLatitude);
    applyHemisphere(fields, 6, 'S', rmb.destinationLatitude);
    readCoordinate(fields, 7, 3, rmb.destinationLongitude);
    applyHemisphere(fields, 8, 'W', rmb.destinationLongitude);
    rmb.range = realOr(fields, 9, 0.0);
    rmb.bearing = realOr(fields, 10, 0.0);
    rmb.closingVelocity = realOr(fields, 11, 0.0);
    rmb.arrival = charOr(fields, 12, 'V');
    ++rmb.count;
}

void CNmeaParser::ParseRMC(const char* body)
{
    const NmeaFieldIndex fields(body);
    RmcData& rmc = record_.rmc;
    readTime(fields, rmc);
    rmc.status = charOr(fields, 1, 'V');
    readCoordinate(fields, 2, 2, rmc.latitude);
    applyHemisphere(fields, 3, 'S', rmc.latitude);
    readCoordinate(fields, 4, 3, rmc.longitude);
    applyHemisphere(fields, 5, 'W', rmc.longitude);
    rmc.speedKnots = realOr(fields, 6, 0.0);
    rmc.course = realOr(fields, 7, 0.0);
    if (Field f { fields, 8 }) {
        // ddmmyy; the two-digit year always lands in 2000 to 2099.
        rmc.day = static_cast<uint8_t>(nmea::Pair(f.text(), 0));
        rmc.month = static_cast<uint8_t>(nmea::Pair(f.text(), 2));
        rmc.year = static_cast<uint16_t>(nmea::Pair(f.text(), 4) + 2000);
    }
    rmc.magneticVariation = realOr(fields, 9, 0.0);
    applyHemisphere(fields, 10, 'W', rmc.magneticVariation);
    ++rmc.count;
    PublishTimes(false);
}

void CNmeaParser::ParseZDA(const char* body)
{
    const NmeaFieldIndex fields(body);
    ZdaData& zda = record_.zda;
    readTime(fields, zda);
    zda.day = static_cast<uint8_t>(intOr(fields, 1, 1));
    zda.month = static_cast<uint8_t>(intOr(fields, 2, 1));
    zda.year = static_cast<uint16_t>(intOr(fields, 3, 1));
    zda.zoneHours = static_cast<int8_t>(intOr(fields, 4, 0));
    zda.zoneMinutes = static_cast<uint8_t>(intOr(fields, 5, 0));
    ++zda.count;
    PublishTimes(false);
}

} // namespace velarin
