#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace velarin {

// Modem-line event masks (the values stored under "Line") and modem status bits.
inline constexpr uint32_t kLineEventCts = 8;
inline constexpr uint32_t kLineEventDsr = 16;
inline constexpr uint32_t kLineEventDcd = 32;
inline constexpr uint32_t kModemStatusCtsOn = 0x10;
inline constexpr uint32_t kModemStatusDsrOn = 0x20;
inline constexpr uint32_t kModemStatusDcdOn = 0x80;

// The pulse edges a kernel PPS source time-stamps: assert is the line going active (high).
enum class PpsEdge { Assert, Clear, Any };

enum class LineEventResult {
    Changed, // the watched line changed (since the mask was set, the last wait, or now)
    TimedOut, // no change within the time given
    Cancelled, // CancelWaits was called
    Failed, // the device is closed, gone, or cannot report line changes
};

// One serial device, opened by path. The Linux implementation uses termios and the modem-line
// ioctls; the simulated one is fed by tests and can raise line edges on a schedule.
// Read and the line-event wait may run at the same time on different threads.
class SerialDevice {
public:
    virtual ~SerialDevice() = default;

    // Opens the device for reading and writing, exclusively. 0 on success, else an errno value.
    virtual int Open(const std::string& path) = 0;
    virtual bool IsOpen() const = 0;
    // Closes the device; 0 on success, else an errno value.
    virtual int Close() = 0;

    // Reads the driver's current line settings (the step that can fail before they are changed).
    virtual bool GetLineSettings() = 0;
    // Raw bytes at the given speed with the given parity (0 none), data bits and stop bits code
    // (0 = one); no flow control, DTR and RTS held on, modem lines not controlling the link,
    // reads that return at once. False when the driver refuses (an unsupported rate included).
    virtual bool SetLineSettings(int baud, int parity, int dataBits, int stopBits) = 0;

    // Returns at once: the number of bytes placed in the buffer, 0 when none was waiting, or -1
    // when the device has gone away (unplugged); the device is then closed.
    virtual long Read(uint8_t* buffer, size_t size) = 0;
    // Clears overrun, framing and parity error state.
    virtual void ClearErrors() = 0;
    // A descriptor that becomes readable when bytes arrive, or -1 when there is none.
    virtual int ReadableHandle() const = 0;

    // Watches the line given by mask (kLineEventCts, kLineEventDsr or kLineEventDcd); changes are
    // counted from
    // now on. False when the device is closed or cannot watch lines.
    virtual bool SetEventMask(uint32_t mask) = 0;
    // Ends at once when the watched line changed since the mask was set or the last wait ended,
    // otherwise at the next change, the time-out, or CancelWaits. A negative timeout waits
    // without limit.
    virtual LineEventResult WaitLineEvent(int timeoutMs) = 0;
    // The modem status word (kModemStatusCtsOn, kModemStatusDsrOn, kModemStatusDcdOn). False on
    // failure.
    virtual bool GetModemStatus(uint32_t& status) = 0;
    // Ends every pending WaitLineEvent with Cancelled (from any thread). Later waits work again.
    virtual void CancelWaits() = 0;

    // The kernel's own time stamps of the pulse, taken in the interrupt, when the system has a
    // PPS source bound to this device's line. Opens that source when it is not open yet and counts
    // its edges from now on; returns its path (such as "/dev/pps0"), or an empty string when
    // there is none or it cannot be opened.
    virtual std::string ArmKernelPps() = 0;
    // Ends at once when an edge of the given kind was stamped since arming or the last wait that
    // ended with one, otherwise at the next such edge or the time-out. On Changed, the edge's time
    // on the PC clock (UTC microseconds). Failed when the source has gone (it is then closed).
    virtual LineEventResult WaitKernelPps(PpsEdge edge, int timeoutMs, int64_t& edgeUtcMicroseconds)
        = 0;
};

} // namespace velarin
