#pragma once

#include "base/NmeaTalker.h"
#include "base/SystemTime.h"
#include "engine/gps/GpsRecord.h"
#include "engine/gps/SatellitesInView.h"
#include "engine/gps/TalkerPriority.h"
#include "engine/gps/TimeArithmetic.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string_view>

namespace velarin {

class AppState;
class NmeaFieldIndex;

// Turns the receiver's byte stream into sentences, checks their checksums, decodes the six known
// sentences into the GPS record and answers the time-lock and receiver-time questions.
//
// Threads: ProcessBytes, Reset and the record accessors belong to the user-interface thread. Any
// thread may call GetSentenceCount, GetTimeFields, GetReceiverTime, GetTimeGeneration,
// WaitForNewSecond and WakeWaiters: the time fields of each sentence are published as one atomic
// value, so the decoder never waits for a reader.
class CNmeaParser {
public:
    static constexpr int kAddressSize = 8; // at most 7 characters and the NUL
    static constexpr int kBodySize = 256; // at most 255 characters and the NUL
    static constexpr int kFieldCapacity = 25; // a decoded field keeps at most 24 characters

    CNmeaParser();
    virtual ~CNmeaParser();
    CNmeaParser(const CNmeaParser&) = delete;
    CNmeaParser& operator=(const CNmeaParser&) = delete;

