#pragma once

namespace velarin {

class CSerialPort;
class SystemLog;

// Brings back the link to a receiver that was unplugged and plugged in again. Checked once a
// second: a lost link is tried again quietly (no busy loop while the receiver is away), and the
// system log gets one line when the receiver goes and one when it is back.
class SerialLinkWatch {
public:
    SerialLinkWatch(CSerialPort& port, SystemLog& log);

    void Check();

private:
    CSerialPort& port_;
    SystemLog& log_;
    bool reportedLost_ = false;
};

} // namespace velarin
