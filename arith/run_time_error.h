#pragma once

#include <exception>

namespace arith {

// The numbers are the classic BASIC run-time error codes; users and old
// documentation know the errors by these numbers, so they are part of the
// program's face and must not be renumbered.
enum class ErrorNumber : int {
    Overflow = 6,        // a value does not fit its type (double or 16-bit result)
    DivisionByZero = 11, // a non-zero number divided by zero
};

// Raised by operand reading and by the operations when a value cannot be
// produced. Carries the number; what() describes it in English (the program
// words its error box by the number, in the user's language).
class RunTimeError : public std::exception {
public:
    explicit RunTimeError(ErrorNumber number) noexcept : number_(number) {}

    ErrorNumber number() const noexcept { return number_; }
    const char *what() const noexcept override;

private:
    ErrorNumber number_;
};

} // namespace arith
