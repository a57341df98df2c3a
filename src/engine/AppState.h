#pragma once

#include <atomic>
#include <cstdint>
#include <limits>
#include <mutex>
#include <string>

namespace velarin {

// The application-wide values, owned by CVelarinApp and handed by reference to whoever needs
// them. Values read across threads are atomic; the two strings are copied under a
// small lock so that a reader always sees one whole value.
class AppState {
public:
    // Start-up settings (loaded by CVelarinApp, then kept in step by the pages that edit them).
    std::atomic<uint16_t> timeUpdateRate { 60 };
    std::atomic<int> useTimrFrom { 0 };
    std::atomic<int> tlGpsGood { 1 };
    std::atomic<uint16_t> tlSats { 3 };
    std::atomic<int> useNetworkTime { 0 };
    std::atomic<int> timeServerPort { 13 };
    std::atomic<int> enableSetBeep { 0 };
    std::atomic<uint32_t> clockEnableSegColor { 0xFF0000 };
    std::atomic<uint32_t> clockDisableSegColor { 0x400000 };
    std::atomic<int> onePpsInput { 0 };
    std::atomic<int> acceptAllTalkers { 1 };

    // Flags of the running program.
    std::atomic<int> timeReferenceUsable { 0 };
    std::atomic<int> noDataFlag { 0 };
    std::atomic<int> networkFailure { 0 };

    // What the rate correction knows, for the clock update page: the PC clock's own rate error
    // in ppm (positive: it runs fast), NaN while it is being learnt.
    enum class ClockRateState { Learning, Measured, OtherService, Unavailable };
    std::atomic<ClockRateState> clockRateState { ClockRateState::Learning };
    std::atomic<double> clockRatePpm { std::numeric_limits<double>::quiet_NaN() };

    // The digital clock's current segment colours (0x00BBGGRR), shared with the colour dialogs
    // and the time page.
    std::atomic<uint32_t> clockActiveSegColor { 0x00FF00 };
    std::atomic<uint32_t> clockInactiveSegColor { 0x004000 };

    std::string CurrentTimeServer() const;
    void SetCurrentTimeServer(std::string server);

    // The kernel PPS device the 1PPS wait takes its edges from ("/dev/pps0"), or empty when it
    // watches the serial line itself. Written by the set-time worker, read by the status page.
    std::string KernelPpsSource() const;
    void SetKernelPpsSource(std::string device);

private:
    mutable std::mutex textMutex_;
    std::string currentTimeServer_;
    std::string kernelPpsSource_;
};

} // namespace velarin
