#pragma once

#include "base/NmeaTalker.h"

#include <cstdint>

namespace velarin {

// Which talkers' sentences are decoded when every talker is accepted, and whether a receiver is
// heard sending its time only under other talkers than GP.
class TalkerPriority {
public:
    static constexpr int kSentenceTypes = 6; // GGA, GSA, GSV, RMB, RMC, ZDA
    // GP sentences win over the others of their type for this long after the last one, so a
    // receiver that sends GP is read as it always was.
    static constexpr int64_t kGpsPriorityMilliseconds = 5000;
    // Time from other talkers only, for this long, is worth telling the user about.
    static constexpr int64_t kOtherTalkersOnlyMilliseconds = 10000;
    // ... as long as the receiver is still sending (the no-data limit).
    static constexpr int64_t kStillSendingMilliseconds = 4000;

    // A sentence of one of the six types from a known talker: true when it is to be decoded.
    bool Admit(Talker talker, int type, int64_t nowMilliseconds);

    // A GGA, RMC or ZDA from a known talker, decoded or not.
    void NoteTimeSentence(Talker talker, int64_t nowMilliseconds);
    // Time has come from other talkers only, and for a while.
    bool OnlyOtherTalkersSendTime(int64_t nowMilliseconds) const;

private:
    int64_t gpsDecoded_[kSentenceTypes] = {};
    bool gpsSeen_[kSentenceTypes] = {};
    bool otherSinceGps_ = false;
    int64_t otherSince_ = 0;
    int64_t lastOther_ = 0;
};

} // namespace velarin
