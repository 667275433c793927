#include "arith/operand.h"
#include "arith/run_time_error.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>

namespace {

// A row expecting this reads a number too large for a double: error 6.
constexpr double overflow = std::numeric_limits<double>::quiet_NaN();

struct Row {
    const char *name;
    std::u16string text;
    double expected;

    friend void PrintTo(const Row &row, std::ostream *out) { *out << row.name; }
};

class OperandValue : public testing::TestWithParam<Row> {};

TEST_P(OperandValue, IsTheLeadingNumber)
{
    const double expected = GetParam().expected;
    try {
        const double value = arith::operandValue(GetParam().text);
        EXPECT_EQ(value, expected);
        EXPECT_EQ(std::signbit(value), std::signbit(expected)) << "the sign of zero";
    } catch (const arith::RunTimeError &error) {
        EXPECT_TRUE(std::isnan(expected)) << "unexpected error " << error.what();
        EXPECT_EQ(error.number(), arith::ErrorNumber::Overflow);
        EXPECT_STREQ(error.what(), "Overflow");
    }
}

INSTANTIATE_TEST_SUITE_P(Reading, OperandValue, testing::Values(
    Row{"Empty", u"", 0},
    Row{"LoneMinusIsPlainZero", u"-", 0},
    Row{"SignedZeroKeepsItsSign", u"-0", -0.0},
    Row{"EveryDroppedCharacter", u" \u200F-\t\u200E1 2\r3\u30004\u061C5\n6", -123456},
    Row{"NoBreakSpaceEnds", u"1\u00A02", 1},
    Row{"TrailingLetters", u"12abc", 12},
    Row{"SecondPointEnds", u"1.2.3", 1.2},
    Row{"ThousandsCommaEnds", u"1,234", 1},
    Row{"DollarSign", u"$5", 0},
    Row{"PointFirst", u".5", 0.5},
    Row{"Negative", u"-2.5", -2.5},
    Row{"PlusAndLeadingZeros", u"+007", 7},
    Row{"PersianZeroToNine", u"\u06F9\u06F0.\u06F5", 90.5},
    Row{"ArabicIndicZeroToNine", u"\u0669\u0660", 90},
    Row{"PersianDecimalSeparator", u"\u06F1\u06F2\u066B\u06F5", 12.5},
    Row{"OnePointOfEitherKind", u"1\u066B5.5", 1.5},
    Row{"MinusSignAndExponentMinusSign", u"\u2212\u06F5e\u22121", -0.5},
    Row{"AsPersianLocaleDataWritesIt", u"\u200E\u2212\u06F1\u066B\u06F5", -1.5},
    Row{"ArabicThousandsSeparatorEnds", u"1\u066C234", 1},
    Row{"ArabicCommaEnds", u"3\u060C5", 3}),
    testing::PrintToStringParamName());

INSTANTIATE_TEST_SUITE_P(Radix, OperandValue, testing::Values(
    Row{"HexLettersAtBothEnds", u"&HaF", 175},
    Row{"HexLettersOtherCase", u"&hAf", 175},
    Row{"HexAllOnes16Bit", u"&HFFFF", -1},
    Row{"HexTop16Bit", u"&H8000", -32768},
    Row{"HexJustPast16Bits", u"&H10000", 65536},
    Row{"HexAllOnes32Bit", u"&HFFFFFFFF", -1},
    Row{"HexTenThousandLeadingZeros", u"&H" + std::u16string(10'000, u'0') + u"FFFF", -1},
    Row{"HexStopsAtNonDigit", u"&H1G", 1},
    Row{"HexBlanksAndPersianDigits", u"& H \u06F1 \u06F0", 16},
    Row{"OctalStopsAtEight", u"&o178", 15},
    Row{"AmpersandOtherLetter", u"&X1", 0},
    Row{"SignBeforePrefixIsNoNumber", u"-&H1", 0}),
    testing::PrintToStringParamName());

INSTANTIATE_TEST_SUITE_P(ExponentAndRange, OperandValue, testing::Values(
    Row{"UpperE", u"1.5E2", 150},
    Row{"LetterD", u"2D2", 200},
    Row{"LowerDNegative", u"2d-2", 0.02},
    Row{"PlusExponent", u"1e+3", 1000},
    Row{"MarkerWithoutDigits", u"1E", 1},
    Row{"ExponentWithoutMantissa", u"E5", 0},
    Row{"LargestDouble", u"1.7976931348623157e308", std::numeric_limits<double>::max()},
    Row{"SmallestSubnormal", u"4.9406564584124654e-324", std::numeric_limits<double>::denorm_min()},
    Row{"BelowHalfSubnormalIsZero", u"2e-324", 0},
    Row{"NegativeFarTooSmallIsNegativeZero", u"-1e-99999999999999999999", -0.0},
    Row{"ZeroWithHugeExponent", u"0e99999", 0},
    Row{"ManyLeadingFractionZeros", u"0." + std::u16string(400, u'0') + u"1e401", 1},
    Row{"HalfwayTiesToEven", u"9007199254740993", 9007199254740992.0},
    Row{"FarDigitBreaksTheTie", u"9007199254740993." + std::u16string(1000, u'0') + u"1", 9007199254740994.0},
    Row{"MillionDigitsRoundCorrectly", u"." + std::u16string(1'000'000, u'3'), 1.0 / 3.0},
    Row{"PastLargestDouble", u"1.7976931348623159e308", overflow},
    Row{"HugeExponent", u"1e400", overflow},
    Row{"NegativeHugeExponentCapped", u"-5e99999999999999999999", overflow},
    Row{"ManyIntegerDigits", u"1" + std::u16string(400, u'0'), overflow},
    Row{"HexPast32Bits", u"&H100000000", overflow}),
    testing::PrintToStringParamName());

} // namespace
