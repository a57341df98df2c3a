#include "platform/PpsCapture.h"

namespace velarin {

std::optional<int64_t> TakePpsEdge(PpsEdge edge, const PpsCapture& now, PpsCapture& seen)
{
    const bool asserted = now.assertSequence != seen.assertSequence && edge != PpsEdge::Clear;
    const bool cleared = now.clearSequence != seen.clearSequence && edge != PpsEdge::Assert;
    if (!asserted && !cleared)
        return std::nullopt;
    const bool useAssert
        = asserted && (!cleared || now.assertUtcMicroseconds >= now.clearUtcMicroseconds);
    seen = now;
    return useAssert ? now.assertUtcMicroseconds : now.clearUtcMicroseconds;
}

} // namespace velarin
