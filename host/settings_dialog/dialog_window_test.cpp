// The settings dialog's window under a real user32/gdi32: where its controls stand in pixels,
// which of them each mode enables, what Set hands to the settings file and how the file chooser
// is called.
#include "dialog_window.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

struct Fixture : ::testing::Test {
  int16_t mode = 0, repeat = 0, zoomX = 0, zoomY = 0;
  int32_t apiResult = 0;
  std::string file, folder = "C:\\Music";
  std::vector<std::pair<std::string, std::string>> written;
  std::vector<HWND> zooms;
  OPENFILENAMEA seen{};
  std::string seenFilter, seenTitle, seenFolder;
  const char* chosen = nullptr;  // what the stand-in chooser returns; nullptr = cancelled

  dialog::DialogHost Host() {
    dialog::DialogHost h;
    h.mode = &mode, h.repeat = &repeat, h.file = &file, h.folder = &folder;
    h.zoomX = &zoomX, h.zoomY = &zoomY, h.apiResult = &apiResult;
    h.writeKey = [this](const std::string& k, const std::string& v) { written.emplace_back(k, v); };
    h.folderOf = [](const std::string& p) { return p.substr(0, p.find_last_of(":\\")); };
    h.zoomOpen = h.zoomClose = [this](HWND w) { zooms.push_back(w); };
    h.openFileName = [this](OPENFILENAMEA* o) -> BOOL {
      seen = *o;
      seenFilter.assign(o->lpstrFilter, 31);
      seenTitle = o->lpstrTitle;
      seenFolder = o->lpstrInitialDir;
      if (!chosen) return FALSE;
      lstrcpynA(o->lpstrFile, chosen, o->nMaxFile);
      return TRUE;
    };
    return h;
  }

