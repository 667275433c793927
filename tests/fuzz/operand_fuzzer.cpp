// libFuzzer target for arith::operandValue: the bytes as UTF-16 (every code
// unit a box can hold, lone surrogates too), and the rule's promised properties.
#include "arith/operand.h"
#include "arith/run_time_error.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void require(bool holds, const char *property)
{
    if (holds)
        return;
    std::fprintf(stderr, "property broken: %s\n", property);
    std::abort();
}

// The value's bits (so 0 and -0 differ), or the run-time error's number.
std::uint64_t outcome(const std::u16string &text)
{
    try {
        const double value = arith::operandValue(text);
        require(std::isfinite(value), "the value is finite");
        std::uint64_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        return bits;
    } catch (const arith::RunTimeError &error) {
        require(error.number() == arith::ErrorNumber::Overflow, "the only error is an overflow");
        return 6;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::u16string text(size / 2, u'\0');
    std::memcpy(text.data(), data, text.size() * 2);
    const std::uint64_t read = outcome(text);
    std::u16string withoutBlanks = text;
    std::erase_if(withoutBlanks, [](char16_t c) { return c == u' ' || c == u'\t' || c == u'\n'; });
    require(outcome(withoutBlanks) == read, "removing blanks changes nothing");
    // The odd byte, if any, picks where a blank goes and which one.
    const std::size_t at = size % 2 ? data[size - 1] % (text.size() + 1) : text.size() / 2;
    require(outcome(std::u16string(text).insert(at, 1, u" \t\n"[at % 3])) == read, "inserting a blank changes nothing");
    for (const char16_t *end : {u"x", u"$", u"\u066C", u"\u060C"})
        require(outcome(text + end) == read, "appending x, $, U+066C or U+060C changes nothing");
    // The Persian keyboard's decimal separator and minus sign read as . and -.
    std::u16string persian = text;
    std::ranges::replace(persian, u'.', u'\u066B');
    std::ranges::replace(persian, u'-', u'\u2212');
    require(outcome(persian) == read, "the Persian point and minus read as . and -");
    return 0;
}
