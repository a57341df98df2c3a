#include "app/core/ClockedMainFrame.h"

namespace velarin {

ClockedMainFrame::ClockedMainFrame(
    CVelarinApp& app, SystemClock& clock, ThreadPriority& priority, Connectivity& connectivity)
    : core_(app, clock, priority, connectivity)
{
    core_.Start();
}

} // namespace velarin
