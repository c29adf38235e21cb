#include "settings_dialog.h"

#include <shellapi.h>

#include "dialog_window.h"
#include "music_settings.h"
#include "settings_profile.h"
#include "startup_state.h"
#include "system_library.h"
#include "text.h"
#include "text_system.h"
#include "zoom.h"

void ShowSettingsDialog(HINSTANCE instance) {
  using namespace Lumenfall_B;
  using namespace Lumenfall_BGM;
  dialog::DialogHost host;
  host.mode = &BgmMode;
  host.repeat = &BgmRepeat;
  host.file = &BgmFile;
  host.folder = &BgmFolder;
  host.zoomX = &ZoomX;
  host.zoomY = &ZoomY;
  host.apiResult = &ApiResult;
  // The settings file's path is formed anew for every key, from the host's folder.
  host.writeKey = [](const std::string& key, const std::string& value) {
    return WriteIni(orv::kIniSection, key, value, IniPath());
  };
  host.settingsPath = IniPath;
  // In the style of the missing-renderer message: no icon, OK only, the application's title.
  host.tell = [](HWND owner, const std::wstring& text) {
    MessageBoxW(owner, text.c_str(), WideFromUtf8(orv::kAppTitle).c_str(), MB_OK);
  };
  host.folderOf = [](const std::string& path) { return orv::FolderOf(path, SystemCodePage()); };
  host.zoomOpen = ZoomOpen;
  host.zoomClose = ZoomClose;
  host.openPage = [](HWND owner, const std::string& url) {
    static auto* shellExecute = orv::SystemFunction<decltype(ShellExecuteA)>("shell32.dll", "ShellExecuteA");
    if (shellExecute) shellExecute(owner, "open", url.c_str(), "", "", SW_SHOWNORMAL);
  };
  dialog::SettingsDialog dlg(host);
  if (dlg.Create(instance)) dlg.RunModal();
}
