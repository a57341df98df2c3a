#include "engine/frame/NmeaCapture.h"

#include "engine/gps/SerialPort.h"

namespace velarin::nmeacapture {

ToggleOutcome ToggleNmeaCapture(CSerialPort& port, const AskPath& askPath)
{
    if (port.IsCaptureOpen()) {
        port.CloseCaptureFile();
        return ToggleOutcome::Closed;
    }
    const std::optional<std::string> path = askPath ? askPath() : std::nullopt;
    if (!path || path->empty())
        return ToggleOutcome::Cancelled;
    return port.OpenCaptureFile(*path) ? ToggleOutcome::Opened : ToggleOutcome::OpenFailed;
}

} // namespace velarin::nmeacapture
