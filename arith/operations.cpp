#include "arith/operations.h"

#include <cmath>

namespace arith {
namespace {

// Rounds half to even and checks the 16-bit range (Overflow outside it).
std::int16_t toInt16(double value)
{
    // Half to even by hand rather than nearbyint(): the result must not
    // depend on the floating-point rounding mode some library left behind.
    // value - floor(value) is exact for every double.
    double rounded = std::floor(value);
    const double fraction = value - rounded;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(rounded, 2.0) != 0.0))
        rounded += 1.0;
    if (!(rounded >= -32768.0 && rounded <= 32767.0))
        throw RunTimeError(ErrorNumber::Overflow);
    return static_cast<std::int16_t>(rounded);
}

} // namespace

std::int16_t calculate(Operation op, double first, double second)
{
    double outcome = 0.0;
    switch (op) {
    case Operation::Add:
        outcome = first + second;
        break;
    case Operation::Subtract:
        outcome = first - second;
        break;
    case Operation::Multiply:
        outcome = first * second;
        break;
    case Operation::Divide:
        if (second == 0.0) {
            // 0/0 has no value at all, which BASIC reports as an overflow.
            throw RunTimeError(first == 0.0 ? ErrorNumber::Overflow : ErrorNumber::DivisionByZero);
        }
        outcome = first / second;
        break;
    }
    if (!std::isfinite(outcome))
        throw RunTimeError(ErrorNumber::Overflow);
    return toInt16(outcome);
}

} // namespace arith
