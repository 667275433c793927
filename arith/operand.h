#pragma once

#include <string_view>

namespace arith {

// The leading number of a text, read the way classic BASIC's Val() reads it:
// blanks anywhere are dropped, the longest leading decimal, hexadecimal (&H)
// or octal (&O) number is taken, and text without a number gives 0.
// Persian and Arabic-Indic digits count as 0-9, the Arabic decimal separator
// U+066B as the decimal point and U+2212 MINUS SIGN as a minus.
// Throws RunTimeError (Overflow) when the number is beyond a double, or a
// hexadecimal/octal number is wider than 32 bits.
double operandValue(std::u16string_view text);

} // namespace arith
