// The settings dialog's window under a real user32/gdi32: where its controls stand in pixels,
// which of them each mode enables, what Set hands to the settings file and how the file chooser
// is called.
#include "dialog_window.h"

#include "command_button.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

namespace {

struct Fixture : ::testing::Test {
  int16_t mode = 0, repeat = 0, zoomX = 0, zoomY = 0;
  int32_t apiResult = 0;
  std::string file, folder = "C:\\Music";
  std::vector<std::pair<std::string, std::string>> written;  // every write attempted
  int failingWrites = 0;  // how many of the next writes the system refuses
  std::vector<std::pair<HWND, std::wstring>> told;  // messages shown, with their owner
  std::vector<HWND> zooms;
  std::vector<std::string> zoomSteps;  // "open"/"close", the pointer point, the window's state
  OPENFILENAMEA seen{};
  std::string seenFilter, seenTitle, seenFolder;
  const char* chosen = nullptr;  // what the stand-in chooser returns; nullptr = cancelled
  std::vector<std::string> opened;  // pages handed to the shell

  dialog::DialogHost Host() {
    dialog::DialogHost h;
    h.mode = &mode, h.repeat = &repeat, h.file = &file, h.folder = &folder;
    h.zoomX = &zoomX, h.zoomY = &zoomY, h.apiResult = &apiResult;
    h.writeKey = [this](const std::string& k, const std::string& v) {
      written.emplace_back(k, v);
      if (failingWrites == 0) return true;
      --failingWrites;
      return false;
    };
    h.settingsPath = [] { return std::string("C:\\Program Files\\\x8B\xC8\\Orvellia.ini"); };  // "曲"
    h.tell = [this](HWND owner, const std::wstring& text) { told.emplace_back(owner, text); };
    h.folderOf = [](const std::string& p) { return p.substr(0, p.find_last_of(":\\")); };
    auto zoom = [this](const char* step, HWND w) {
      zooms.push_back(w);
      zoomSteps.push_back(std::string(step) + " " + std::to_string(zoomX) + "," +
                          std::to_string(zoomY) + (IsWindowVisible(w) ? " shown" : " hidden"));
    };
    h.zoomOpen = [zoom](HWND w) { zoom("open", w); };
    h.zoomClose = [zoom](HWND w) { zoom("close", w); };
    h.openPage = [this](HWND, const std::string& url) { opened.push_back(url); };
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
    HWND control = GetDlgItem(dialogWindow, id);
    return orv::button::IsCommand(control) ? orv::button::Command_Enabled(control)
                                           : IsWindowEnabled(control) != FALSE;
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
  // Kept out of the task bar by a hidden owner, with a normal title bar.
  HWND owner = GetWindow(w, GW_OWNER);
  ASSERT_NE(nullptr, owner);
  EXPECT_FALSE(IsWindowVisible(owner));
  EXPECT_FALSE(ex & (WS_EX_APPWINDOW | WS_EX_TOOLWINDOW));

  // Child windows: the track box and the three buttons (the panel starts at 12,16).
  RECT repeatBox = ChildRect(w, dialog::kIdRepeat);
  EXPECT_EQ(124, repeatBox.left);
  EXPECT_EQ(68, repeatBox.top);
  EXPECT_EQ(165, repeatBox.right);
  // Closed, the box is as high as its font makes it: 20 pixels (300 twips) with the design font,
  // a little more with the font that stands in for it here.
  EXPECT_GE(repeatBox.bottom - repeatBox.top, 20);
  EXPECT_LE(repeatBox.bottom - repeatBox.top, 24);
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
  tk::ElementRef cdIndicator = hit(40, 72), cdCaption = hit(56, 72);
  EXPECT_TRUE(cdIndicator.found());
  EXPECT_TRUE(cdCaption.found());
  EXPECT_TRUE(cdIndicator != cdCaption);
  EXPECT_RECT(40, 72, 53, 85, f.PixelRect(cdIndicator));   // Img_BGM(1): 420,840 in the panel
  EXPECT_RECT(40, 92, 53, 105, f.PixelRect(hit(46, 98)));  // Img_BGM(0)
  // Captions sized to their text: fixed left, top and height; the width is the text's.
  auto sizedToText = [](const RECT& r, LONG left, LONG top, LONG minWidth) {
    EXPECT_EQ(left, r.left);
    EXPECT_EQ(top, r.top);
    EXPECT_EQ(13, r.bottom - r.top);
    EXPECT_GE(r.right - r.left, minWidth);
    EXPECT_LE(r.right - r.left, 3 * minWidth);
  };
  sizedToText(f.PixelRect(cdCaption), 56, 72, 30);           // lbl_BGM(1) "音楽CD"
  sizedToText(f.PixelRect(hit(60, 118)), 56, 112, 40);       // lbl_BGM(2) "MP3、WAV"
  sizedToText(f.PixelRect(hit(20, 214)), 12, 208, 150);      // lbl_URL
  EXPECT_FALSE(hit(8, 8).found());  // the gradient alone
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
    EXPECT_TRUE(told.empty());
    EXPECT_EQ(1u, zooms.size()) << "closing plays the zoom";
  }
  written.clear();
  dlg.CancelClick();
  EXPECT_TRUE(written.empty());
  EXPECT_FALSE(IsWindow(w));
  SendMessageW(w, WM_CLOSE, 0, 0);  // harmless on a closed window
}

TEST_F(Fixture, SetThatCannotSaveSaysSoAndKeepsTheDialogAsChosen) {
  mode = 0;
  file = "D:\\Music\\song.mp3";
  dialog::SettingsDialog dlg(Host());
  ASSERT_TRUE(dlg.Create(GetModuleHandleW(nullptr)));
  HWND w = dlg.hwnd();
  dlg.SelectMode(1);
  SetDlgItemTextW(w, dialog::kIdRepeat, L"7");
  const std::wstring message =
      L"設定をﾌｧｲﾙに保存できません！\r\nC:\\Program Files\\曲\\Orvellia.ini";
  // Whichever write fails, all three are attempted in order, the user is told over the dialog,
  // and the dialog stays open with the mode, the track text and the file as chosen.
  for (int failing : {3, 1}) {
    written.clear();
    told.clear();
    zooms.clear();
    failingWrites = failing;
    dlg.SetClick();
    ASSERT_EQ(3u, written.size()) << failing;
    EXPECT_EQ("BGM区分", written[0].first);
    EXPECT_EQ("BGMﾘﾋﾟｰﾄ", written[1].first);
    EXPECT_EQ(" 7", written[1].second);
    EXPECT_EQ("BGMﾌｧｲﾙ", written[2].first);
    ASSERT_EQ(1u, told.size()) << failing;
    EXPECT_EQ(w, told[0].first);
    EXPECT_EQ(message, told[0].second);
    ASSERT_TRUE(IsWindow(w)) << "the dialog stays open";
    EXPECT_TRUE(zooms.empty()) << "no closing zoom";
    wchar_t track[8];
    GetDlgItemTextW(w, dialog::kIdRepeat, track, 8);
    EXPECT_STREQ(L"7", track);
    EXPECT_EQ(1, mode);
    EXPECT_TRUE(Enabled(w, dialog::kIdRepeat));
    EXPECT_EQ("D:\\Music\\song.mp3", file);
  }
  // Trying again when the file can be written saves the same three keys and closes quietly.
  written.clear();
  told.clear();
  dlg.SetClick();
  EXPECT_EQ((std::vector<std::pair<std::string, std::string>>{
                {"BGM区分", " 1"}, {"BGMﾘﾋﾟｰﾄ", " 7"}, {"BGMﾌｧｲﾙ", "D:\\Music\\song.mp3"}}),
            written);
  EXPECT_TRUE(told.empty());
  EXPECT_FALSE(IsWindow(w));
  EXPECT_EQ(std::vector<HWND>{w}, zooms);
}

TEST_F(Fixture, AddressLabelShowsTheHandAndOpensItsOwnCaption) {
  dialog::SettingsDialog dlg(Host());
  ASSERT_TRUE(dlg.Create(GetModuleHandleW(nullptr)));
  HWND w = dlg.hwnd();
  ShowWindow(w, SW_SHOWNORMAL);
  POINT onUrl{20, 214};
  ClientToScreen(w, &onUrl);
  ASSERT_TRUE(SetCursorPos(onUrl.x, onUrl.y));
  SendMessageW(w, WM_SETCURSOR, reinterpret_cast<WPARAM>(w), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(GetCursor(), &info));
  EXPECT_FALSE(info.fIcon);
  EXPECT_EQ(12u, info.xHotspot);  // the fingertip of the hand picture
  EXPECT_EQ(10u, info.yHotspot);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);

