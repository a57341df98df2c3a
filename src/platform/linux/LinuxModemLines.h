#pragma once

#include "platform/SerialDevice.h"

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <pthread.h>

namespace velarin {

// The modem-line side of a Linux serial device (CTS/DSR/DCD changes for the 1PPS wait). Given the
// descriptor while the device is open; Detach ends every wait before the descriptor is closed.
//
// A wait sleeps in TIOCMIWAIT, so the edge wakes it straight from the driver's interrupt
// (tens of microseconds, where polling every millisecond would add half a millisecond on
// average). TIOCMIWAIT cannot be woken otherwise, so cancelling and the time-out interrupt it
// with a signal whose handler does nothing, repeated until the waiter has left (a signal that
// lands just before the call would be lost). The driver's interrupt counters (TIOCGICOUNT) say
// whether the line changed since the mask was set or the last wait ended.
class LinuxModemLines {
public:
    void Attach(int fd);
    void Detach();

    bool SetEventMask(uint32_t mask);
    LineEventResult WaitLineEvent(int timeoutMs);
    bool GetModemStatus(uint32_t& status);
    void CancelWaits();

private:
    bool readCount(int fd, uint32_t mask, int& count) const;
    // Signals the waiter until it has left; the lock is held on entry and on return.
    void interruptWaiter(std::unique_lock<std::mutex>& lock);

    std::mutex mutex_;
    std::condition_variable waiterLeft_;
    int fd_ = -1;
    uint32_t mask_ = 0;
    int lastCount_ = 0;
    bool waiting_ = false;
    pthread_t waiter_ {};
    unsigned cancelGeneration_ = 0;
};

} // namespace velarin
