#pragma once

namespace velarin {

// Parses the command line, starts the program and runs its event loop; the process's exit code.
int RunVelarin(int argc, char** argv);

} // namespace velarin
