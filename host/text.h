// Paths as the system hands them to the host (portable): the system's ANSI bytes, kept unchanged,
// and cut only between characters. In a double-byte code page such as 932 the byte 0x5C ("\") is
// also the second byte of many characters (ソ 83 5C, 表 95 5C, 能 94 5C), so a rule that looks at
// the last "\" or the last three letters must walk the text by character, never by byte.
#pragma once

#include <array>
#include <cstddef>
#include <string>

namespace orv {

// A system ANSI code page as the path rules need it: which bytes lead a double-byte character.
// The Win32 edge fills it from the system (text_system.h: SystemCodePage); tests fill it for 932.
class AnsiCodePage {
 public:
  // A single-byte code page: every byte is a character of its own.
  AnsiCodePage() { lead_.fill(false); }
  void SetLeadByte(unsigned char byte, bool lead = true) { lead_[byte] = lead; }
  bool IsLeadByte(unsigned char byte) const { return lead_[byte]; }

 private:
  std::array<bool, 256> lead_;
};

// Where the character that ends the text begins: walks from the start, taking a lead byte and the
// byte after it as one character. The text's size for empty text.
size_t LastCharStart(const std::string& text, const AnsiCodePage& codePage);

// The folder part of path, without a trailing backslash: up to the last ':' or '\' character
// (D:\Music for D:\Music\a.mp3, D: for D:\a.mp3 and D:a.mp3, empty for a.mp3).
std::string FolderOf(const std::string& path, const AnsiCodePage& codePage);

// The path without the "\" character that ends it, if one does (a trail byte 0x5C is no "\").
std::string WithoutTrailingBackslash(const std::string& path, const AnsiCodePage& codePage);

// The path up to, not including, its last "\" character; empty when it has none.
std::string ParentOf(const std::string& path, const AnsiCodePage& codePage);

// The last n characters of text (all of it when it is shorter).
std::string LastChars(const std::string& text, size_t n, const AnsiCodePage& codePage);

}  // namespace orv
