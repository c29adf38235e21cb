// The host's command line (portable): the arguments after the program name, the mode letter and
// the preview's parent handle. Texts are UTF-8 (the wide command line of the process, converted).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace Lumenfall_B {
// The arguments of the command line after the program name (UTF-8), as Main read them.
extern std::string CommandArguments;
}  // namespace Lumenfall_B

namespace orv {

// The arguments after the program name, as the process received them: a program name in double
// quotes ends at the closing quote, an unquoted one at the first blank or tab; the blanks and tabs
// that follow it are dropped.
std::string ArgumentsOf(const std::string& commandLine);

enum class Mode { Preview, Settings, Saver, SaverCursorVisible, End };

// The second character of the upper-cased arguments decides: P preview, C settings, S saver with
// the cursor hidden; empty arguments run the saver with the cursor visible; anything else ends.
Mode ModeOf(const std::string& arguments);

// The mode letter: the second character of the arguments, upper-cased ('\0' when there is none or
// it is not a single-byte character). Used again when the saver closes (the cursor rule).
char ModeLetterOf(const std::string& arguments);

// The preview's parent handle: the arguments from their fourth character on, read as a decimal
// number (blanks, tabs and line feeds skipped wherever they stand, reading stops at the first
// character that cannot continue the number, no digits give 0), rounded to the nearest signed
// 32-bit integer (halves to even). A number beyond 32 bits gives nothing.
std::optional<int32_t> PreviewHandleOf(const std::string& arguments);

}  // namespace orv
