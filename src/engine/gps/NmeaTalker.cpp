#include "engine/gps/NmeaTalker.h"

namespace velarin {

const char* SatelliteSystemName(SatelliteSystem system)
{
    static constexpr const char* kNames[kSatelliteSystems]
        = { "GPS", "GLONASS", "Galileo", "BeiDou", "QZSS", "NavIC" };
    const auto index = static_cast<unsigned>(system);
    return index < kSatelliteSystems ? kNames[index] : "";
}

const char* SatelliteSystemLetter(SatelliteSystem system)
{
    static constexpr const char* kLetters[kSatelliteSystems] = { "", "R", "E", "C", "J", "I" };
    const auto index = static_cast<unsigned>(system);
    return index < kSatelliteSystems ? kLetters[index] : "";
}

Talker TalkerOf(const char* address)
{
    if (address[0] == 'B' && address[1] == 'D')
        return Talker::BD;
    if (address[0] != 'G')
        return Talker::Other;
    switch (address[1]) {
    case 'P':
        return Talker::GP;
    case 'N':
        return Talker::GN;
    case 'L':
        return Talker::GL;
    case 'A':
        return Talker::GA;
    case 'B':
        return Talker::GB;
    case 'Q':
        return Talker::GQ;
    case 'I':
        return Talker::GI;
    default:
        return Talker::Other;
    }
}

bool SystemOfTalker(Talker talker, SatelliteSystem& system)
{
    switch (talker) {
    case Talker::GP:
        system = SatelliteSystem::Gps;
        return true;
    case Talker::GL:
        system = SatelliteSystem::Glonass;
        return true;
    case Talker::GA:
        system = SatelliteSystem::Galileo;
        return true;
    case Talker::GB:
    case Talker::BD:
        system = SatelliteSystem::BeiDou;
        return true;
    case Talker::GQ:
        system = SatelliteSystem::Qzss;
        return true;
    case Talker::GI:
        system = SatelliteSystem::NavIC;
        return true;
    default:
        return false;
    }
}

SatelliteSystem SystemOfCombinedPrn(int prn)
{
    if (prn >= 65 && prn <= 96)
        return SatelliteSystem::Glonass;
    if (prn >= 193 && prn <= 200)
        return SatelliteSystem::Qzss;
    if ((prn >= 201 && prn <= 263) || (prn >= 401 && prn <= 463))
        return SatelliteSystem::BeiDou;
    if (prn >= 301 && prn <= 336)
        return SatelliteSystem::Galileo;
    return SatelliteSystem::Gps;
}

bool SystemOfGsaId(int id, SatelliteSystem& system)
{
    if (id < 1 || id > kSatelliteSystems)
        return false;
    system = static_cast<SatelliteSystem>(id - 1);
    return true;
}

} // namespace velarin
