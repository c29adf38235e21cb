// Numbers written as text, as the command line and the settings file hold them (portable).
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace orv {

// Reads the longest number at the start of text: sign, digits, decimal separator and digits,
// exponent. Returns the number of bytes used (0 when there is no digit) and the value.
size_t ReadNumber(const std::string& text, char decimalSeparator, double* value);

// A number in text: blanks before and after allowed, a sign, digits with the given decimal
// separator, an exponent; nothing when the text is anything else.
std::optional<double> ParseNumber(const std::string& text, char decimalSeparator = '.');

}  // namespace orv
