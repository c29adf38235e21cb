// Numbers written as text; see number_text.h.
#include "number_text.h"

#include <charconv>
#include <cmath>

namespace orv {
namespace {
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
}  // namespace

size_t ReadNumber(const std::string& text, char decimalSeparator, double* value) {
  std::string plain;  // the number with '.' as separator, for from_chars
  size_t i = 0, digits = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-') plain += '-';
    ++i;
  }
  for (; i < text.size() && IsDigit(text[i]); ++i, ++digits) plain += text[i];
  if (i < text.size() && text[i] == decimalSeparator) {
    plain += '.';
    for (++i; i < text.size() && IsDigit(text[i]); ++i, ++digits) plain += text[i];
  }
  if (digits == 0) return 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    size_t j = i + 1;
    std::string exponent = "e";
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) exponent += text[j++];
    size_t expDigits = 0;
    for (; j < text.size() && IsDigit(text[j]); ++j, ++expDigits) exponent += text[j];
    if (expDigits > 0) {
      plain += exponent;
      i = j;
    }
  }
  double v = 0;
  auto [end, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), v);
  if (ec == std::errc::result_out_of_range) {
    v = plain[0] == '-' ? -HUGE_VAL : HUGE_VAL;  // too large: beyond every range checked here
    if (plain.find("e-") != std::string::npos) v = 0;  // too small: rounds to zero
  }
  (void)end;
  *value = v;
  return i;
}


std::optional<double> ParseNumber(const std::string& text, char decimalSeparator) {
  size_t begin = 0, end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  std::string number = text.substr(begin, end - begin);
  double v = 0;
  if (number.empty() || ReadNumber(number, decimalSeparator, &v) != number.size()) return std::nullopt;
  return v;
}

}  // namespace orv
