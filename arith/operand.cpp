#include "arith/operand.h"

#include "arith/run_time_error.h"

#include <cassert>
#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>
#include <system_error>

namespace arith {
namespace {

// Blanks, tabs and line feeds are dropped wherever they stand; so are the
// other characters a pasted number tends to carry (carriage return, the
// ideographic space and the invisible direction marks of bidi text).
constexpr bool isDropped(char16_t c)
{
    switch (c) {
    case u' ':
    case u'\t':
    case u'\n':
    case u'\r':
    case u'\u3000':
    case u'\u200E':
    case u'\u200F':
    case u'\u061C':
        return true;
    default:
        return false;
    }
}

// Persian keyboards type U+06F0.., Arabic ones U+0660..; both mean 0-9.
constexpr int decimalDigit(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'\u06F0' && c <= u'\u06F9')
        return c - u'\u06F0';
    if (c >= u'\u0660' && c <= u'\u0669')
        return c - u'\u0660';
    return -1;
}

// The Persian keyboard types U+2212 MINUS SIGN for minus and U+066B ARABIC
// DECIMAL SEPARATOR for the decimal point; a number typed on it must read
// as the same number typed on a Latin keyboard.
constexpr bool isMinus(char16_t c)
{
    return c == u'-' || c == u'\u2212';
}

constexpr bool isSign(char16_t c)
{
    return c == u'+' || isMinus(c);
}

constexpr bool isDecimalPoint(char16_t c)
{
    return c == u'.' || c == u'\u066B';
}

constexpr int hexDigit(char16_t c)
{
    if (const int d = decimalDigit(c); d >= 0)
        return d;
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

constexpr int octalDigit(char16_t c)
{
    const int d = decimalDigit(c);
    return d < 8 ? d : -1;
}

// Walks the text with the dropped characters already skipped, so the
// grammar below never has to think about them.
class Cursor {
public:
    explicit Cursor(std::u16string_view text) : text_(text) { skipDropped(); }

    // U+FFFF is a noncharacter that no rule accepts, so it is a safe "end".
    char16_t peek() const { return pos_ < text_.size() ? text_[pos_] : u'\uFFFF'; }
    void advance()
    {
        ++pos_;
        skipDropped();
    }

private:
    void skipDropped()
    {
        while (pos_ < text_.size() && isDropped(text_[pos_]))
            ++pos_;
    }

    std::u16string_view text_;
    std::size_t pos_ = 0;
};

// &H / &O numbers: 16 bits wide or less is a signed 16-bit value, up to 32
// bits a signed 32-bit value, wider is an overflow. Leading zeros are free.
double readRadix(Cursor &cursor, int bitsPerDigit, int (*digitOf)(char16_t))
{
    std::uint64_t value = 0;
    for (int d = digitOf(cursor.peek()); d >= 0; d = digitOf(cursor.peek())) {
        value = (value << bitsPerDigit) | static_cast<std::uint64_t>(d);
        if (value > 0xFFFF'FFFFu)
            throw RunTimeError(ErrorNumber::Overflow);
        cursor.advance();
    }
    if (value <= 0xFFFFu)
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

double readDecimal(Cursor &cursor)
{
    bool negative = false;
    if (isSign(cursor.peek())) {
        negative = isMinus(cursor.peek());
        cursor.advance();
    }

    // The mantissa is kept as its significant digits and a decimal exponent,
    // value = 0.DIGITS x 10^exponent, so that any number of leading or
    // trailing zeros costs nothing and the final conversion is exact.
    static constexpr std::string_view leadIn = "0.";
    std::string digits(leadIn);
    const auto noSignificantDigit = [&digits] { return digits.size() == leadIn.size(); };
    std::int64_t integerDigits = 0;
    std::int64_t fractionZeros = 0;
    bool anyDigit = false;
    bool seenPoint = false;
    for (;;) {
        const char16_t c = cursor.peek();
        if (const int d = decimalDigit(c); d >= 0) {
            anyDigit = true;
            if (noSignificantDigit() && d == 0) {
                fractionZeros += seenPoint ? 1 : 0;
            } else {
                digits.push_back(static_cast<char>('0' + d));
                integerDigits += seenPoint ? 0 : 1;
            }
        } else if (isDecimalPoint(c) && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
        cursor.advance();
    }
    if (!anyDigit)
        return 0.0;

    // Any exponent beyond a billion already decides overflow or underflow;
    // capping it keeps the arithmetic below from overflowing itself.
    constexpr std::int64_t exponentCap = 1'000'000'000;
    std::int64_t exponent = 0;
    const char16_t marker = cursor.peek();
    if (marker == u'E' || marker == u'e' || marker == u'D' || marker == u'd') {
        cursor.advance();
        bool negativeExponent = false;
        if (isSign(cursor.peek())) {
            negativeExponent = isMinus(cursor.peek());
            cursor.advance();
        }
        for (int d = decimalDigit(cursor.peek()); d >= 0; d = decimalDigit(cursor.peek())) {
            if (exponent < exponentCap)
                exponent = exponent * 10 + d;
            cursor.advance();
        }
        if (negativeExponent)
            exponent = -exponent;
    }

    const double zero = negative ? -0.0 : 0.0;
    while (!noSignificantDigit() && digits.back() == '0')
        digits.pop_back();
    if (noSignificantDigit())
        return zero;

    exponent += integerDigits > 0 ? integerDigits : -fractionZeros;
    digits.push_back('e');
    digits += std::to_string(exponent);

    double value = 0.0;
    const char *const last = digits.data() + digits.size();
    const auto [end, error] = std::from_chars(digits.data(), last, value);
    // The text built above is always one whole number.
    assert(end == last);
    if (error == std::errc::result_out_of_range) {
        // 0.D x 10^e is below 1 whenever e <= 0, so out of range means tiny.
        if (exponent > 0)
            throw RunTimeError(ErrorNumber::Overflow);
        return zero;
    }
    return negative ? -value : value;
}

} // namespace

double operandValue(std::u16string_view text)
{
    Cursor cursor(text);
    if (cursor.peek() == u'&') {
        cursor.advance();
        const char16_t prefix = cursor.peek();
        if (prefix == u'H' || prefix == u'h') {
            cursor.advance();
            return readRadix(cursor, 4, hexDigit);
        }
        if (prefix == u'O' || prefix == u'o') {
            cursor.advance();
            return readRadix(cursor, 3, octalDigit);
        }
        return 0.0;
    }
    return readDecimal(cursor);
}

} // namespace arith