    // Frames and decodes the bytes; a sentence may be split over any number of calls. Always 1.
    int ProcessBytes(const uint8_t* bytes, std::size_t count);
    int ProcessBytes(std::string_view text)
    {
        return ProcessBytes(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    }
    void ProcessByte(uint8_t byte);

    // Routes one framed sentence to its decoder and counts it. Always 1. With only GP accepted
    // the address must be exactly one of the six; with every talker accepted, GN, GL, GA, GB,
    // BD, GQ and GI sentences of the six types are decoded too, unless a GP one of the same type
    // came within the last 5 seconds (GL, GA, GB, BD, GQ and GI satellite lists always join the
    // satellites in view: no GP sentence carries them).
    int Dispatch(const char* address, const char* body);

    // "AcceptAllTalkers": on by default, as in the settings.
    void SetAcceptAllTalkers(bool accept) { acceptAllTalkers_ = accept; }
    bool AcceptsAllTalkers() const { return acceptAllTalkers_; }

    // The milliseconds the talker rules measure their windows in (a steady clock by default).
    void SetMonotonicClock(std::function<int64_t()> nowMilliseconds);

    // Only GP is accepted, yet for 10 seconds the receiver has sent its time under other
    // talkers only: the user wants to know that the receiver speaks, just not as GP.
    bool OnlyOtherTalkersSendTime() const;

    // Field n (from 0) of a sentence body: false with empty text when absent or empty; true with
    // at most capacity - 1 characters otherwise. An entirely empty body holds every field, empty.
    static bool GetField(const char* body, int n, char* out, std::size_t capacity);

    // The address of the sentence most recently dispatched (known or not), for tracing tools.
    const char* GetLastAddress() const { return lastAddress_; }

    // Sentences dispatched since construction, known or not; never reset.
    uint32_t GetSentenceCount() const { return sentenceCount_.load(std::memory_order_acquire); }

    // Back to the start values of the record. The framer and the sentence count stay.
    void Reset();

    // The record and its sub-records, for the displays (user-interface thread).
    const GpsRecord& GetRecord() const { return record_; }
    const GgaData& GetGga() const { return record_.gga; }
    const GsaData& GetGsa() const { return record_.gsa; }
    const GsvData& GetGsv() const { return record_.gsv; }
    const RmbData& GetRmb() const { return record_.rmb; }
    const RmcData& GetRmc() const { return record_.rmc; }
    const ZdaData& GetZda() const { return record_.zda; }

    // The lock rule: enough satellites in use ("TLSats", compared unsigned), data flowing, and,
    // when "TLGPSGood" is 1, a fix. Only GGA feeds it.
    bool IsTimeLocked(uint32_t tlSats, int tlGpsGood, bool noData) const;
    bool IsTimeLocked(const AppState& state) const;

    // The time fields the chosen sentence last stored, read as one value ("UseTimrFrom": 0 GGA
    // with the date 2000-01-01, 1 RMC, 2 ZDA). nullopt for any other source.
    std::optional<GpsTimeFields> GetTimeFields(int useTimrFrom) const;

    // The UTC date and time of the chosen sentence, with its day of week and 0 milliseconds.
    // nullopt is "no time": an unknown source, or fields the calendar cannot represent (before
    // 1970, the ZDA year 1 of an empty field, month 0 or 13, day 31 in a 30-day month, hour 24,
    // second 60...). Displays then show nothing and a clock setting that needs it fails.
    std::optional<SystemTime> GetReceiverTime(int useTimrFrom) const;
    std::optional<SystemTime> GetReceiverTime(const AppState& state) const;

    // Grows each time a decoder stores time fields that differ from the ones it held, and at
    // Reset. Pair with WaitForNewSecond.
    uint64_t GetTimeGeneration() const;

    // Blocks until the time generation differs from lastGeneration, the time-out passes,
    // *cancelled (when given) is true, or WakeWaiters is called; returns the generation then.
    // To cancel without a lost wake-up: set the flag, then call WakeWaiters.
    uint64_t WaitForNewSecond(uint64_t lastGeneration, std::chrono::milliseconds timeout,
        const std::atomic<bool>* cancelled = nullptr);
    void WakeWaiters();

private:
    enum FramerState : uint32_t {
        Hunting = 0,
        Address = 1,
        Body = 2,
        Checksum1 = 3,
        Checksum2 = 4
    };

    void ParseGGA(const char* body);
    void ParseGSA(const char* body);
    void ParseGSV(const char* body);
    void ParseRMB(const char* body);
    void ParseRMC(const char* body);
    void ParseZDA(const char* body);

    void DecodeGsa(const NmeaFieldIndex& fields);
    // Decodes the satellite sentences of any talker itself; returns the type whose plain
    // decoder is to run, or -1.
    int DispatchAnyTalker(const char* address, const char* body);
    // The talker windows' time: read once per ProcessBytes batch (a serial read spans a few
    // milliseconds), once per sentence otherwise.
    int64_t Now();
    void ParseGsvSequence(const char* body, Talker talker, int64_t nowMilliseconds);
    void ParseGsaAnyTalker(const char* body, Talker talker, bool intoRecord);

    void PublishTimes(bool always);

    // Framer
    uint32_t state_ = Hunting;
    uint8_t runningChecksum_ = 0;
    uint8_t receivedChecksum_ = 0;
    uint16_t index_ = 0;
    char address_[kAddressSize] = {};
    char body_[kBodySize] = {};
    char lastAddress_[kAddressSize] = {};
    std::atomic<uint32_t> sentenceCount_ { 0 };

    GpsRecord record_;

    bool acceptAllTalkers_ = true;
    std::function<int64_t()> now_;
    TalkerPriority priority_;
    SatellitesInView sky_;
    int lastType_ = -1; // sentence type of the last known-talker sentence
    bool inBatch_ = false;
    bool batchNowRead_ = false;
    int64_t batchNow_ = 0;

    // Each sentence's time fields packed into one word, so readers see them whole.
    std::atomic<uint64_t> ggaTime_ { 0 };
    std::atomic<uint64_t> rmcTime_ { 0 };
    std::atomic<uint64_t> zdaTime_ { 0 };

    mutable std::mutex waitMutex_;
    std::condition_variable newSecond_;
    uint64_t timeGeneration_ = 0; // guarded by waitMutex_
    uint64_t wakeCount_ = 0; // guarded by waitMutex_
};

} // namespace velarin
