#pragma once

#include "base/NmeaTalker.h"
#include "base/SystemTime.h"

#include <string>
#include <vector>

namespace velarin {

// The sentences a GPS receiver sends in one second: valid, checksummed NMEA 0183 for a fixed
// position, with the receiver's time and the chosen fix quality and satellite count. A GN
// receiver, as sold today, sends its time as GN, one GNGSA per system (with the system id of
// NMEA 4.10) and one GSV sequence per system under that system's talker; a GP receiver sends
// GPS alone, as older receivers did.
class SimulatedReceiver {
public:
    struct Options {
        std::vector<std::string> sentences { "GGA", "GSA", "GSV", "RMC", "ZDA" };
        int satellites = 8; // in use and in view, 0..12
        int quality = 1; // GGA fix quality digit
        bool combined = true; // GN; false: GP
        std::vector<SatelliteSystem> systems { SatelliteSystem::Gps, SatelliteSystem::Glonass,
            SatelliteSystem::Galileo, SatelliteSystem::BeiDou };
    };

    explicit SimulatedReceiver(Options options);

    // The burst for the receiver time given (UTC, with its milliseconds as the fraction).
    std::string Burst(const SystemTime& receiverTime) const;

    // "$" + body + "*" + two hex digits of the XOR checksum + CR LF.
    static std::string Sentence(const std::string& body);

private:
    std::string gga(const SystemTime& t) const;
    std::string gsa(SatelliteSystem system, int systemIndex) const;
    std::vector<std::string> gsv(SatelliteSystem system, int systemIndex) const;
    // The systems sent: GPS alone from a GP receiver.
    std::vector<SatelliteSystem> systems() const;
    int satellitesInUse() const;
    std::string rmc(const SystemTime& t) const;
    std::string zda(const SystemTime& t) const;

    const char* talker() const { return options_.combined ? "GN" : "GP"; }

    Options options_;
};

} // namespace velarin
