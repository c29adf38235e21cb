// The host's command line; see command_line.h.
#include "command_line.h"

#include <cmath>

#include "number_text.h"

namespace Lumenfall_B {
std::string CommandArguments;
}  // namespace Lumenfall_B

namespace orv {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Byte offset of the n-th (0-based) UTF-8 character, or the text's size when it is shorter.
size_t OffsetOfChar(const std::string& text, size_t n) {
  size_t i = 0;
  for (size_t k = 0; k < n && i < text.size(); ++k) {
    ++i;
    while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) ++i;
  }
  return i;
}

}  // namespace

std::string ArgumentsOf(const std::string& commandLine) {
  size_t i = 0;
  if (!commandLine.empty() && commandLine[0] == '"') {
    i = commandLine.find('"', 1);
    i = i == std::string::npos ? commandLine.size() : i + 1;
  } else {
    while (i < commandLine.size() && !IsBlank(commandLine[i])) ++i;
  }
  while (i < commandLine.size() && IsBlank(commandLine[i])) ++i;
  return commandLine.substr(i);
}

char ModeLetterOf(const std::string& arguments) {
  size_t at = OffsetOfChar(arguments, 1);
  if (at >= arguments.size()) return '\0';
  char c = arguments[at];
  if (static_cast<unsigned char>(c) >= 0x80) return '\0';
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

Mode ModeOf(const std::string& arguments) {
  switch (ModeLetterOf(arguments)) {
    case 'P': return Mode::Preview;
    case 'C': return Mode::Settings;
    case 'S': return Mode::Saver;
    default: return arguments.empty() ? Mode::SaverCursorVisible : Mode::End;
  }
}

std::optional<int32_t> PreviewHandleOf(const std::string& arguments) {
  std::string text;
  for (size_t i = OffsetOfChar(arguments, 3); i < arguments.size(); ++i) {
    char c = arguments[i];
    if (c != ' ' && c != '\t' && c != '\n') text += c;
  }
  double v = 0;
  if (ReadNumber(text, '.', &v) == 0) return 0;
  double r = std::nearbyint(v);  // the default rounding mode: halves to even
  if (!(r >= INT32_MIN && r <= INT32_MAX)) return std::nullopt;
  return static_cast<int32_t>(r);
}

}  // namespace orv
