// Paths as the system hands them to the host; see text.h.
#include "text.h"

#include <vector>

namespace orv {
namespace {

// The byte offsets at which the characters of text begin, in order.
std::vector<size_t> CharStarts(const std::string& text, const AnsiCodePage& codePage) {
  std::vector<size_t> starts;
  for (size_t i = 0; i < text.size();) {
    starts.push_back(i);
    bool pair = codePage.IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size();
    i += pair ? 2 : 1;
  }
  return starts;
}

// The offset of the last single-byte character that is one of `separators`, or npos.
size_t LastSeparator(const std::string& text, const char* separators, const AnsiCodePage& codePage) {
  size_t found = std::string::npos;
  // Separators are ASCII, which no code page takes for a lead byte: a character that begins with
  // one is that separator.
  for (size_t at : CharStarts(text, codePage))
    for (const char* s = separators; *s; ++s)
      if (text[at] == *s) found = at;
  return found;
}

}  // namespace

size_t LastCharStart(const std::string& text, const AnsiCodePage& codePage) {
  std::vector<size_t> starts = CharStarts(text, codePage);
  return starts.empty() ? text.size() : starts.back();
}

std::string FolderOf(const std::string& path, const AnsiCodePage& codePage) {
  size_t cut = LastSeparator(path, ":\\", codePage);
  if (cut == std::string::npos) return "";
  return WithoutTrailingBackslash(path.substr(0, cut + 1), codePage);
}

std::string WithoutTrailingBackslash(const std::string& path, const AnsiCodePage& codePage) {
  size_t last = LastCharStart(path, codePage);
  if (last + 1 == path.size() && path[last] == '\\') return path.substr(0, last);
  return path;
}

std::string ParentOf(const std::string& path, const AnsiCodePage& codePage) {
  size_t cut = LastSeparator(path, "\\", codePage);
  return cut == std::string::npos ? "" : path.substr(0, cut);
}

std::string LastChars(const std::string& text, size_t n, const AnsiCodePage& codePage) {
  std::vector<size_t> starts = CharStarts(text, codePage);
  return starts.size() <= n ? text : text.substr(starts[starts.size() - n]);
}

}  // namespace orv
