#include "engine/gps/CNmeaParser.h"

#include "base/Calendar.h"
#include "engine/AppState.h"
#include "engine/gps/NmeaFieldIndex.h"

#include <chrono>
#include <cstring>

namespace velarin {

namespace {

// Checksum digits: the receiver's upper-case hex and decimal digits work in both places. The
// first digit's shift keeps only the low four bits, so a lower-case letter works there too; the
// second digit is subtracted by 0x37 and OR-ed in whole, so a lower-case letter there leaves
// extra bits set. Characters are signed, as the stream's bytes were in the original framer.
int firstDigit(char c)
{
    const int digit = c - '0';
    return digit <= 9 ? digit : c - 7;
}

int secondDigit(char c)
{
    const int digit = c - '0';
    return digit <= 9 ? digit : c - '7';
}

constexpr uint64_t packTime(const GpsTimeFields& t)
{
    return uint64_t { t.year } << 40 | uint64_t { t.month } << 32 | uint64_t { t.day } << 24
        | uint64_t { t.hour } << 16 | uint64_t { t.minute } << 8 | uint64_t { t.second };
}

constexpr GpsTimeFields unpackTime(uint64_t packed)
{
    GpsTimeFields t;
    t.year = static_cast<uint16_t>(packed >> 40);
    t.month = static_cast<uint8_t>(packed >> 32);
    t.day = static_cast<uint8_t>(packed >> 24);
    t.hour = static_cast<uint8_t>(packed >> 16);
    t.minute = static_cast<uint8_t>(packed >> 8);
    t.second = static_cast<uint8_t>(packed);
    return t;
}

using Decoder = void (CNmeaParser::*)(const char*);

// The six sentence types in dispatch order, with the address each has from the GPS talker.
enum SentenceType { kGga, kGsa, kGsv, kRmb, kRmc, kZda };

// The type of a five-character address, whatever its talker; -1 for any other address.
int sentenceTypeOf(const char* address)
{
    for (int i = 0; i < 5; ++i) {
        if (address[i] == '\0')
            return -1;
    }
    if (address[5] != '\0')
        return -1;
    const char* type = address + 2;
    switch (type[0]) {
    case 'G':
        if (type[1] == 'G')
            return type[2] == 'A' ? kGga : -1;
        if (type[1] != 'S')
            return -1;
        return type[2] == 'A' ? kGsa : type[2] == 'V' ? kGsv : -1;
    case 'R':
        if (type[1] != 'M')
            return -1;
        return type[2] == 'B' ? kRmb : type[2] == 'C' ? kRmc : -1;
    case 'Z':
        return type[1] == 'D' && type[2] == 'A' ? kZda : -1;
    default:
        return -1;
    }
}

constexpr bool carriesTime(int type)
{
    return type == kGga || type == kRmc || type == kZda;
}

int64_t steadyMilliseconds()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

CNmeaParser::CNmeaParser()
    : now_(steadyMilliseconds)
{
    Reset();
}

void CNmeaParser::SetMonotonicClock(std::function<int64_t()> nowMilliseconds)
{
    now_ = std::move(nowMilliseconds);
}

bool CNmeaParser::OnlyOtherTalkersSendTime() const
{
    return !acceptAllTalkers_ && priority_.OnlyOtherTalkersSendTime(now_());
}

CNmeaParser::~CNmeaParser() = default;

int CNmeaParser::ProcessBytes(const uint8_t* bytes, std::size_t count)
{
    inBatch_ = true;
    batchNowRead_ = false;
    for (std::size_t i = 0; i < count; ++i)
        ProcessByte(bytes[i]);
    inBatch_ = false;
    return 1;
}

int64_t CNmeaParser::Now()
{
    if (!inBatch_)
        return now_();
    if (!batchNowRead_) {
        batchNow_ = now_();
        batchNowRead_ = true;
    }
    return batchNow_;
}

void CNmeaParser::ProcessByte(uint8_t byte)
{
    const char c = static_cast<char>(byte);
    switch (state_) {
    case Hunting:
        if (c == '$') {
            runningChecksum_ = 0;
            index_ = 0;
            state_ = Address;
        }
        break;
    case Address:
        runningChecksum_ ^= byte;
        if (c == ',' || c == '*') {
            // The separator counts in the checksum, as the comma must.
            address_[index_] = '\0';
            index_ = 0;
            state_ = Body;
        } else {
            address_[index_++] = c;
            if (index_ >= kAddressSize)
                state_ = Hunting;
        }
        break;
    case Body:
        if (c == '*') {
            body_[index_] = '\0';
            state_ = Checksum1;
        } else if (c == '\r') {
            // Sentences without a checksum end at the carriage return and are taken unchecked.
            body_[index_] = '\0';
            state_ = Hunting;
            Dispatch(address_, body_);
        } else {
            runningChecksum_ ^= byte;
            body_[index_++] = c;
            if (index_ >= kBodySize)
                state_ = Hunting;
        }
        break;
    case Checksum1:
        receivedChecksum_ = static_cast<uint8_t>(static_cast<unsigned>(firstDigit(c)) << 4);
        state_ = Checksum2;
        break;
    case Checksum2:
        receivedChecksum_ |= static_cast<uint8_t>(secondDigit(c));
        state_ = Hunting;
        if (receivedChecksum_ == runningChecksum_)
            Dispatch(address_, body_);
        break;
    default:
        state_ = Hunting;
        break;
    }
}

int CNmeaParser::Dispatch(const char* address, const char* body)
{
    // Indexed by sentence type (kGga .. kZda).
    static constexpr Decoder decoders[]
        = { &CNmeaParser::ParseGGA, &CNmeaParser::ParseGSA, &CNmeaParser::ParseGSV,
              &CNmeaParser::ParseRMB, &CNmeaParser::ParseRMC, &CNmeaParser::ParseZDA };
    if (acceptAllTalkers_) {
        const int type = DispatchAnyTalker(address, body);
        if (type >= kGga && type <= kZda)
            (this->*decoders[type])(body);
    } else {
        // Only the exact GP addresses are decoded; other talkers are heard, not decoded, so the
        // status page can tell the user what the receiver does send.
        const int type = sentenceTypeOf(address);
        const Talker talker = TalkerOf(address);
        if (type >= kGga && type <= kZda && talker == Talker::GP) {
            (this->*decoders[type])(body);
            if (carriesTime(type))
                priority_.NoteTimeSentence(Talker::GP, 0);
        } else if (carriesTime(type) && talker != Talker::Other) {
            priority_.NoteTimeSentence(talker, Now());
        }
    }
    std::strncpy(lastAddress_, address, kAddressSize - 1);
    sentenceCount_.fetch_add(1, std::memory_order_release);
    return 1;
}

int CNmeaParser::DispatchAnyTalker(const char* address, const char* body)
{
    const int type = sentenceTypeOf(address);
    const Talker talker = TalkerOf(address);
    if (type < 0 || talker == Talker::Other)
        return -1;
    const int64_t now = Now();
    if (carriesTime(type))
        priority_.NoteTimeSentence(talker, now);
    const bool admitted = priority_.Admit(talker, type, now);
    // The one-system talkers list satellites that GP sentences never carry.
    const bool ownSystem = talker != Talker::GP && talker != Talker::GN;
    if (type == kGsv) {
        if (admitted || ownSystem)
            ParseGsvSequence(body, talker, now);
    } else if (type == kGsa) {
        if (admitted || ownSystem) {
            // The GSA sentences sent one after another are one second's, one per system.
            if (lastType_ != kGsa)
                sky_.BeginUsedSet();
            ParseGsaAnyTalker(body, talker, admitted);
        }
    }
    lastType_ = type;
    return admitted && type != kGsv && type != kGsa ? type : -1;
}

bool CNmeaParser::GetField(const char* body, int n, char* out, std::size_t capacity)
{
    if (capacity == 0)
        return false;
    out[0] = '\0';
    if (body[0] == '\0')
        return true;
    const char* p = body;
    for (int skipped = 0; skipped < n; ++skipped) {
        p = std::strchr(p, ',');
        if (p == nullptr)
            return false;
        ++p;
    }
    if (*p == ',' || *p == '*')
        return false;
    return NmeaFieldIndex::CopyField(p, out, capacity);
}

void CNmeaParser::Reset()
{
    record_ = GpsRecord {};
    sky_.Clear();
    lastType_ = -1;
    PublishTimes(true);
}

bool CNmeaParser::IsTimeLocked(uint32_t tlSats, int tlGpsGood, bool noData) const
{
    if (uint32_t { record_.gga.satellites } < tlSats)
        return false;
    if (noData)
        return false;
    if (tlGpsGood == 1)
        return record_.gga.fixQuality != 0;
    return true;
}

bool CNmeaParser::IsTimeLocked(const AppState& state) const
{
    return IsTimeLocked(state.tlSats.load(), state.tlGpsGood.load(), state.noDataFlag.load() != 0);
}

std::optional<GpsTimeFields> CNmeaParser::GetTimeFields(int useTimrFrom) const
{
    switch (useTimrFrom) {
    case static_cast<int>(TimeSource::Gga):
        return unpackTime(ggaTime_.load(std::memory_order_acquire));
    case static_cast<int>(TimeSource::Rmc):
        return unpackTime(rmcTime_.load(std::memory_order_acquire));
    case static_cast<int>(TimeSource::Zda):
        return unpackTime(zdaTime_.load(std::memory_order_acquire));
    default:
        return std::nullopt;
    }
}

std::optional<SystemTime> CNmeaParser::GetReceiverTime(int useTimrFrom) const
{
    const auto fields = GetTimeFields(useTimrFrom);
    if (!fields || fields->year < 1970)
        return std::nullopt;
    SystemTime time;
    time.year = fields->year;
    time.month = fields->month;
    time.day = fields->day;
    time.hour = fields->hour;
    time.minute = fields->minute;
    time.second = fields->second;
    const auto milliseconds = ToUnixMilliseconds(time);
    if (!milliseconds)
        return std::nullopt;
    return FromUnixMilliseconds(*milliseconds); // fills in the day of week
}

std::optional<SystemTime> CNmeaParser::GetReceiverTime(const AppState& state) const
{
    return GetReceiverTime(state.useTimrFrom.load());
}

uint64_t CNmeaParser::GetTimeGeneration() const
{
    std::lock_guard lock(waitMutex_);
    return timeGeneration_;
}

uint64_t CNmeaParser::WaitForNewSecond(
    uint64_t lastGeneration, std::chrono::milliseconds timeout, const std::atomic<bool>* cancelled)
{
    std::unique_lock lock(waitMutex_);
    const uint64_t wakeCount = wakeCount_;
    newSecond_.wait_for(lock, timeout, [&] {
        return timeGeneration_ != lastGeneration || wakeCount_ != wakeCount
            || (cancelled != nullptr && cancelled->load());
    });
    return timeGeneration_;
}

void CNmeaParser::WakeWaiters()
{
    {
        std::lock_guard lock(waitMutex_);
        ++wakeCount_;
    }
    newSecond_.notify_all();
}

void CNmeaParser::PublishTimes(bool always)
{
    const GgaData& gga = record_.gga;
    const RmcData& rmc = record_.rmc;
    const ZdaData& zda = record_.zda;
    // GGA carries no date; its time is reported on 1 January 2000.
    const uint64_t ggaTime = packTime({ 2000, 1, 1, gga.hour, gga.minute, gga.second });
    const uint64_t rmcTime
        = packTime({ rmc.year, rmc.month, rmc.day, rmc.hour, rmc.minute, rmc.second });
    const uint64_t zdaTime
        = packTime({ zda.year, zda.month, zda.day, zda.hour, zda.minute, zda.second });
    bool changed = always;
    changed |= ggaTime_.exchange(ggaTime, std::memory_order_acq_rel) != ggaTime;
    changed |= rmcTime_.exchange(rmcTime, std::memory_order_acq_rel) != rmcTime;
    changed |= zdaTime_.exchange(zdaTime, std::memory_order_acq_rel) != zdaTime;
    if (!changed)
        return;
    {
        // Held only to pair the count with the waiters' test; a waiter holds it no longer.
        std::lock_guard lock(waitMutex_);
        ++timeGeneration_;
    }
    newSecond_.notify_all();
}

} // namespace velarin
