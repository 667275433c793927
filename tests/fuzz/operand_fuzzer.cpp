// libFuzzer target for arith::operandValue. The input bytes are read as
// UTF-16 text (pairs of bytes, native order), which reaches every code unit a
// box can hold, lone surrogates included. Besides the sanitizers' own checks
// it asserts the properties the reading rule promises.
#include "arith/operand.h"
#include "arith/run_time_error.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

namespace {

// Either the value read, or the number of the run-time error raised.
struct Outcome {
    double value = 0.0;
    int error = 0;

    bool operator==(const Outcome &other) const
    {
        // Bit for bit, so that 0 and -0 count as different answers.
        return error == other.error && std::memcmp(&value, &other.value, sizeof value) == 0;
    }
};

Outcome read(const std::u16string &text)
{
    try {
        const double value = arith::operandValue(text);
        if (!std::isfinite(value)) {
            std::fprintf(stderr, "not finite: %g\n", value);
            std::abort();
        }
        return {value, 0};
    } catch (const arith::RunTimeError &error) {
        if (error.number() != 6) {
            std::fprintf(stderr, "unexpected run-time error %d\n", error.number());
            std::abort();
        }
        return {0.0, error.number()};
    }
}

void require(bool holds, const char *property)
{
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", property);
        std::abort();
    }
}

bool isBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::u16string text(size / 2, u'\0');
    std::memcpy(text.data(), data, text.size() * 2);

    const Outcome outcome = read(text);

    std::u16string withoutBlanks;
    for (const char16_t c : text) {
        if (!isBlank(c))
            withoutBlanks.push_back(c);
    }
    require(read(withoutBlanks) == outcome, "removing blanks changes nothing");

    // The odd byte, if any, picks where a blank goes and which one.
    if (!text.empty()) {
        const std::size_t at = size % 2 ? data[size - 1] % (text.size() + 1) : text.size() / 2;
        const char16_t blank = u" \t\n"[at % 3];
        std::u16string withBlank = text;
        withBlank.insert(at, 1, blank);
        require(read(withBlank) == outcome, "inserting a blank changes nothing");
    }

    require(read(text + u"x") == outcome, "appending x changes nothing");
    require(read(text + u"$") == outcome, "appending $ changes nothing");
    return 0;
}
