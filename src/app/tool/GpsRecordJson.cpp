#include "app/tool/GpsRecordJson.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <type_traits>

namespace velarin::tool {

namespace {

// Builds one JSON object member by member: "name": value, separated by ", ".
class ObjectWriter {
public:
    explicit ObjectWriter(std::string& out)
        : out_(out)
    {
        out_ += '{';
    }
    ~ObjectWriter() { out_ += '}'; }

    std::string& key(const char* name)
    {
        if (!first_)
            out_ += ", ";
        first_ = false;
        out_ += '"';
        out_ += name;
        out_ += "\": ";
        return out_;
    }

    template <typename Number> void number(const char* name, Number value)
    {
        std::string& out = key(name);
        if constexpr (std::is_floating_point_v<Number>) {
            GpsRecordJson::AppendReal(out, value);
        } else {
            out += std::to_string(static_cast<long long>(value));
        }
    }

    void character(const char* name, char value)
    {
        GpsRecordJson::AppendString(key(name), &value, 1);
    }

    void text(const char* name, const char* value)
    {
        GpsRecordJson::AppendString(key(name), value, std::strlen(value));
    }

private:
    std::string& out_;
    bool first_ = true;
};

} // namespace

void GpsRecordJson::AppendString(std::string& out, const char* text, std::size_t length)
{
    out += '"';
    for (std::size_t i = 0; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == '"' || byte == '\\') {
            out += '\\';
            out += static_cast<char>(byte);
        } else if (byte < 0x20 || byte == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else if (byte >= 0x80) {
            // Latin-1 byte to its UTF-8 form.
            out += static_cast<char>(0xC0 | (byte >> 6));
            out += static_cast<char>(0x80 | (byte & 0x3F));
        } else {
            out += static_cast<char>(byte);
        }
    }
    out += '"';
}

void GpsRecordJson::AppendReal(std::string& out, double value)
{
    if (!std::isfinite(value)) {
        out += "null"; // not produced by the decoders; kept valid JSON all the same
        return;
    }
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

void GpsRecordJson::AppendGga(std::string& out, const GgaData& gga)
{
    ObjectWriter w(out);
    w.number("hour", gga.hour);
    w.number("minute", gga.minute);
    w.number("second", gga.second);
    w.number("latitude", gga.latitude);
    w.number("longitude", gga.longitude);
    w.number("fix_quality", gga.fixQuality);
    w.number("satellites", gga.satellites);
    w.number("hdop", gga.hdop);
    w.number("altitude", gga.altitude);
    w.number("vertical_rate", gga.verticalRate);
    w.number("count", gga.count);
}

void GpsRecordJson::AppendGsa(std::string& out, const GsaData& gsa)
{
    ObjectWriter w(out);
    w.character("mode", gsa.mode);
    w.number("fix_type", gsa.fixType);
    std::string& used = w.key("used");
    used += '[';
    for (int i = 0; i < 12; ++i) {
        if (i > 0)
            used += ", ";
        used += std::to_string(gsa.used[i]);
    }
    used += ']';
    w.number("pdop", gsa.pdop);
    w.number("hdop", gsa.hdop);
    w.number("vdop", gsa.vdop);
    w.number("count", gsa.count);
}

void GpsRecordJson::AppendGsv(std::string& out, const GsvData& gsv, bool withSystems)
{
    ObjectWriter w(out);
    w.number("in_view", gsv.inView);
    std::string& list = w.key("satellites");
    list += '[';
    int entries = GsvData::kSequenceSatellites;
    for (int i = entries; withSystems && i < GsvData::kMaxSatellites; ++i) {
        if (gsv.satellites[i].prn != 0)
            entries = i + 1;
    }
    for (int i = 0; i < entries; ++i) {
        if (i > 0)
            list += ", ";
        const SatelliteInfo& satellite = gsv.satellites[i];
        ObjectWriter s(list);
        s.number("prn", satellite.prn);
        s.number("snr", satellite.snr);
        s.number("used", satellite.used);
        s.number("azimuth", satellite.azimuth);
        s.number("elevation", satellite.elevation);
        if (withSystems) {
            std::string& name = s.key("system");
            const char* system = SatelliteSystemName(satellite.system);
            AppendString(name, system, std::strlen(system));
        }
    }
    list += ']';
    w.number("count", gsv.count);
}

void GpsRecordJson::AppendRmb(std::string& out, const RmbData& rmb)
{
    ObjectWriter w(out);
    w.character("status", rmb.status);
    w.number("cross_track_error", rmb.crossTrackError);
    w.character("steer", rmb.steer);
    w.text("origin_id", rmb.originId);
    w.text("destination_id", rmb.destinationId);
    w.number("destination_latitude", rmb.destinationLatitude);
    w.number("destination_longitude", rmb.destinationLongitude);
    w.number("range", rmb.range);
    w.number("bearing", rmb.bearing);
    w.number("closing_velocity", rmb.closingVelocity);
    w.character("arrival", rmb.arrival);
    w.number("count", rmb.count);
}

void GpsRecordJson::AppendRmc(std::string& out, const RmcData& rmc)
{
    ObjectWriter w(out);
    w.number("hour", rmc.hour);
    w.number("minute", rmc.minute);
    w.number("second", rmc.second);
    w.character("status", rmc.status);
    w.number("latitude", rmc.latitude);
    w.number("longitude", rmc.longitude);
    w.number("speed_knots", rmc.speedKnots);
    w.number("course", rmc.course);
    w.number("day", rmc.day);
    w.number("month", rmc.month);
    w.number("year", rmc.year);
    w.number("magnetic_variation", rmc.magneticVariation);
    w.number("count", rmc.count);
}

void GpsRecordJson::AppendZda(std::string& out, const ZdaData& zda)
{
    ObjectWriter w(out);
    w.number("hour", zda.hour);
    w.number("minute", zda.minute);
    w.number("second", zda.second);
    w.number("day", zda.day);
    w.number("month", zda.month);
    w.number("year", zda.year);
    w.number("zone_hours", zda.zoneHours);
    w.number("zone_minutes", zda.zoneMinutes);
    w.number("count", zda.count);
}

} // namespace velarin::tool
