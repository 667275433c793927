#include "arith/operations.h"

#include "row_name.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <ostream>
#include <string>

namespace {

using arith::Operation;

struct Row {
    const char *name;
    Operation op;
    double first;
    double second;
    std::int16_t expected;

    friend void PrintTo(const Row &row, std::ostream *out) { *out << row.name; }
};

class Result : public testing::TestWithParam<Row> {};

TEST_P(Result, IsRoundedHalfToEven)
{
    const Row &row = GetParam();
    EXPECT_EQ(arith::calculate(row.op, row.first, row.second), row.expected);
}

INSTANTIATE_TEST_SUITE_P(Calculate, Result, testing::Values(
    Row{"EmptyBoxesAdd", Operation::Add, 0, 0, 0},
    Row{"SubtractFirstMinusSecond", Operation::Subtract, 10, 3, 7},
    Row{"SubtractSwapped", Operation::Subtract, 3, 10, -7},
    Row{"Multiply", Operation::Multiply, -12, 12, -144},
    Row{"SevenHalvesRoundUpToEven", Operation::Divide, 7, 2, 4},
    Row{"FiveHalvesRoundDownToEven", Operation::Divide, 5, 2, 2},
    Row{"NegativeSevenHalves", Operation::Divide, -7, 2, -4},
    Row{"OneThirdDown", Operation::Divide, 1, 3, 0},
    Row{"TwoThirdsUp", Operation::Divide, 2, 3, 1},
    Row{"ZeroDividedByNonZero", Operation::Divide, 0, -5, 0},
    Row{"TwoAndAHalfToEven", Operation::Add, 2.5, 0, 2},
    Row{"OneAndAHalfToEven", Operation::Add, 1.5, 0, 2},
    Row{"NegativeTwoAndAHalfToEven", Operation::Add, -2.5, 0, -2},
    Row{"OneHalfToZero", Operation::Add, 0.5, 0, 0},
    Row{"NegativeOneHalfToZero", Operation::Add, -0.5, 0, 0},
    Row{"JustAboveHalfUp", Operation::Add, 0.5000000000000001, 0, 1},
    Row{"PointOnePlusPointTwo", Operation::Add, 0.1, 0.2, 0},
    Row{"LargestResult", Operation::Add, 32767, 0, 32767},
    Row{"JustBelowTopHalf", Operation::Add, 32767.499999999996, 0, 32767},
    Row{"SmallestResult", Operation::Subtract, -32767, 1, -32768},
    Row{"BelowSmallestHalfRoundsIn", Operation::Add, -32768.5, 0, -32768}),
    rowName<Row>);

struct ErrorRow {
    const char *name;
    Operation op;
    double first;
    double second;
    int number;
    const char *description;

    friend void PrintTo(const ErrorRow &row, std::ostream *out) { *out << row.name; }
};

class RunTimeErrors : public testing::TestWithParam<ErrorRow> {};

TEST_P(RunTimeErrors, AreRaisedWithNumberAndDescription)
{
    const ErrorRow &row = GetParam();
    try {
        arith::calculate(row.op, row.first, row.second);
        FAIL() << "no error raised";
    } catch (const arith::RunTimeError &error) {
        EXPECT_EQ(error.number(), row.number);
        EXPECT_EQ(error.description(), row.description);
    }
}

constexpr double maxDouble = std::numeric_limits<double>::max();

INSTANTIATE_TEST_SUITE_P(Calculate, RunTimeErrors, testing::Values(
    ErrorRow{"OneByZero", Operation::Divide, 1, 0, 11, "Division by zero"},
    ErrorRow{"ByNegativeZero", Operation::Divide, -3, -0.0, 11, "Division by zero"},
    ErrorRow{"ZeroByZeroIsOverflow", Operation::Divide, 0, 0, 6, "Overflow"},
    ErrorRow{"PastLargestResult", Operation::Add, 32767, 1, 6, "Overflow"},
    ErrorRow{"TopHalfRoundsOut", Operation::Add, 32767.5, 0, 6, "Overflow"},
    ErrorRow{"PastSmallestResult", Operation::Subtract, -32768, 1, 6, "Overflow"},
    ErrorRow{"ProductTooLarge", Operation::Multiply, 200, 200, 6, "Overflow"},
    ErrorRow{"SumBeyondDouble", Operation::Add, maxDouble, maxDouble, 6, "Overflow"},
    ErrorRow{"QuotientBeyondDouble", Operation::Divide, maxDouble, 0.5, 6, "Overflow"}),
    rowName<ErrorRow>);

} // namespace
