#include "engine/frame/HelpContexts.h"

#include <algorithm>
#include <array>

namespace velarin {
namespace {

constexpr std::array kTopics {
    HelpTopic { kHelpContextContents, "index.html", "" },
    // property pages
    HelpTopic { kHelpContextBase + 118, "properties.html", "h131190" },
    HelpTopic { kHelpContextBase + 104, "properties.html", "h131176" },
    HelpTopic { kHelpContextBase + 105, "properties.html", "h131177" },
    HelpTopic { kHelpContextBase + 106, "properties.html", "h131178" },
    HelpTopic { kHelpContextBase + 107, "properties.html", "h131179" },
    HelpTopic { kHelpContextBase + 116, "properties.html", "h131188" },
    HelpTopic { kHelpContextBase + 117, "properties.html", "h131189" },
    HelpTopic { kHelpContextBase + 323, "irig.html", "h131395" },
    HelpTopic { kHelpContextBase + 110, "license.html", "h131182" },
    // dialogs
    HelpTopic { kHelpContextBase + 143, "index.html", "h131215" },
    HelpTopic { kHelpContextBase + 148, "properties.html", "h131220" },
    HelpTopic { kHelpContextBase + 151, "properties.html", "h131223" },
    HelpTopic { kHelpContextBase + 157, "properties.html", "h131229" },
    HelpTopic { kHelpContextBase + 145, "clock.html", "h131217" },
    HelpTopic { kHelpContextBase + 150, "clock.html", "h131222" },
    HelpTopic { kHelpContextBase + 167, "clock.html", "h131239" },
    HelpTopic { kHelpContextBase + 159, "index.html", "h131231" },
};

} // namespace

HelpTopic HelpTopicFor(int context)
{
    const auto it = std::find_if(kTopics.begin(), kTopics.end(),
        [context](const HelpTopic& t) { return t.context == context; });
    return it != kTopics.end() ? *it : kTopics.front();
}

} // namespace velarin
