#include "app/core/ChildEndsWithParent.h"

#include <QProcess>
#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

namespace velarin {

void EndChildWithThisProcess(QProcess& process)
{
    const pid_t parent = getpid();
    // Runs in the child between fork and exec: only async-signal-safe calls.
    process.setChildProcessModifier([parent] {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        // Had the parent gone before the request, no signal would ever come.
        if (getppid() != parent)
            _exit(127);
    });
}

} // namespace velarin
