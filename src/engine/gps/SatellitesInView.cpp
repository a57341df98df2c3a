#include "engine/gps/SatellitesInView.h"

#include <algorithm>

namespace velarin {

void SatellitesInView::Clear()
{
    usedCount_ = 0;
    for (Slot& slot : slots_)
        slot = Slot {};
    mergedSize_ = 0;
    singleSlot_ = -1;
}

void SatellitesInView::AddUsed(SatelliteSystem system, uint16_t prn)
{
    if (usedCount_ < kMaxUsed && !IsUsed(system, prn))
        used_[usedCount_++] = { system, prn };
}

bool SatellitesInView::IsUsed(SatelliteSystem system, uint16_t prn) const
{
    for (int i = 0; i < usedCount_; ++i) {
        if (used_[i].prn == prn && used_[i].system == system)
            return true;
    }
    return false;
}

GsvData& SatellitesInView::Sequence(Talker talker, int signal, int64_t nowMilliseconds)
{
    Slot* free = nullptr;
    Slot* oldest = nullptr;
    for (Slot& slot : slots_) {
        if (slot.active && slot.talker == talker && slot.signal == signal) {
            slot.refreshed = nowMilliseconds;
            return slot.data;
        }
        if (!slot.active)
            free = free != nullptr ? free : &slot;
        else if (oldest == nullptr || slot.refreshed < oldest->refreshed)
            oldest = &slot;
    }
    Slot& chosen = free != nullptr ? *free : *oldest;
    chosen = Slot { true, talker, signal, nowMilliseconds, GsvData {} };
    singleSlot_ = -1;
    return chosen.data;
}

int SatellitesInView::LiveSlotsInOrder(int* order)
{
    int64_t newest = 0;
    bool any = false;
    // Most receivers send one sequence: it stays in slot 0 and the rest are empty.
    if (slots_[0].active && !slots_[1].active) {
        bool alone = true;
        for (int i = 2; i < kSequences && alone; ++i)
            alone = !slots_[i].active;
        if (alone) {
            order[0] = 0;
            return 1;
        }
    }
    for (const Slot& slot : slots_) {
        if (slot.active && (!any || slot.refreshed > newest)) {
            newest = slot.refreshed;
            any = true;
        }
    }
    int count = 0;
    for (int i = 0; i < kSequences; ++i) {
        Slot& slot = slots_[i];
        if (!slot.active)
            continue;
        if (newest - slot.refreshed > kStaleMilliseconds) {
            slot.active = false;
            continue;
        }
        order[count++] = i;
    }
    // GPS first, then the talkers in their fixed order; a talker's bands by signal id.
    std::sort(order, order + count, [this](int a, int b) {
        const Slot& x = slots_[a];
        const Slot& y = slots_[b];
        return x.talker != y.talker ? x.talker < y.talker : x.signal < y.signal;
    });
    return count;
}

void SatellitesInView::Merge(GsvData& out, int changed, bool sequenceComplete)
{
    if (!sequenceComplete && singleSlot_ < 0) {
        int active = 0;
        for (const Slot& slot : slots_)
            active += slot.active ? 1 : 0;
        if (active > 1)
            return;
    }
    int order[kSequences];
    const int live = LiveSlotsInOrder(order);
    const int previousSize = mergedSize_;
    if (live == 1) {
        const GsvData& only = slots_[order[0]].data;
        out.inView = only.inView;
        // A GPS-only receiver pays for its four new entries, not for the whole list.
        if (singleSlot_ == order[0] && changed >= 0 && changed + 4 <= GsvData::kSequenceSatellites)
            std::copy_n(only.satellites + changed, 4, out.satellites + changed);
        else
            std::copy_n(only.satellites, GsvData::kSequenceSatellites, out.satellites);
        singleSlot_ = order[0];
        mergedSize_ = GsvData::kSequenceSatellites;
    } else {
        singleSlot_ = -1;
        int size = 0;
        unsigned total = 0;
        unsigned bandMaximum = 0;
        for (int k = 0; k < live; ++k) {
            const Slot& slot = slots_[order[k]];
            const bool anotherBand = k > 0 && slots_[order[k - 1]].talker == slot.talker;
            const int listed = std::min<int>(slot.data.inView, GsvData::kSequenceSatellites);
            // A system sent on several bands counts with its largest list.
            if (!anotherBand) {
                total += slot.data.inView;
                bandMaximum = slot.data.inView;
            } else if (slot.data.inView > bandMaximum) {
                total += slot.data.inView - bandMaximum;
                bandMaximum = slot.data.inView;
            }
            for (int e = 0; e < listed; ++e) {
                const SatelliteInfo& satellite = slot.data.satellites[e];
                if (satellite.prn == 0)
                    continue;
                SatelliteInfo* same = nullptr;
                for (int i = 0; anotherBand && i < size && same == nullptr; ++i) {
                    if (out.satellites[i].prn == satellite.prn
                        && out.satellites[i].system == satellite.system)
                        same = &out.satellites[i];
                }
                if (same != nullptr) {
                    same->snr = std::max(same->snr, satellite.snr);
                    same->used |= satellite.used;
                } else if (size < GsvData::kMaxSatellites) {
                    out.satellites[size++] = satellite;
                }
            }
        }
        out.inView = static_cast<uint16_t>(total);
        mergedSize_ = size;
    }
    for (int i = mergedSize_; i < previousSize; ++i)
        out.satellites[i] = SatelliteInfo {};
}

} // namespace velarin
