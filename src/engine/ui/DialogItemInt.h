#pragma once

#include <cstdint>
#include <string_view>

namespace velarin {

// A dialog field's text read as a signed decimal integer: blanks around an optional sign and
// digits are allowed; anything else, an empty field, or a value outside 32 bits reads as 0.
int DialogItemInt(std::string_view text);

// The low 16 bits of a value, for settings kept in 16 bits (70000 becomes 4464, -1 becomes
// 65535). Values are stored exactly as they are then kept in memory.
uint16_t KeepIn16Bits(int value);

} // namespace velarin
