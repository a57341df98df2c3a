#pragma once

#include <string>

namespace velarin::testing {

// The bytes of a receiver capture in the shared nmea-logs folder; empty when it cannot be found
// (tests then skip). The folder is looked for in $VELARIN_SHARED_DIR, beside the source tree, and
// beside the folder of worktrees that holds the source tree.
std::string ReadNmeaCapture(const std::string& name);

} // namespace velarin::testing
