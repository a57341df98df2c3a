#pragma once

#include "base/NmeaTalker.h"
#include "engine/gps/GpsRecord.h"

#include <cstdint>

namespace velarin {

// The sky of a multi-system receiver: it sends one GSV sequence per talker (and, from NMEA 4.10
// on, one per signal band), and one GSA per system for the satellites in use. Each sequence is
// kept apart as the receiver sends it; the merged view lists them all, GPS first.
class SatellitesInView {
public:
    static constexpr int kSequences = 8;
    static constexpr int kMaxUsed = 72; // six systems' GSA lists
    // A sequence the receiver stopped sending leaves the view once the others are this much
    // newer; a receiver that sends only one sequence keeps it, as a GPS receiver always did.
    static constexpr int64_t kStaleMilliseconds = 5000;

    void Clear();

    // The GSA sentences sent together make one set: a GSA that does not follow another one
    // starts the set afresh.
    void BeginUsedSet() { usedCount_ = 0; }
    void AddUsed(SatelliteSystem system, uint16_t prn);
    bool IsUsed(SatelliteSystem system, uint16_t prn) const;

    // The sequence of one talker and signal band, refreshed now; the oldest gives way when all
    // are taken.
    GsvData& Sequence(Talker talker, int signal, int64_t nowMilliseconds);

    // All live sequences into one list: the systems' satellites-in-view counts added up (for a
    // system sent on several bands, its largest), each satellite once. A single sequence is
    // copied exactly as it stands (only the four entries from `changed` on when it was the
    // single one last time too). Several are merged when a sequence is complete, so the view
    // never shows half of one. The count of out is left alone.
    void Merge(GsvData& out, int changed, bool sequenceComplete);

private:
    struct UsedSatellite {
        SatelliteSystem system;
        uint16_t prn;
    };
    struct Slot {
        bool active = false;
        Talker talker = Talker::Other;
        int signal = 0;
        int64_t refreshed = 0;
        GsvData data;
    };

    int LiveSlotsInOrder(int* order);

    UsedSatellite used_[kMaxUsed] = {};
    int usedCount_ = 0;
    Slot slots_[kSequences];
    int mergedSize_ = 0; // entries of the last merge that may hold a satellite
    int singleSlot_ = -1; // the slot copied whole by the last merge, if any
};

} // namespace velarin
