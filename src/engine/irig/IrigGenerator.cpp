#include "engine/irig/IrigGenerator.h"

#include "base/Calendar.h"

#include <algorithm>

namespace velarin {

namespace {

// 32767 x sin(2 pi k / 16) + 0.5, truncated toward zero; the low cycle at a third of that.
constexpr CIrigGenerator::Cycle kHighCycle = { 0, 12539, 23170, 30273, 32767, 30273, 23170, 12539,
    0, -12538, -23169, -30272, -32766, -30272, -23169, -12538 };
constexpr CIrigGenerator::Cycle kLowCycle = { 0, 4180, 7723, 10091, 10922, 10091, 7723, 4180, 0,
    -4179, -7722, -10090, -10921, -10090, -7722, -4179 };

CIrigGenerator::Shape makeShape(int highCycles)
{
    CIrigGenerator::Shape shape {};
    for (int cycle = 0; cycle < 10; ++cycle) {
        const auto& source = cycle < highCycles ? kHighCycle : kLowCycle;
        std::copy(
            source.begin(), source.end(), shape.begin() + cycle * CIrigGenerator::kCycleSamples);
    }
    return shape;
}

constexpr int kDaysBeforeMonth[2][12] = {
    { 0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334 },
    { 0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335 },
};

uint32_t bcd(uint32_t value)
{
    uint32_t result = 0;
    for (int shift = 0; value != 0 && shift < 32; shift += 4, value /= 10)
        result |= (value % 10) << shift;
    return result;
}

} // namespace

const CIrigGenerator::Shape& CIrigGenerator::ZeroShape()
{
    static const Shape shape = makeShape(2);
    return shape;
}

const CIrigGenerator::Shape& CIrigGenerator::OneShape()
{
    static const Shape shape = makeShape(5);
    return shape;
}

const CIrigGenerator::Shape& CIrigGenerator::MarkerShape()
{
    static const Shape shape = makeShape(8);
    return shape;
}

int CIrigGenerator::DayOfYear(int year, int month, int day)
{
    if (month < 1 || month > 12)
        return day;
    return kDaysBeforeMonth[year % 4 == 0 ? 1 : 0][month - 1] + day;
}

CIrigGenerator::CIrigGenerator(SystemClock& clock, AudioDevice& device, UserNotifier& notifier)
    : stream_(device, notifier)
    , clock_(clock)
{
    buildTemplate();
}

void CIrigGenerator::buildTemplate()
{
    for (int slot = 0; slot < kSlots; ++slot)
        setSlot(slot, ZeroShape());
    for (int slot = 9; slot < kSlots; slot += 10)
        setSlot(slot, MarkerShape());
    setSlot(0, MarkerShape());
}

void CIrigGenerator::setSlot(int slot, const Shape& shape)
{
    std::copy(shape.begin(), shape.end(), template_.begin() + slot * kSlotSamples);
}

void CIrigGenerator::setBits(int firstSlot, uint32_t value, int count)
{
    for (int bit = 0; bit < count; ++bit)
        setSlot(firstSlot + bit, (value >> bit) & 1 ? OneShape() : ZeroShape());
}

bool CIrigGenerator::Start()
{
    Stop();
    buildTemplate();
    std::copy(template_.begin(), template_.end(), stream_.MutableBuffer(0));
    std::copy(template_.begin(), template_.end(), stream_.MutableBuffer(1));
    if (stream_.Open() != 0)
        return false;
    // The first frame waits for the next second to begin: one composed now, part-way through
    // this second, would start late and hold every later frame queued behind it.
    lastSecond_ = (utcMode_ != 0 ? clock_.GetUtc() : clock_.GetLocal()).second;
    running_ = 1;
    return true;
}

void CIrigGenerator::Stop()
{
    stream_.Stop();
    running_ = 0;
}

void CIrigGenerator::ComposeFrame(const SystemTime& time)
{
    composedTime_ = time;
    const uint32_t seconds = bcd(time.second);
    setBits(1, seconds, 4);
    setBits(6, seconds >> 4, 3);
    const uint32_t minutes = bcd(time.minute);
    setBits(10, minutes, 4);
    setBits(15, minutes >> 4, 3);

    uint32_t hour = time.hour;
    if (twelveHourMode_ != 0) {
        if (hour > 12)
            hour -= 12;
        else if (hour == 0)
            hour = 12;
    }
    const uint32_t hours = bcd(hour);
    setBits(20, hours, 4);
    setBits(25, hours >> 4, 2);

    const uint32_t day = bcd(static_cast<uint32_t>(DayOfYear(time.year, time.month, time.day)));
    setBits(30, day, 4);
    setBits(35, day >> 4, 4);
    setBits(40, day >> 8, 2);

    if (twelveHourMode_ != 0)
        setBits(50, time.hour > 12 ? 'P' : 'A', 7);

    const uint32_t secondsOfDay = (time.hour * 60u + time.minute) * 60u + time.second;
    setBits(80, secondsOfDay, 9);
    setBits(90, secondsOfDay >> 9, 8);
}

void CIrigGenerator::Tick()
{
    if (running_ == 0)
        return;
    const SystemTime now = utcMode_ != 0 ? clock_.GetUtc() : clock_.GetLocal();
    if (now.second == lastSecond_)
        return;
    lastSecond_ = now.second;

    const uint32_t rate = stream_.SampleRate();
    // Queued ahead, a frame reuses its buffer just after the frame two seconds back has ended:
    // the frame must end early enough that a card reporting its position a few milliseconds
    // late still counts that buffer as played.
    const bool ahead = queueAhead_
        && uint64_t { rate - std::min(rate, stream_.FrameLength()) } * 1000
            >= uint64_t { kQueueAheadMinimumGapMs } * rate;
    SystemTime second = now;
    second.milliseconds = 0;
    const auto milliseconds = ToUnixMilliseconds(second);
    if (!ahead || !milliseconds) {
        ComposeFrame(now);
        queueFrame(std::nullopt);
        return;
    }
    // The frame of the coming second, started by silence on that second's boundary.
    ComposeFrame(FromUnixMilliseconds(*milliseconds + 1000));
    // The clock reads whole milliseconds: take the reading as the middle of its millisecond.
    const int64_t halfMillisecondsLeft = 1999 - 2 * int64_t { now.milliseconds };
    queueFrame(static_cast<uint32_t>((halfMillisecondsLeft * rate + 1000) / 2000));
}

void CIrigGenerator::queueFrame(std::optional<uint32_t> framesUntilStart)
{
    std::copy(template_.begin(), template_.end(), stream_.NextBuffer());
    int64_t lead = 0;
    const int result
        = framesUntilStart ? stream_.QueueAt(*framesUntilStart, lead) : stream_.Queue();
    stats_.lastQueueResult = result;
    stats_.lastLeadFrames = lead;
    if (result == 0) {
        ++stats_.framesQueued;
        stats_.lastPendingFrames = stream_.Device().PendingFrames();
        stats_.lastFrameTime = composedTime_;
    } else {
        ++stats_.framesLost;
    }
}

} // namespace velarin
