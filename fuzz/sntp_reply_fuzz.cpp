// Any datagram as the answer to a request sent at a fixed T1: the check must never read past the
// datagram, and a reply it accepts must give finite figures.
#include "engine/nettime/SntpPacket.h"

#include <cmath>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace velarin;
    // The originate stamp the reply must echo: taken from the input's own bytes 24..31 half the
    // time, so the deeper checks and the arithmetic are reached.
    NtpTime t1(uint64_t { 0xE8D5A4C0 } << 32);
    if (size >= 48 && (data[0] & 0x80) == 0)
        t1 = NtpTime::FromNetworkBytes(data + 24);
    const NtpTime t4 = t1 + 0.004;
    NtpServerResponse response;
    const std::span<const uint8_t> reply(data, size);
    if (CheckSntpReply(reply, t1, t4, response) == SntpReplyCheck::Good) {
        if (!std::isfinite(response.localClockOffset) || !std::isfinite(response.roundTripDelay))
            std::abort();
        const SystemTime set = (t4 + response.localClockOffset).ToSystemTime();
        if (set.milliseconds > 999 || set.second > 59 || set.minute > 59 || set.hour > 23)
            std::abort();
    }
    return 0;
}
