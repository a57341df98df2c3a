#pragma once

#include "base/SystemTime.h"

#include <string>
#include <vector>

namespace velarin {

// The sentences a GPS receiver sends in one second: valid, checksummed NMEA 0183 for a fixed
// position, with the receiver's time and the chosen fix quality and satellite count.
class SimulatedReceiver {
public:
    struct Options {
        std::vector<std::string> sentences { "GGA", "GSA", "GSV", "RMC", "ZDA" };
        int satellites = 8; // in use and in view, 0..12
        int quality = 1; // GGA fix quality digit
    };

    explicit SimulatedReceiver(Options options);

    // The burst for the receiver time given (UTC, with its milliseconds as the fraction).
    std::string Burst(const SystemTime& receiverTime) const;

    // "$" + body + "*" + two hex digits of the XOR checksum + CR LF.
    static std::string Sentence(const std::string& body);

private:
    std::string gga(const SystemTime& t) const;
    std::string gsa() const;
    std::vector<std::string> gsv() const;
    std::string rmc(const SystemTime& t) const;
    std::string zda(const SystemTime& t) const;

    Options options_;
};

} // namespace velarin
