#pragma once

#include <cstdint>

// The number conversions the sentence decoders apply to one field's text (at most 24
// characters). Malformed text converts to 0; nothing here fails.
namespace velarin::nmea {

// Leading decimal integer with an optional sign (after leading white space); 0 when there is
// none. Values beyond the 32-bit range are held at its ends.
int32_t ToInt(const char* text);

// Leading fixed-point decimal number with an optional sign: digits with an optional fraction.
// 0.0 when there is none. Exponents, "inf", "nan" and hexadecimal forms are not numbers in a
// sentence, so the result is always finite.
double ToReal(const char* text);

// ToInt of the two characters at positions k and k + 1; positions past the end contribute
// nothing ("1" gives pair(0) = 1, pair(2) = 0).
int32_t Pair(const char* text, int k);

// ddmm.mmmm (degreeDigits 2) or dddmm.mmmm (3) to decimal degrees:
// ToReal(minutes part) / 60 + ToReal(degree part).
double Coordinate(const char* text, int degreeDigits);

// First character minus '0' in an unsigned byte (an empty text gives 0 - '0', wrapped).
uint8_t Digit(const char* text);

} // namespace velarin::nmea
