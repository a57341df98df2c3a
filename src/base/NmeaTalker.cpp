#include "base/NmeaTalker.h"

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
    static constexpr char kAddresses[kTalkers][3]
        = { "GP", "GN", "GL", "GA", "GB", "BD", "GQ", "GI" };
    for (int i = 0; i < kTalkers; ++i) {
        if (address[0] == kAddresses[i][0] && address[0] != '\0' && address[1] == kAddresses[i][1])
            return static_cast<Talker>(i);
    }
    return Talker::Other;
}

bool SystemOfTalker(Talker talker, SatelliteSystem& system)
{
    // In Talker order; GN speaks for no one system.
    static constexpr struct {
        bool one;
        SatelliteSystem system;
    } kSystems[kTalkers] = { { true, SatelliteSystem::Gps }, { false, SatelliteSystem::Gps },
        { true, SatelliteSystem::Glonass }, { true, SatelliteSystem::Galileo },
        { true, SatelliteSystem::BeiDou }, { true, SatelliteSystem::BeiDou },
        { true, SatelliteSystem::Qzss }, { true, SatelliteSystem::NavIC } };
    const auto index = static_cast<unsigned>(talker);
    if (index >= kTalkers || !kSystems[index].one)
        return false;
    system = kSystems[index].system;
    return true;
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
