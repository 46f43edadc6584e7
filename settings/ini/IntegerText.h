#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// Reads an integer the way the game's file and the editor's number fields spell one: blanks
// before the number are skipped; then either an optional "+" or "-" and decimal digits, or,
// without a sign, hexadecimal digits after "$", after "x" or "X", or after "0x" or "0X". The text
// must end after the digits. Decimal values must fit in 32 bits signed; hexadecimal values may
// use all 32 bits, so "$FFFFFFFF" is -1. Anything else, the empty text included, is no integer.
std::optional<std::int32_t> ParseInteger(std::string_view text);

// The value of c as one digit of base (2 to 16, letters in either case); -1 when it is none.
int DigitValue(char c, int base);
