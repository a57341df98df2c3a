#include "engine/frame/SerialLinkWatch.h"

#include "engine/frame/SystemLog.h"
#include "engine/gps/SerialPort.h"

namespace velarin {

SerialLinkWatch::SerialLinkWatch(CSerialPort& port, SystemLog& log)
    : port_(port)
    , log_(log)
{
}

void SerialLinkWatch::Check()
{
    if (!port_.IsLost()) {
        reportedLost_ = false;
        return;
    }
    if (!reportedLost_) {
        log_.WriteSystemLog("GPS receiver on " + port_.DevicePath() + " disconnected");
        reportedLost_ = true;
    }
    if (port_.ReconnectIfLost()) {
        log_.WriteSystemLog("GPS receiver on " + port_.DevicePath() + " reconnected");
        reportedLost_ = false;
    }
}

} // namespace velarin
