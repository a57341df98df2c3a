#include "platform/linux/LinuxModemLines.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <linux/serial.h>
#include <mutex>
#include <sys/ioctl.h>
#include <thread>

namespace velarin {

namespace {

// A real-time signal nobody else in the program uses; its handler only makes the blocked
// ioctl return EINTR.
int interruptSignal()
{
    static const int signal = SIGRTMIN + 7;
    return signal;
}

void installInterruptHandler()
{
    static std::once_flag once;
    std::call_once(once, [] {
        struct sigaction action { };
        action.sa_handler = [](int) {};
        sigemptyset(&action.sa_mask);
        action.sa_flags = 0; // no SA_RESTART: the wait must come back
        sigaction(interruptSignal(), &action, nullptr);
    });
}

constexpr auto kResignalInterval = std::chrono::milliseconds(2);

} // namespace

void LinuxModemLines::Attach(int fd)
{
    installInterruptHandler();
    std::lock_guard lock(mutex_);
    fd_ = fd;
    mask_ = 0;
}

void LinuxModemLines::Detach()
{
    std::unique_lock lock(mutex_);
    ++cancelGeneration_;
    interruptWaiter(lock);
    fd_ = -1;
    mask_ = 0;
}

bool LinuxModemLines::readCount(int fd, uint32_t mask, int& count) const
{
    serial_icounter_struct counters {};
    if (::ioctl(fd, TIOCGICOUNT, &counters) != 0)
        return false;
    switch (mask) {
    case kLineEventCts:
        count = counters.cts;
        return true;
    case kLineEventDsr:
        count = counters.dsr;
        return true;
    case kLineEventDcd:
        count = counters.dcd;
        return true;
    default:
        return false;
    }
}

bool LinuxModemLines::SetEventMask(uint32_t mask)
{
    std::lock_guard lock(mutex_);
    if (fd_ < 0)
        return false;
    int count = 0;
    // Devices without interrupt counters (pseudo-terminals, some adapters) cannot report edges.
    if (!readCount(fd_, mask, count))
        return false;
    mask_ = mask;
    lastCount_ = count;
    return true;
}

LineEventResult LinuxModemLines::WaitLineEvent(int timeoutMs)
{
    std::unique_lock lock(mutex_);
    if (fd_ < 0 || mask_ == 0 || waiting_)
        return LineEventResult::Failed;
    const int fd = fd_;
    const uint32_t mask = mask_;
    const unsigned generation = cancelGeneration_;
    waiting_ = true;
    waiter_ = pthread_self();

    // The time-out is one more interrupter: a helper that signals the waiter at the deadline.
    bool timedOut = false;
    bool finished = false;
    std::condition_variable finishedChanged;
    std::thread timer;
    if (timeoutMs >= 0) {
        const auto deadline
            = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        timer = std::thread([&, deadline] {
            std::unique_lock timerLock(mutex_);
            if (finishedChanged.wait_until(timerLock, deadline, [&] { return finished; }))
                return;
            timedOut = true;
            interruptWaiter(timerLock);
        });
    }

    LineEventResult result = LineEventResult::Failed;
    for (;;) {
        if (cancelGeneration_ != generation) {
            result = LineEventResult::Cancelled;
            break;
        }
        if (timedOut) {
            result = LineEventResult::TimedOut;
            break;
        }
        int count = 0;
        if (!readCount(fd, mask, count))
            break;
        if (count != lastCount_) {
            lastCount_ = count;
            result = LineEventResult::Changed;
            break;
        }
        lock.unlock();
        const int bits = mask == kLineEventCts ? TIOCM_CTS
            : mask == kLineEventDsr            ? TIOCM_DSR
                                               : TIOCM_CD;
        const int rc = ::ioctl(fd, TIOCMIWAIT, bits);
        const int error = errno;
        lock.lock();
        if (rc != 0 && error != EINTR)
            break; // the device has gone, or cannot wait for lines
    }

    finished = true;
    waiting_ = false;
    finishedChanged.notify_all();
    waiterLeft_.notify_all();
    lock.unlock();
    if (timer.joinable())
        timer.join();
    return result;
}

void LinuxModemLines::interruptWaiter(std::unique_lock<std::mutex>& lock)
{
    while (waiting_) {
        pthread_kill(waiter_, interruptSignal());
        waiterLeft_.wait_for(lock, kResignalInterval);
    }
}

bool LinuxModemLines::GetModemStatus(uint32_t& status)
{
    std::lock_guard lock(mutex_);
    int bits = 0;
    if (fd_ < 0 || ::ioctl(fd_, TIOCMGET, &bits) != 0)
        return false;
    status = ((bits & TIOCM_CTS) ? kModemStatusCtsOn : 0u)
        | ((bits & TIOCM_DSR) ? kModemStatusDsrOn : 0u)
        | ((bits & TIOCM_CD) ? kModemStatusDcdOn : 0u);
    return true;
}

void LinuxModemLines::CancelWaits()
{
    std::unique_lock lock(mutex_);
    ++cancelGeneration_;
    interruptWaiter(lock);
}

} // namespace velarin
