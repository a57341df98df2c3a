#pragma once

#include <string_view>

namespace velarin {

// A dialog field read as a signed whole number: blanks around an optional sign and decimal
// digits. Anything else, an empty field or a value outside 32 bits reads as 0.
int DialogFieldInt(std::string_view text);

} // namespace velarin
