// The settings dialog's window, over an explicit set of music settings and services so that tests
// can drive it with their own state and a stand-in for the system's file chooser.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "form.h"

namespace dialog {

// GetOpenFileNameA of comdlg32, loaded at its first use; FALSE when the system has none.
BOOL SystemOpenFileName(OPENFILENAMEA* record);

// What the dialog reads and changes. Values and paths are the system's ANSI bytes (code page 932),
// as in the settings file.
struct DialogHost {
  int16_t* mode;      // BgmMode
  int16_t* repeat;    // BgmRepeat
  std::string* file;  // BgmFile
  std::string* folder;  // BgmFolder
  int16_t* zoomX;
  int16_t* zoomY;
  int32_t* apiResult;
  // Writes one key of the settings file's section "Section" (key as UTF-8 text, value as ANSI);
  // false when the system could not write it.
  std::function<bool(const std::string& key, const std::string& value)> writeKey;
  // The settings file's full path (ANSI bytes), named in the message when Set cannot save.
  std::function<std::string()> settingsPath;
  // Shows a message over the dialog: no icon, OK only, the application's title.
  std::function<void(HWND owner, const std::wstring& text)> tell;
  std::function<std::string(const std::string& path)> folderOf;
  std::function<void(HWND)> zoomOpen, zoomClose;
  // The system's file-open dialog; GetOpenFileNameA unless a test stands in.
  std::function<BOOL(OPENFILENAMEA*)> openFileName = SystemOpenFileName;
  // Opens a web page with the shell.
  std::function<void(HWND owner, const std::string& url)> openPage;
};

// Child-window ids of the dialog's real controls.
enum : int { kIdRepeat = 101, kIdFile = 102, kIdSet = 103, kIdCancel = 104 };

class SettingsDialog {
 public:
  explicit SettingsDialog(DialogHost host);
  ~SettingsDialog();
  // Creates the window and runs Form_Load; the window is not shown yet.
  bool Create(HINSTANCE instance);
  // Shows the window and returns when it has closed.
  void RunModal();

  HWND hwnd() const;
  tk::Form& form();
  // Mode selection, as a press on an indicator or its caption.
  void SelectMode(int index);
  void FileClick();
  void SetClick();
  void CancelClick();
  // lbl_Fname's text: the chosen music file, as shown.
  const std::wstring& FileNameText() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace dialog
