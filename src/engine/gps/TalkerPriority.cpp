#include "engine/gps/TalkerPriority.h"

namespace velarin {

bool TalkerPriority::Admit(Talker talker, int type, int64_t nowMilliseconds)
{
    if (talker == Talker::GP) {
        gpsDecoded_[type] = nowMilliseconds;
        gpsSeen_[type] = true;
        return true;
    }
    return !gpsSeen_[type] || nowMilliseconds - gpsDecoded_[type] >= kGpsPriorityMilliseconds;
}

void TalkerPriority::NoteTimeSentence(Talker talker, int64_t nowMilliseconds)
{
    if (talker == Talker::GP) {
        otherSinceGps_ = false;
        return;
    }
    if (!otherSinceGps_) {
        otherSinceGps_ = true;
        otherSince_ = nowMilliseconds;
    }
    lastOther_ = nowMilliseconds;
}

bool TalkerPriority::OnlyOtherTalkersSendTime(int64_t nowMilliseconds) const
{
    return otherSinceGps_ && nowMilliseconds - otherSince_ >= kOtherTalkersOnlyMilliseconds
        && nowMilliseconds - lastOther_ < kStillSendingMilliseconds;
}

} // namespace velarin