  // A press and release on the label opens the address; a press that ends elsewhere does not.
  Press(w, WM_LBUTTONDOWN, 20, 214);
  Press(w, WM_LBUTTONUP, 20, 214);
  EXPECT_EQ(std::vector<std::string>{"https://orvellia.example.org/"}, opened);
  Press(w, WM_LBUTTONDOWN, 20, 214);
  Press(w, WM_LBUTTONUP, 300, 100);
  EXPECT_EQ(1u, opened.size());
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

// The zoom opens from the pointer before the window shows, and closes to the same point while
// the window still stands.
TEST_F(Fixture, ZoomOpensFromThePointerAndClosesBackToIt) {
  ASSERT_TRUE(SetCursorPos(200, 300));
  dialog::SettingsDialog dlg(Host());
  ASSERT_TRUE(dlg.Create(GetModuleHandleW(nullptr)));
  EXPECT_EQ(std::vector<std::string>{"open 200,300 hidden"}, zoomSteps);
  EXPECT_EQ(std::vector<HWND>{dlg.hwnd()}, zooms);
  ShowWindow(dlg.hwnd(), SW_SHOWNORMAL);
  ASSERT_TRUE(SetCursorPos(10, 20));  // the pointer's later moves do not count
  HWND w = dlg.hwnd();
  dlg.CancelClick();
  EXPECT_EQ((std::vector<std::string>{"open 200,300 hidden", "close 200,300 shown"}), zoomSteps);
  EXPECT_EQ((std::vector<HWND>{w, w}), zooms);
}

TEST_F(Fixture, FileChooserGetsTheFirstRecordLayoutAndItsChoiceIsShown) {
  mode = 2;
  dialog::SettingsDialog dlg(Host());
  ASSERT_TRUE(dlg.Create(GetModuleHandleW(nullptr)));
  file = "C:\\Music\\old.mp3";
  chosen = "E:\\Music\\song.mp3";
  dlg.FileClick();
  EXPECT_EQ(L"E:\\Music\\song.mp3", dlg.FileNameText()) << "lbl_Fname shows the choice";
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
  EXPECT_EQ(L"E:\\Music\\song.mp3", dlg.FileNameText());
  EXPECT_EQ(0, apiResult);
  // A path of the system in code page 932 is shown as its characters: E:\音楽\ソング.mp3.
  chosen = "E:\\\x89\xB9\x8A\x79\\\x83\x5C\x83\x93\x83\x4F.mp3";
  dlg.FileClick();
  EXPECT_EQ(L"E:\\\x97F3\x697D\\\x30BD\x30F3\x30B0.mp3", dlg.FileNameText());
}

// The composed picture (gradient, panel, labels, indicators), read back from a memory DC.
struct Picture {
  int width = 0, height = 0;
  std::vector<DWORD> pixels;  // 0x00RRGGBB, top-down
  DWORD At(int x, int y) const { return pixels[y * width + x]; }
};

Picture Compose(tk::Form& form) {
  Picture p;
  p.width = form.ClientPixels().cx;
  p.height = form.ClientPixels().cy;
  p.pixels.resize(p.width * p.height);
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), p.width, -p.height, 1, 32, BI_RGB};
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bmp);
  form.Paint(dc);
  GdiFlush();
  memcpy(p.pixels.data(), bits, p.pixels.size() * 4);
  // For a look at the picture: set ORV_DIALOG_PICTURE to a .bmp path.
  if (const char* path = getenv("ORV_DIALOG_PICTURE")) {
    BITMAPFILEHEADER fh{0x4D42, static_cast<DWORD>(sizeof fh + sizeof bi.bmiHeader + p.pixels.size() * 4), 0, 0,
                        sizeof fh + sizeof bi.bmiHeader};
    FILE* f = fopen(path, "wb");
    fwrite(&fh, sizeof fh, 1, f);
    fwrite(&bi.bmiHeader, sizeof bi.bmiHeader, 1, f);
    fwrite(bits, 4, p.pixels.size(), f);
    fclose(f);
  }
  SelectObject(dc, old);
  DeleteObject(bmp);
  DeleteDC(dc);
  for (DWORD& px : p.pixels) px &= 0xFFFFFF;
  return p;
}

