#pragma once

#include <cstdint>

namespace velarin {

// The satellite systems a multi-system receiver reports. GPS is 0, so a record that never heard
// of the others reads as GPS throughout.
enum class SatelliteSystem : uint8_t { Gps = 0, Glonass, Galileo, BeiDou, Qzss, NavIC };
inline constexpr int kSatelliteSystems = 6;

// "GPS", "GLONASS", "Galileo", "BeiDou", "QZSS", "NavIC".
const char* SatelliteSystemName(SatelliteSystem system);
// The one-letter mark before a PRN: none for GPS, then R, E, C, J, I.
const char* SatelliteSystemLetter(SatelliteSystem system);

// The first two characters of a sentence address. GP is the GPS talker; GN speaks for the
// combined solution; the others speak for one system each (BD is the older BeiDou talker).
enum class Talker : uint8_t { GP = 0, GN, GL, GA, GB, BD, GQ, GI, Other };
inline constexpr int kTalkers = 8; // the known ones, before Other

Talker TalkerOf(const char* address);

// The system a one-system talker speaks for; GN and Other speak for none (false).
bool SystemOfTalker(Talker talker, SatelliteSystem& system);

// A PRN of a combined (GN) sentence, by the ranges receivers number the systems in: 65..96
// GLONASS, 193..200 QZSS, 201..263 and 401..463 BeiDou, 301..336 Galileo, the rest GPS (with
// SBAS 33..64, as the GPS talker lists it).
SatelliteSystem SystemOfCombinedPrn(int prn);

// The system id field of a GSA sentence (1 GPS ... 6 NavIC); false for any other value.
bool SystemOfGsaId(int id, SatelliteSystem& system);

} // namespace velarin
