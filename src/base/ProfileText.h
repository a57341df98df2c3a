#pragma once

#include <string_view>

namespace velarin {

// Reads a stored integer from its text form: optional blanks, an optional sign, decimal digits,
// optional trailing blanks. Anything else (letters, a fraction, a number outside 32 bits) is
// not an integer and reads as the default.
int ParseProfileInt(std::string_view text, int defaultValue);

} // namespace velarin
