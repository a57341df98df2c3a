#pragma once

#include "engine/AppState.h"
#include "engine/clockset/GpsTimeSource.h"
#include "engine/gps/CNmeaParser.h"

namespace velarin {

// The decoder as the clock setting sees it: the time of the sentence that "UseTimrFrom" names
// and the decoder's new-second notification.
class ParserTimeSource : public GpsTimeSource {
public:
    ParserTimeSource(CNmeaParser& parser, const AppState& app);

    std::optional<SystemTime> GetReceiverTime() override;
    uint64_t UpdateSequence() override;
    uint64_t WaitForUpdate(uint64_t seen, std::chrono::milliseconds timeout) override;
    void WakeWaiters() override;

private:
    CNmeaParser& parser_;
    const AppState& app_;
};

} // namespace velarin
