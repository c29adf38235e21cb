#include "settings_dialog.h"

#include <shellapi.h>

#include "dialog_window.h"

namespace {
// Stand-in music settings until the host's shared module state is linked in.
int16_t g_mode = 0, g_repeat = 0, g_zoomX = 0, g_zoomY = 0;
int32_t g_apiResult = 0;
std::string g_file, g_folder;
}  // namespace

void ShowSettingsDialog(HINSTANCE instance) {
  dialog::DialogHost host;
  host.mode = &g_mode;
  host.repeat = &g_repeat;
  host.file = &g_file;
  host.folder = &g_folder;
  host.zoomX = &g_zoomX;
  host.zoomY = &g_zoomY;
  host.apiResult = &g_apiResult;
  host.writeKey = [](const std::string&, const std::string&) {};
  host.folderOf = [](const std::string& path) { return path.substr(0, path.find_last_of(":\\")); };
  host.openPage = [](HWND owner, const std::string& url) {
    ShellExecuteA(owner, "open", url.c_str(), "", "", SW_SHOWNORMAL);
  };
  dialog::SettingsDialog dlg(host);
  if (dlg.Create(instance)) dlg.RunModal();
}
