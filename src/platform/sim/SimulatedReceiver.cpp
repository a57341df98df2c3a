#include "platform/sim/SimulatedReceiver.h"

#include <algorithm>
#include <cstdio>

namespace velarin {

namespace {

std::string timeField(const SystemTime& t)
{
    char text[48];
    std::snprintf(
        text, sizeof text, "%02d%02d%02d.%02d", t.hour, t.minute, t.second, t.milliseconds / 10);
    return text;
}

// A fixed, plausible constellation: PRN, elevation, azimuth, SNR.
struct Satellite {
    int prn, elevation, azimuth, snr;
};
constexpr Satellite kSky[12]
    = { { 2, 67, 45, 44 }, { 5, 41, 120, 42 }, { 7, 23, 200, 38 }, { 9, 55, 300, 45 },
          { 13, 12, 80, 33 }, { 15, 33, 160, 40 }, { 18, 70, 250, 47 }, { 21, 8, 20, 30 },
          { 24, 49, 330, 43 }, { 26, 28, 110, 37 }, { 29, 61, 190, 46 }, { 31, 17, 270, 35 } };

// Each system's sky is the GPS one turned and renumbered: GLONASS from 65, the others with
// their own numbers as their talkers send them.
struct SystemSky {
    const char* talker;
    int prnBase;
    int gsaId; // NMEA 4.10 system id
};
constexpr SystemSky kSystemSky[kSatelliteSystems] = { { "GP", 0, 1 }, { "GL", 64, 2 },
    { "GA", 0, 3 }, { "GB", 0, 4 }, { "GQ", 192, 5 }, { "GI", 0, 6 } };

Satellite satelliteOf(SatelliteSystem system, int systemIndex, int i)
{
    const SystemSky& sky = kSystemSky[static_cast<int>(system)];
    return { sky.prnBase + kSky[i].prn, kSky[i].elevation,
        (kSky[i].azimuth + 97 * systemIndex) % 360, kSky[i].snr - 2 * systemIndex };
}

} // namespace

SimulatedReceiver::SimulatedReceiver(Options options)
    : options_(std::move(options))
{
    options_.satellites = std::clamp(options_.satellites, 0, 12);
}

std::string SimulatedReceiver::Sentence(const std::string& body)
{
    unsigned checksum = 0;
    for (unsigned char c : body)
        checksum ^= c;
    char tail[8];
    std::snprintf(tail, sizeof tail, "*%02X\r\n", checksum);
    return "$" + body + tail;
}

std::vector<SatelliteSystem> SimulatedReceiver::systems() const
{
    if (!options_.combined || options_.systems.empty())
        return { SatelliteSystem::Gps };
    return options_.systems;
}

int SimulatedReceiver::satellitesInUse() const
{
    return std::min<int>(99, options_.satellites * static_cast<int>(systems().size()));
}

std::string SimulatedReceiver::gga(const SystemTime& t) const
{
    char body[192];
    std::snprintf(body, sizeof body, "%sGGA,%s,4807.038,N,01131.000,E,%d,%02d,0.9,545.4,M,46.9,M,,",
        talker(), timeField(t).c_str(), options_.quality, satellitesInUse());
    return Sentence(body);
}

std::string SimulatedReceiver::gsa(SatelliteSystem system, int systemIndex) const
{
    std::string body = std::string(talker()) + (options_.quality > 0 ? "GSA,A,3" : "GSA,A,1");
    for (int i = 0; i < 12; ++i) {
        body += ',';
        if (i < options_.satellites && options_.quality > 0) {
            char prn[8];
            std::snprintf(prn, sizeof prn, "%02d", satelliteOf(system, systemIndex, i).prn);
            body += prn;
        }
    }
    body += ",1.8,0.9,1.5";
    if (options_.combined)
        body += "," + std::to_string(kSystemSky[static_cast<int>(system)].gsaId);
    return Sentence(body);
}

std::vector<std::string> SimulatedReceiver::gsv(SatelliteSystem system, int systemIndex) const
{
    const int count = options_.satellites;
    const int messages = std::max(1, (count + 3) / 4);
    std::vector<std::string> result;
    for (int m = 0; m < messages; ++m) {
        char head[48];
        std::snprintf(head, sizeof head, "%sGSV,%d,%d,%02d",
            kSystemSky[static_cast<int>(system)].talker, messages, m + 1, count);
        std::string body = head;
        for (int i = m * 4; i < std::min(count, m * 4 + 4); ++i) {
            const Satellite satellite = satelliteOf(system, systemIndex, i);
            char entry[64];
            std::snprintf(entry, sizeof entry, ",%02d,%02d,%03d,%02d", satellite.prn,
                satellite.elevation, satellite.azimuth, satellite.snr);
            body += entry;
        }
        // NMEA 4.10: the signal band (1, the L1/E1/B1 one) ends each message.
        if (options_.combined)
            body += ",1";
        result.push_back(Sentence(body));
    }
    return result;
}

std::string SimulatedReceiver::rmc(const SystemTime& t) const
{
    char body[192];
    std::snprintf(body, sizeof body,
        "%sRMC,%s,%c,4807.038,N,01131.000,E,0.0,0.0,%02d%02d%02d,1.5,W", talker(),
        timeField(t).c_str(), options_.quality > 0 ? 'A' : 'V', t.day, t.month, t.year % 100);
    return Sentence(body);
}

std::string SimulatedReceiver::zda(const SystemTime& t) const
{
    char body[128];
    std::snprintf(body, sizeof body, "%sZDA,%s,%02d,%02d,%04d,00,00", talker(),
        timeField(t).c_str(), t.day, t.month, t.year);
    return Sentence(body);
}

std::string SimulatedReceiver::Burst(const SystemTime& t) const
{
    std::string burst;
    for (const std::string& name : options_.sentences) {
        if (name == "GGA")
            burst += gga(t);
        else if (name == "GSA" || name == "GSV") {
            const std::vector<SatelliteSystem> sent = systems();
            for (size_t i = 0; i < sent.size(); ++i) {
                if (name == "GSA")
                    burst += gsa(sent[i], static_cast<int>(i));
                else
                    for (const std::string& s : gsv(sent[i], static_cast<int>(i)))
                        burst += s;
            }
        } else if (name == "RMC")
            burst += rmc(t);
        else if (name == "ZDA")
            burst += zda(t);
    }
    return burst;
}

} // namespace velarin
