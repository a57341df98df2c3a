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

std::string SimulatedReceiver::gga(const SystemTime& t) const
{
    char body[192];
    std::snprintf(body, sizeof body, "GPGGA,%s,4807.038,N,01131.000,E,%d,%02d,0.9,545.4,M,46.9,M,,",
        timeField(t).c_str(), options_.quality, options_.satellites);
    return Sentence(body);
}

std::string SimulatedReceiver::gsa() const
{
    std::string body = options_.quality > 0 ? "GPGSA,A,3" : "GPGSA,A,1";
    for (int i = 0; i < 12; ++i) {
        body += ',';
        if (i < options_.satellites && options_.quality > 0) {
            char prn[8];
            std::snprintf(prn, sizeof prn, "%02d", kSky[i].prn);
            body += prn;
        }
    }
    body += ",1.8,0.9,1.5";
    return Sentence(body);
}

std::vector<std::string> SimulatedReceiver::gsv() const
{
    const int count = options_.satellites;
    const int messages = std::max(1, (count + 3) / 4);
    std::vector<std::string> result;
    for (int m = 0; m < messages; ++m) {
        char head[48];
        std::snprintf(head, sizeof head, "GPGSV,%d,%d,%02d", messages, m + 1, count);
        std::string body = head;
        for (int i = m * 4; i < std::min(count, m * 4 + 4); ++i) {
            char entry[64];
            std::snprintf(entry, sizeof entry, ",%02d,%02d,%03d,%02d", kSky[i].prn,
                kSky[i].elevation, kSky[i].azimuth, kSky[i].snr);
            body += entry;
        }
        result.push_back(Sentence(body));
    }
    return result;
}

std::string SimulatedReceiver::rmc(const SystemTime& t) const
{
    char body[192];
    std::snprintf(body, sizeof body,
        "GPRMC,%s,%c,4807.038,N,01131.000,E,0.0,0.0,%02d%02d%02d,1.5,W", timeField(t).c_str(),
        options_.quality > 0 ? 'A' : 'V', t.day, t.month, t.year % 100);
    return Sentence(body);
}

std::string SimulatedReceiver::zda(const SystemTime& t) const
{
    char body[128];
    std::snprintf(body, sizeof body, "GPZDA,%s,%02d,%02d,%04d,00,00", timeField(t).c_str(), t.day,
        t.month, t.year);
    return Sentence(body);
}

std::string SimulatedReceiver::Burst(const SystemTime& t) const
{
    std::string burst;
    for (const std::string& name : options_.sentences) {
        if (name == "GGA")
            burst += gga(t);
        else if (name == "GSA")
            burst += gsa();
        else if (name == "GSV")
            for (const std::string& s : gsv())
                burst += s;
        else if (name == "RMC")
            burst += rmc(t);
        else if (name == "ZDA")
            burst += zda(t);
    }
    return burst;
}

} // namespace velarin
