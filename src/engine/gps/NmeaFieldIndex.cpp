#include "engine/gps/NmeaFieldIndex.h"

namespace velarin {

NmeaFieldIndex::NmeaFieldIndex(const char* body)
    : body_(body)
{
    starts_[0] = 0;
    count_ = 1;
    for (std::size_t i = 0; i < kMaxBody && body[i] != '\0'; ++i) {
        if (body[i] == ',')
            starts_[count_++] = static_cast<uint8_t>(i + 1);
    }
}

bool NmeaFieldIndex::Get(int n, char* out, std::size_t capacity) const
{
    if (capacity == 0)
        return false;
    out[0] = '\0';
    if (body_[0] == '\0')
        return true; // the entirely empty body holds every field
    if (n < 0 || n >= count_)
        return false;
    const char* p = body_ + starts_[n];
    if (*p == ',' || *p == '*')
        return false;
    return CopyField(p, out, capacity);
}

bool NmeaFieldIndex::CopyField(const char* p, char* out, std::size_t capacity)
{
    std::size_t length = 0;
    while (p[length] != '\0' && p[length] != ',' && p[length] != '*' && length + 1 < capacity) {
        out[length] = p[length];
        ++length;
    }
    out[length] = '\0';
    return true;
}

} // namespace velarin
