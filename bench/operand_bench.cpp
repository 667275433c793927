// Cost of reading a long operand, from ten characters to ten million: the
// per-character cost must stay flat (reading is linear in the text's length).
#include "arith/operand.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// A long decimal fraction, the worst ordinary case: every character is a
// digit that has to be kept for correct rounding.
std::u16string fraction(std::size_t length)
{
    std::u16string text = u"0.";
    while (text.size() < length)
        text.push_back(static_cast<char16_t>(u'0' + text.size() % 10));
    return text;
}

// Digits broken up by blanks, as pasted numbers come.
std::u16string spaced(std::size_t length)
{
    std::u16string text;
    while (text.size() < length)
        text.push_back(text.size() % 4 == 3 ? u' ' : u'7');
    return text.substr(0, 2) + u"." + text.substr(3);
}

void readFraction(benchmark::State &state)
{
    const std::u16string text = fraction(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(arith::operandValue(text));
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}

void readSpaced(benchmark::State &state)
{
    const std::u16string text = spaced(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(arith::operandValue(text));
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}

} // namespace

BENCHMARK(readFraction)->RangeMultiplier(10)->Range(10, 10'000'000)->Unit(benchmark::kMicrosecond);
BENCHMARK(readSpaced)->RangeMultiplier(10)->Range(10, 10'000'000)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
