#include "engine/clockset/ParserTimeSource.h"

namespace velarin {

ParserTimeSource::ParserTimeSource(CNmeaParser& parser, const AppState& app)
    : parser_(parser)
    , app_(app)
{
}

std::optional<SystemTime> ParserTimeSource::GetReceiverTime()
{
    return parser_.GetReceiverTime(app_);
}

uint64_t ParserTimeSource::UpdateSequence()
{
    return parser_.GetTimeGeneration();
}

uint64_t ParserTimeSource::WaitForUpdate(uint64_t seen, std::chrono::milliseconds timeout)
{
    return parser_.WaitForNewSecond(seen, timeout);
}

void ParserTimeSource::WakeWaiters()
{
    parser_.WakeWaiters();
}

} // namespace velarin
