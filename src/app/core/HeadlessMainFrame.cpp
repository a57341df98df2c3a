#include "app/core/HeadlessMainFrame.h"

namespace velarin {

HeadlessMainFrame::HeadlessMainFrame(std::FILE* out)
    : out_(out)
{
}

void HeadlessMainFrame::OnShowPropertiesRequest()
{
    std::fprintf(out_, "velarin: show properties requested by another copy (0x401)\n");
    std::fflush(out_);
}

} // namespace velarin
