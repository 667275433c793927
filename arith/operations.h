#pragma once

#include "arith/run_time_error.h"

#include <cstdint>

namespace arith {

enum class Operation { Add, Subtract, Multiply, Divide };

// Combines two operand values in double precision and converts the outcome
// to a signed 16-bit integer, rounding half to even.
// Throws RunTimeError: DivisionByZero for x / 0 with x != 0, Overflow for
// 0 / 0, for an outcome beyond a double, and for a rounded outcome outside
// -32768 ... 32767.
std::int16_t calculate(Operation op, double first, double second);

} // namespace arith
