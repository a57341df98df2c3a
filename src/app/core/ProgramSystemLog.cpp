#include "app/core/ProgramSystemLog.h"

namespace velarin {

ProgramSystemLog::ProgramSystemLog()
    : log_(clock_)
{
}

void ProgramSystemLog::OpenAtStartup(const std::string& path, std::FILE* out)
{
    if (path.empty())
        return;
    log_.OpenSystemLog(path);
    if (!log_.IsSystemLogOpen()) {
        std::fprintf(
            out, "velarin: cannot write the system log %s; logging stays off\n", path.c_str());
        std::fflush(out);
    }
}

} // namespace velarin
