#include "dialog_rules.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

namespace dialog {

ModeLook LookForMode(int mode) {
  if (mode < 0 || mode > 2) return {-1, false, false};
  return {mode, mode == 1, mode == 2};
}

std::string FormatTrack(int value) { return value == 0 ? std::string() : std::to_string(value); }

std::string ValueText(int value) {
  return value < 0 ? std::to_string(value) : " " + std::to_string(value);
}

int16_t ParseTrack(const std::string& text) {
  auto blank = [](char c) { return c == ' ' || c == '\t'; };
  size_t b = 0, e = text.size();
  while (b < e && blank(text[b])) ++b;
  while (e > b && blank(text[e - 1])) --e;
  std::string number = text.substr(b, e - b);
  // Accept only [sign] digits [. digits] (at least one digit), so that strtod's wider grammar
  // (hexadecimal, "inf", exponents) never slips through.
  size_t i = 0, digits = 0;
  if (i < number.size() && (number[i] == '+' || number[i] == '-')) ++i;
  while (i < number.size() && std::isdigit(static_cast<unsigned char>(number[i]))) ++i, ++digits;
  if (i < number.size() && number[i] == '.') {
    ++i;
    while (i < number.size() && std::isdigit(static_cast<unsigned char>(number[i]))) ++i, ++digits;
  }
  if (digits == 0 || i != number.size()) return 0;
  double rounded = std::nearbyint(std::strtod(number.c_str(), nullptr));  // ties to even
  if (rounded < -32768.0 || rounded > 32767.0) return 0;
  return static_cast<int16_t>(rounded);
}

Placement PlaceWindow(double screenWidth, double screenHeight, double windowWidth,
                      double windowHeight) {
  long freeWidth = std::lround(std::nearbyint(screenWidth - windowWidth));
  long freeHeight = std::lround(std::nearbyint(screenHeight - windowHeight));
  return {freeWidth / 2, freeHeight / 3};  // C++ division truncates toward zero
}

int GradientLevel(double y, double height) {
  double k = height / 3.142;  // the gradient's own constant, a little above pi
  return static_cast<int>(std::nearbyint(std::fabs(std::sin(y / k) * 220.0)));
}

int GradientRowLevel(int row, int rows, double height) {
  if (rows <= 1) return GradientLevel(0, height);
  return GradientLevel(height * row / (rows - 1), height);
}

}  // namespace dialog
