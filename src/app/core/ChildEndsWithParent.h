#pragma once

class QProcess;

namespace velarin {

// Makes the child that `process` starts next end with this process, however this one ends
// (SIGKILL and a test's time-out included): the kernel sends the child SIGTERM when the thread
// that calls QProcess::start goes, so start such children from a thread that lives as long as
// they should (the UI thread).
void EndChildWithThisProcess(QProcess& process);

} // namespace velarin
