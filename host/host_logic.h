// Portable logic of the screen-saver host (no windows.h): the state shared by the whole host, the
// command-line rules, the number rules of the settings file, the settings load decisions and the
// renderer watch. The Win32 edge (host_core.h) carries out what these decide.
//
// Text. Values that come from the system (paths read from Orvellia.ini, the file chooser, the
// host's folder) are kept as the system's ANSI bytes, unchanged: code page 932 on a Japanese
// system. Fixed texts of the source (key names, messages) are UTF-8 here and are converted to code
// page 932 at the Win32 edge (host_core.h: Cp932FromUtf8), so a settings file written here is
// byte-for-byte one written on a Japanese system. Screens show text through the wide (W) functions:
// WideFromCp932 for code page 932 bytes, WideFromUtf8 for texts of the source.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

// Module state of the music module: the music settings, filled by LoadSettings, changed by the
// settings dialog, read by the running saver and the music procedures.
namespace Lumenfall_BGM {
extern int16_t BgmMode;    // 0 no music, 1 audio CD, 2 music file; other values play nothing
extern int16_t BgmRepeat;  // CD track to repeat, 0 none
extern std::string BgmFile;    // full path of the music file (ANSI bytes), empty when none
extern std::string BgmFolder;  // where the file chooser opens (ANSI bytes)
}  // namespace Lumenfall_BGM

// Module state of the start-up module.
namespace Lumenfall_B {
extern int32_t ApiResult;                   // results of system calls nobody acts on
extern std::optional<int32_t> CursorCount;  // display count when Main hid the cursor
extern int16_t ZoomX, ZoomY;                // pointer position where the dialog's zoom starts/ends
}  // namespace Lumenfall_B

namespace orv {

// The settings file: its name beside the host, its one section and its three keys (UTF-8 here).
inline constexpr const char* kIniName = "\\Orvellia.ini";
inline constexpr const char* kIniSection = "Section";
inline constexpr const char* kKeyBgmMode = "BGM区分";
inline constexpr const char* kKeyBgmRepeat = "BGMﾘﾋﾟｰﾄ";
inline constexpr const char* kKeyBgmFile = "BGMﾌｧｲﾙ";
inline constexpr const char* kRendererName = "\\Orvellia.dll";
inline constexpr const char* kMissingRendererText = "Orvellia.dll が同じﾌｫﾙﾀﾞに見つかりません！";
inline constexpr const char* kAppTitle = "Orvellia";

// Window titles by which the host's instances and the renderer find each other.
inline constexpr const char* kSaverTitle = "Lumenfall_Main";
inline constexpr const char* kDialogTitle = "<Orvellia>";
inline constexpr const char* kRendererTitle = "Lumenfall_VC";
inline constexpr const char* kPreviewTitle = "Preview Window";

// --- Command line (UTF-8) ---

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

// --- Numbers and paths of the settings file ---

// A number in text: blanks before and after allowed, a sign, digits with the given decimal
// separator, an exponent; nothing when the text is anything else.
std::optional<double> ParseNumber(const std::string& text, char decimalSeparator = '.');

// A settings number: the text read as a number with the locale's decimal separator, blanks before
// and after allowed, rounded down (toward minus infinity); nothing when the text is not a number or
// the result does not fit in 16 bits.
std::optional<int16_t> IniNumber(const std::string& text, char decimalSeparator = '.');

// A number as the settings dialog writes it: one blank before a number that is not negative.
std::string IniNumberText(int value);

// The folder part of path, without a trailing backslash: up to the last ':' or '\' (D:\Music for
// D:\Music\a.mp3, D: for D:\a.mp3 and D:a.mp3, empty for a.mp3).
std::string FolderOf(const std::string& path);

// What LoadSettings needs from the system.
struct SettingsSource {
  std::function<std::string(const char* key)> read;        // value of a key of "Section", or ""
  std::function<bool(const std::string& path)> pathExists;  // a readable file
  std::string hostFolder;                                   // folder of the running host
  char decimalSeparator = '.';
};

// Fills the music settings from the source by the load rules: unreadable numbers keep the current
// value, a music file that cannot be read is cleared (and mode 2 falls back to 0), the chooser's
// folder is the music file's folder or else the host's.
void LoadSettingsFrom(const SettingsSource& source);

// --- Running saver ---

enum class MusicKind { None, Wav, Mp3 };
// The kind of a music file by the last three characters of its name, upper-cased.
MusicKind MusicKindOf(const std::string& file);

// The state of the renderer process that the saver started.
enum class RendererProcess { NotStarted, Running, Exited };

// Whether the renderer watch ends the saver: only when no renderer window exists and either one was
// seen before, or the renderer process has ended or could not be started. A renderer that is still
// starting is not taken for ended.
bool WatchEndsSaver(bool windowExists, bool windowSeenBefore, RendererProcess process);

}  // namespace orv
