#include "arith/run_time_error.h"

namespace arith {

const char *RunTimeError::what() const noexcept
{
    switch (number_) {
    case ErrorNumber::Overflow:
        return "Overflow";
    case ErrorNumber::DivisionByZero:
        return "Division by zero";
    }
    return "Unknown error";
}

} // namespace arith
