#pragma once

#include <string>

namespace velarin {

// The message shown when the GPS link's device cannot be opened, chosen from the errno value of
// the failed open: missing device, device in use or not permitted, anything else with its code.
std::string SerialOpenErrorText(int errorCode);

} // namespace velarin
