#pragma once

#include <string_view>

namespace velarin {

// Help is opened at context numbers: 0x20000 + the template id of the page or dialog whose
// "Help" button was pressed, plus the program's own help commands. Each number lands on one
// anchor of the HTML help pages.
inline constexpr int kHelpContextBase = 0x20000;
inline constexpr int kHelpContextContents = 0; // "Help Topics...", F1 and the default help

struct HelpTopic {
    int context;
    std::string_view page; // file below the help folder
    std::string_view anchor; // fragment inside it (empty: top of the page)
};

// The topic for a context number; an unknown number opens the contents.
HelpTopic HelpTopicFor(int context);

} // namespace velarin