  static RECT ChildRect(HWND dialogWindow, int id) {
    RECT r;
    GetWindowRect(GetDlgItem(dialogWindow, id), &r);
    MapWindowPoints(nullptr, dialogWindow, reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
  static bool Enabled(HWND dialogWindow, int id) {
    return IsWindowEnabled(GetDlgItem(dialogWindow, id)) != FALSE;
  }
  static void Press(HWND w, UINT msg, int x, int y) {
    SendMessageW(w, msg, 0, MAKELPARAM(x, y));
  }
};

#define EXPECT_RECT(l, t, r, b, rect)                                              \
  EXPECT_EQ((std::vector<LONG>{l, t, r, b}),                                       \
            (std::vector<LONG>{(rect).left, (rect).top, (rect).right, (rect).bottom}))

TEST_F(Fixture, WindowAndControlsStandAtTheirPixelPositions) {
  dialog::SettingsDialog dlg(Host());
  ASSERT_TRUE(dlg.Create(GetModuleHandleW(nullptr)));
  HWND w = dlg.hwnd();
  wchar_t title[32];
  GetWindowTextW(w, title, 32);
  EXPECT_STREQ(L"<Orvellia>", title);
  RECT client;
  GetClientRect(w, &client);
  EXPECT_RECT(0, 0, 494, 246, client);
  LONG style = GetWindowLongW(w, GWL_STYLE), ex = GetWindowLongW(w, GWL_EXSTYLE);
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
  EXPECT_TRUE(ex & WS_EX_TOOLWINDOW) << "kept out of the task bar";
  EXPECT_FALSE(ex & WS_EX_APPWINDOW);

  // Child windows: the track box and the three buttons (the panel starts at 12,16).
  RECT repeatBox = ChildRect(w, dialog::kIdRepeat);
  EXPECT_EQ(124, repeatBox.left);
  EXPECT_EQ(68, repeatBox.top);
  EXPECT_EQ(165, repeatBox.right);
  EXPECT_RECT(40, 128, 81, 153, ChildRect(w, dialog::kIdFile));
  EXPECT_RECT(316, 200, 397, 225, ChildRect(w, dialog::kIdSet));
  EXPECT_RECT(400, 200, 481, 225, ChildRect(w, dialog::kIdCancel));
  // The track box's list: the empty entry, then 1 to 30.
  HWND combo = GetDlgItem(w, dialog::kIdRepeat);
  ASSERT_EQ(31, SendMessageW(combo, CB_GETCOUNT, 0, 0));
  wchar_t item[8];
  EXPECT_EQ(0, SendMessageW(combo, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(item)));
  SendMessageW(combo, CB_GETLBTEXT, 30, reinterpret_cast<LPARAM>(item));
  EXPECT_STREQ(L"30", item);

  // Windowless elements, checked by the form's hit test at their pixel rectangles.
  tk::Form& f = dlg.form();
  auto hit = [&f](int x, int y) { return f.HitTest(POINT{x, y}); };
  int cdIndicator = hit(40, 72), cdCaption = hit(56, 72);
  EXPECT_GE(cdIndicator, 0);
  EXPECT_GE(cdCaption, 0);
  EXPECT_NE(cdIndicator, cdCaption);
  EXPECT_RECT(40, 72, 53, 85, f.PixelRect(cdIndicator));   // Img_BGM(1): 420,840 in the panel
  EXPECT_RECT(56, 72, 99, 85, f.PixelRect(cdCaption));     // lbl_BGM(1): 660,840, 645 wide
  EXPECT_RECT(40, 92, 53, 105, f.PixelRect(hit(46, 98)));  // Img_BGM(0)
  EXPECT_RECT(56, 112, 116, 125, f.PixelRect(hit(60, 118)));  // lbl_BGM(2)
  EXPECT_RECT(12, 208, 231, 221, f.PixelRect(hit(20, 214)));  // lbl_URL
  EXPECT_EQ(-1, hit(8, 8));  // the gradient alone
}

TEST_F(Fixture, EachModeEnablesItsControlsAndCaptionsSelectLikeIndicators) {
  struct Case { int16_t mode; bool repeatOn, fileOn; } cases[] = {
      {0, false, false}, {1, true, false}, {2, false, true}, {7, false, false}, {-1, false, false}};
  for (const auto& c : cases) {
    mode = c.mode;
    dialog::SettingsDialog dlg(Host());
    ASSERT_TRUE(dlg.Create(GetModuleHandleW(nullptr)));
    EXPECT_EQ(c.repeatOn, Enabled(dlg.hwnd(), dialog::kIdRepeat)) << c.mode;
    EXPECT_EQ(c.fileOn, Enabled(dlg.hwnd(), dialog::kIdFile)) << c.mode;
  }
  mode = 0;
  dialog::SettingsDialog dlg(Host());
  ASSERT_TRUE(dlg.Create(GetModuleHandleW(nullptr)));
  HWND w = dlg.hwnd();
  Press(w, WM_RBUTTONDOWN, 70, 78);  // right button on the caption "音楽CD"
  EXPECT_EQ(1, mode);
  EXPECT_TRUE(Enabled(w, dialog::kIdRepeat));
  Press(w, WM_LBUTTONDOWN, 46, 118);  // indicator of the file mode
  EXPECT_EQ(2, mode);
  EXPECT_FALSE(Enabled(w, dialog::kIdRepeat));
  EXPECT_TRUE(Enabled(w, dialog::kIdFile));
  Press(w, WM_MBUTTONDOWN, 60, 98);  // caption "なし"
  EXPECT_EQ(0, mode);
  EXPECT_FALSE(Enabled(w, dialog::kIdFile));
}

TEST_F(Fixture, TrackBoxShowsTheStoredTrack) {
  struct Case { int16_t track; const wchar_t* text; } cases[] = {{0, L""}, {12, L"12"}, {-2, L"-2"}};
  for (const auto& c : cases) {
    repeat = c.track;
    dialog::SettingsDialog dlg(Host());
    ASSERT_TRUE(dlg.Create(GetModuleHandleW(nullptr)));
    wchar_t text[16];
    GetDlgItemTextW(dlg.hwnd(), dialog::kIdRepeat, text, 16);
    EXPECT_STREQ(c.text, text);
  }
}

TEST_F(Fixture, SetWritesTheThreeKeysInOrderAndCloses) {
  mode = 1;
  file = "D:\\Music\\song.mp3";
  dialog::SettingsDialog dlg(Host());
  ASSERT_TRUE(dlg.Create(GetModuleHandleW(nullptr)));
  HWND w = dlg.hwnd();
  struct Case { const wchar_t* text; const char* value; } cases[] = {
      {L"5", " 5"}, {L"2.5", " 2"}, {L"3.5", " 4"}, {L"", " 0"}, {L"abc", " 0"}, {L"40000", " 0"}};
  for (const auto& c : cases) {
    dialog::SettingsDialog d(Host());
    ASSERT_TRUE(d.Create(GetModuleHandleW(nullptr)));
    SetDlgItemTextW(d.hwnd(), dialog::kIdRepeat, c.text);
    written.clear();
    zooms.clear();
    d.SetClick();
    ASSERT_EQ(3u, written.size());
    EXPECT_EQ("BGM区分", written[0].first);
    EXPECT_EQ(" 1", written[0].second);
    EXPECT_EQ("BGMﾘﾋﾟｰﾄ", written[1].first);
    EXPECT_EQ(c.value, written[1].second);
    EXPECT_EQ("BGMﾌｧｲﾙ", written[2].first);
    EXPECT_EQ(file, written[2].second);
    EXPECT_FALSE(IsWindow(d.hwnd())) << "Set closes the dialog";
    EXPECT_EQ(1u, zooms.size()) << "closing plays the zoom";
  }
  written.clear();
  dlg.CancelClick();
  EXPECT_TRUE(written.empty());
  EXPECT_FALSE(IsWindow(w));
  SendMessageW(w, WM_CLOSE, 0, 0);  // harmless on a closed window
}

TEST_F(Fixture, CloseBoxWritesNothing) {
  dialog::SettingsDialog dlg(Host());
  ASSERT_TRUE(dlg.Create(GetModuleHandleW(nullptr)));
  HWND w = dlg.hwnd();
  zooms.clear();
  SendMessageW(w, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(w));
  EXPECT_TRUE(written.empty());
  EXPECT_EQ(std::vector<HWND>{w}, zooms);
}

TEST_F(Fixture, FileChooserGetsTheFirstRecordLayoutAndItsChoiceIsShown) {
  mode = 2;
  dialog::SettingsDialog dlg(Host());
  ASSERT_TRUE(dlg.Create(GetModuleHandleW(nullptr)));
  chosen = "E:\\Music\\song.mp3";
  dlg.FileClick();
  EXPECT_EQ(OPENFILENAME_SIZE_VERSION_400A, seen.lStructSize);
  EXPECT_EQ(dlg.hwnd(), seen.hwndOwner);
  EXPECT_EQ(255u, seen.nMaxFile);
  EXPECT_EQ(255u, seen.nMaxFileTitle);
  EXPECT_EQ(0u, seen.Flags);
  EXPECT_EQ(0u, seen.nFilterIndex);
  EXPECT_EQ(std::string("BGM\xCC\xA7\xB2\xD9 (MP3 WAV)\0*.MP3;*.WAV\0\0", 31),
            seenFilter);
  EXPECT_EQ("\xCC\xA7\xB2\xD9\x82\xF0\x8A\x4A\x82\xAD", seenTitle);  // "ﾌｧｲﾙを開く"
  EXPECT_EQ("C:\\Music", seenFolder);
  EXPECT_EQ("E:\\Music\\song.mp3", file);
  EXPECT_EQ("E:\\Music", folder);
  EXPECT_GT(apiResult, 0);
  // Cancelling keeps the earlier choice; the next chooser starts in the chosen file's folder.
  chosen = nullptr;
  dlg.FileClick();
  EXPECT_EQ("E:\\Music", seenFolder);
  EXPECT_EQ("E:\\Music\\song.mp3", file);
  EXPECT_EQ(0, apiResult);
}

}  // namespace