TEST_F(Fixture, PaintsGradientPanelIndicatorsAndKeepsThemAcrossRepaints) {
  mode = 1;
  file = "C:\\Music\\a.mp3";
  dialog::SettingsDialog dlg(Host());
  ASSERT_TRUE(dlg.Create(GetModuleHandleW(nullptr)));
  Picture p = Compose(dlg.form());
  ASSERT_EQ(494, p.width);
  ASSERT_EQ(246, p.height);
  EXPECT_EQ(0x00001Eu, p.At(4, 0));      // gradient top row: 0, 0, 30
  EXPECT_EQ(0xDCDCFAu, p.At(4, 123));    // middle row: 220, 220, 250
  EXPECT_EQ(0x00001Eu, p.At(4, 245));    // bottom row
  EXPECT_EQ(0xDCDCFAu, p.At(490, 123));  // across the whole width
  // The panel's photograph covers its rectangle (12,16)-(481,181): pale, not the gradient.
  for (POINT at : {POINT{14, 17}, POINT{470, 178}, POINT{250, 100}}) {
    DWORD c = p.At(at.x, at.y);
    EXPECT_GT(((c >> 16) & 255) + ((c >> 8) & 255) + (c & 255), 3u * 150) << at.x << "," << at.y;
  }
  EXPECT_EQ(p.At(4, 20), p.At(11, 20)) << "left of the panel the gradient shows";
  // Indicators: the selected one (audio CD at 40,72) holds blue, the others do not.
  auto blue = [&](int x, int y) {
    int n = 0;
    for (int j = y; j < y + 12; ++j)
      for (int i = x; i < x + 12; ++i) {
        DWORD c = p.At(i, j);
        n += (c & 255) > 180 && ((c >> 16) & 255) < 120;
      }
    return n;
  };
  EXPECT_GT(blue(40, 72), 40);
  EXPECT_EQ(0, blue(40, 92));
  EXPECT_EQ(0, blue(40, 112));
  // The heading frame is a black outline at (32,36)-(145,57) of the window.
  EXPECT_EQ(0u, p.At(60, 36));
  EXPECT_EQ(0u, p.At(32, 45));
  // White text of the credit line over the dark gradient.
  int white = 0;
  for (int x = 12; x < 177; ++x)
    for (int y = 192; y < 205; ++y) white += p.At(x, y) == 0xFFFFFFu;
  EXPECT_GT(white, 50);
  // Selecting another mode redraws the indicators; a repaint keeps the gradient.
  dlg.SelectMode(2);
  RedrawWindow(dlg.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  Picture q = Compose(dlg.form());
  EXPECT_EQ(0, [&] { p = q; return blue(40, 72); }());
  EXPECT_GT(blue(40, 112), 40);
  EXPECT_EQ(0xDCDCFAu, q.At(4, 123));
}

}  // namespace
