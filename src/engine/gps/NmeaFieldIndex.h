#pragma once

#include <cstddef>
#include <cstdint>

namespace velarin {

// Where each field of one framed sentence body starts, found in a single pass, so that the
// decoders read field n without rescanning the body from its start. Same answers as
// CNmeaParser::GetField for bodies the framer produces (at most 255 characters).
class NmeaFieldIndex {
public:
    static constexpr std::size_t kMaxBody = 255;

    explicit NmeaFieldIndex(const char* body);

    bool Get(int n, char* out, std::size_t capacity) const;
    // Fields present (commas + 1).
    int Count() const { return count_; }

    // Copies the field that starts at p up to ",", "*" or the end, keeping capacity - 1
    // characters at most (capacity > 0). Always true: the field is present.
    static bool CopyField(const char* p, char* out, std::size_t capacity);

private:
    const char* body_;
    uint16_t count_ = 0; // fields present: commas + 1
    uint8_t starts_[kMaxBody + 1] = {}; // offset of field n
};

} // namespace velarin
