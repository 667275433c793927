#include "arith/operations.h"

#include <gtest/gtest.h>

#include <limits>
#include <ostream>

namespace {

using arith::Operation;

// The result, or the number of the run-time error raised.
struct Row {
    const char *name;
    Operation op;
    double first, second;
    int expected, error = 0;
    friend void PrintTo(const Row &row, std::ostream *out) { *out << row.name; }
};

constexpr int overflow = 6, divisionByZero = 11;
constexpr double maxDouble = std::numeric_limits<double>::max();

class Calculate : public testing::TestWithParam<Row> {};

TEST_P(Calculate, RoundsHalfToEvenOrRaisesItsError)
{
    const Row &row = GetParam();
    try {
        EXPECT_EQ(arith::calculate(row.op, row.first, row.second), row.expected);
        EXPECT_EQ(row.error, 0) << "no error raised";
    } catch (const arith::RunTimeError &error) {
        EXPECT_EQ(static_cast<int>(error.number()), row.error);
        EXPECT_STREQ(error.what(), row.error == overflow ? "Overflow" : "Division by zero");
    }
}

INSTANTIATE_TEST_SUITE_P(Result, Calculate, testing::Values(
    Row{"SubtractFirstMinusSecond", Operation::Subtract, 10, 3, 7},
    Row{"Multiply", Operation::Multiply, -12, 12, -144},
    Row{"SevenHalvesRoundUpToEven", Operation::Divide, 7, 2, 4},
    Row{"FiveHalvesRoundDownToEven", Operation::Divide, 5, 2, 2},
    Row{"NegativeSevenHalves", Operation::Divide, -7, 2, -4},
    Row{"NegativeTwoAndAHalfToEven", Operation::Add, -2.5, 0, -2},
    Row{"NegativeOneHalfToZero", Operation::Add, -0.5, 0, 0},
    Row{"JustAboveHalfUp", Operation::Add, 0.5000000000000001, 0, 1},
    Row{"LargestResult", Operation::Add, 32767, 0, 32767},
    Row{"JustBelowTopHalf", Operation::Add, 32767.499999999996, 0, 32767},
    Row{"SmallestResult", Operation::Subtract, -32767, 1, -32768},
    Row{"BelowSmallestHalfRoundsIn", Operation::Add, -32768.5, 0, -32768}),
    testing::PrintToStringParamName());

INSTANTIATE_TEST_SUITE_P(RunTimeError, Calculate, testing::Values(
    Row{"OneByZero", Operation::Divide, 1, 0, 0, divisionByZero},
    Row{"ByNegativeZero", Operation::Divide, -3, -0.0, 0, divisionByZero},
    Row{"ZeroByZeroIsOverflow", Operation::Divide, 0, 0, 0, overflow},
    Row{"PastLargestResult", Operation::Add, 32767, 1, 0, overflow},
    Row{"TopHalfRoundsOut", Operation::Add, 32767.5, 0, 0, overflow},
    Row{"PastSmallestResult", Operation::Subtract, -32768, 1, 0, overflow},
    Row{"ProductTooLarge", Operation::Multiply, 200, 200, 0, overflow},
    Row{"SumBeyondDouble", Operation::Add, maxDouble, maxDouble, 0, overflow},
    Row{"QuotientBeyondDouble", Operation::Divide, maxDouble, 0.5, 0, overflow}),
    testing::PrintToStringParamName());

} // namespace
