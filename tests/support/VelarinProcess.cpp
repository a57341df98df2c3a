#include "support/VelarinProcess.h"

namespace velarin::test {

VelarinProcess::VelarinProcess(const QStringList& arguments)
{
    process_.setProgram(QStringLiteral(VELARIN_APP_PATH));
    process_.setArguments(arguments);
    process_.start();
}

VelarinProcess::~VelarinProcess()
{
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

bool VelarinProcess::WaitForStderr(const QString& text)
{
    for (int i = 0; i < 200 && !stderr_.contains(text); ++i) {
        process_.waitForReadyRead(100);
        stderr_ += QString::fromUtf8(process_.readAllStandardError());
        if (process_.state() == QProcess::NotRunning) {
            stderr_ += QString::fromUtf8(process_.readAllStandardError());
            break;
        }
    }
    return stderr_.contains(text);
}

int VelarinProcess::Finish()
{
    process_.waitForFinished(20000);
    stderr_ += QString::fromUtf8(process_.readAllStandardError());
    stdout_ += QString::fromUtf8(process_.readAllStandardOutput());
    return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
}

int VelarinProcess::Terminate()
{
    process_.terminate();
    return Finish();
}

} // namespace velarin::test
