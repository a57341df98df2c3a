// Feeds arbitrary bytes to the NMEA parser in arbitrary chunks and checks what must always hold:
// the field reader stays inside its buffers, the time of every source is either "no time" or a
// valid date-time, one second either side stays valid, and the reals stay finite.
#include "base/Calendar.h"
#include "engine/gps/CNmeaParser.h"
#include "engine/gps/NmeaFieldIndex.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

void checkRecord(const velarin::CNmeaParser& parser)
{
    for (int source = -1; source <= 3; ++source) {
        const auto time = parser.GetReceiverTime(source);
        if (!time)
            continue;
        check(source >= 0 && source <= 2);
        check(velarin::IsValidSystemTime(*time) && time->year >= 1970);
        const auto fields = parser.GetTimeFields(source);
        check(fields && fields->second == time->second && fields->hour == time->hour);
        for (int step : { -1, 1 }) {
            const auto shifted = velarin::AddSeconds(*time, step);
            // Only the last second of the calendar has no successor.
            check((shifted && velarin::IsValidSystemTime(*shifted))
                || (step == 1 && time->year == 30827));
        }
    }
    const velarin::GpsRecord& r = parser.GetRecord();
    for (double value : { r.gga.latitude, r.gga.longitude, r.gga.hdop, r.gga.altitude,
             r.gga.verticalRate, r.gsa.pdop, r.rmb.destinationLatitude, r.rmb.range, r.rmc.latitude,
             r.rmc.longitude, r.rmc.magneticVariation }) {
        check(std::isfinite(value));
    }
    check(std::strlen(r.rmb.originId) < sizeof r.rmb.originId);
    check(std::strlen(r.rmb.destinationId) < sizeof r.rmb.destinationId);
    // The merged satellites of every system: as many as the list holds, each with a known
    // system and a used flag of 0 or 1.
    for (const velarin::SatelliteInfo& s : r.gsv.satellites) {
        check(static_cast<int>(s.system) < velarin::kSatelliteSystems);
        check(s.used <= 1 && (s.prn != 0 || s.used == 0));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // A fresh parser per input: the framer's state must not carry from one input to the next.
    auto parser = std::make_unique<velarin::CNmeaParser>();
    if (size == 0)
        return 0;

    // The first byte picks the chunk size, as serial reads split the stream anywhere, and
    // whether every talker is read; a clock that moves with the bytes brings the talker
    // windows into play.
    const std::size_t chunk = data[0] % 64 + 1;
    parser->SetAcceptAllTalkers((data[0] & 0x80) == 0);
    int64_t now = 0;
    parser->SetMonotonicClock([&now] { return now += 97; });
    const uint32_t before = parser->GetSentenceCount();
    for (std::size_t at = 1; at < size; at += chunk) {
        const std::size_t length = size - at < chunk ? size - at : chunk;
        const uint32_t sentences = parser->GetSentenceCount();
        parser->ProcessBytes(data + at, length);
        if (parser->GetSentenceCount() != sentences)
            checkRecord(*parser);
    }
    check(parser->GetSentenceCount() - before <= size / 3); // "$" + separator + end at least

    // The field reader on the raw input as a body: never past the text, never past capacity.
    char body[velarin::CNmeaParser::kBodySize] = {};
    std::memcpy(body, data + 1, size - 1 < sizeof body - 1 ? size - 1 : sizeof body - 1);
    char field[velarin::CNmeaParser::kFieldCapacity + 7];
    std::memset(field, 'x', sizeof field);
    const velarin::NmeaFieldIndex index(body);
    char indexed[velarin::CNmeaParser::kFieldCapacity];
    for (int n = 0; n < 20; ++n) {
        // The decoders' one-pass index answers exactly as the field rule does.
        const bool fromIndex = index.Get(n, indexed, sizeof indexed);
        const bool present
            = velarin::CNmeaParser::GetField(body, n, field, velarin::CNmeaParser::kFieldCapacity);
        check(std::strlen(field) < velarin::CNmeaParser::kFieldCapacity);
        check(present || field[0] == '\0');
        check(fromIndex == present && std::strcmp(indexed, field) == 0);
        check(field[velarin::CNmeaParser::kFieldCapacity] == 'x');
    }
    return 0;
}
