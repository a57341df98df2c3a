#pragma once

#include "app/core/MainFrame.h"

#include <cstdio>

namespace velarin {

// The main frame of a run without a display: no tray and no windows; requests that would open
// a window are reported as a line on stderr.
class HeadlessMainFrame : public MainFrame {
public:
    explicit HeadlessMainFrame(std::FILE* out = stderr);
    void OnShowPropertiesRequest() override;

private:
    std::FILE* out_;
};

} // namespace velarin
