// The Command button to look at and to drive by hand or from a scenario:
//   command_button_looks.exe sheet FILE.bmp
//     draws every look at the settings dialog's sizes (81 x 25 "設定" and "ｷｬﾝｾﾙ", 41 x 25 "...")
//     onto one sheet and writes it as a 24-bit BMP (convert FILE.bmp -scale 400% FILE.png);
//   command_button_looks.exe window
//     shows a window "Command test" at (100, 100) with the three buttons at (20, 30), (110, 30)
//     and (200, 30); each Click adds to a count shown in the title ("Command test 1", ...).
#include <cstdio>
#include <string>

#include "command_button.h"

using namespace orv::button;

namespace {

int WriteSheet(const char* out) {
  struct Look {
    Picture picture;
    bool lavenderTop;
  };
  const Look looks[] = {{Picture::Normal, false},          {Picture::HighLight, true},
                        {Picture::Pressed, true},          {Picture::HighLightSelect, true},
                        {Picture::HighLightSelect, false}, {Picture::Selected, false},
                        {Picture::Normal, true},           {Picture::Disable, false}};
  const int rows = sizeof looks / sizeof looks[0];
  const int W = 8 + 81 + 6 + 81 + 6 + 41 + 8, H = 8 + rows * 31;

  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = W;
  bi.bmiHeader.biHeight = H;  // bottom-up, as written to the file
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP sheet = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, sheet);
  RECT all{0, 0, W, H};
  HBRUSH panel = CreateSolidBrush(RGB(0xE0, 0xE0, 0xE0));
  FillRect(dc, &all, panel);
  DeleteObject(panel);

  const struct {
    int x, w;
    const char* caption;
  } buttons[] = {{8, 81, "設定"}, {8 + 81 + 6, 81, "ｷｬﾝｾﾙ"}, {8 + 81 + 6 + 81 + 6, 41, "..."}};
  for (int row = 0; row < rows; ++row) {
    for (const auto& b : buttons) {
      const int y = 8 + row * 31;
      SetViewportOrgEx(dc, b.x, y, nullptr);
      PaintCommandLook(dc, b.w, 25, looks[row].picture, looks[row].lavenderTop);
      CaptionLabel label;
      label.Caption = b.caption;
      label.Top = CaptionTop(375, label.Height);
      label.Width = static_cast<float>(b.w * tk::kTwipsPerPixel);
      label.Enabled = looks[row].picture != Picture::Disable;
      PaintCommandCaption(dc, label);
    }
  }
  SetViewportOrgEx(dc, 0, 0, nullptr);
  GdiFlush();

  const DWORD stride = (W * 3 + 3) & ~3u, size = stride * H;
  BITMAPFILEHEADER fh{};
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof fh + sizeof bi.bmiHeader;
  fh.bfSize = fh.bfOffBits + size;
  bi.bmiHeader.biSizeImage = size;
  FILE* f = std::fopen(out, "wb");
  if (!f) return 1;
  std::fwrite(&fh, sizeof fh, 1, f);
  std::fwrite(&bi.bmiHeader, sizeof bi.bmiHeader, 1, f);
  std::fwrite(bits, size, 1, f);
  std::fclose(f);
  SelectObject(dc, old);
  DeleteObject(sheet);
  DeleteDC(dc);
  std::printf("%s\n", out);
  return 0;
}

int clicks = 0;

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(hwnd, msg, wp, lp);
}

int ShowWindowWithButtons() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = HostProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = L"CommandLooks";
  RegisterClassW(&wc);
  HWND host = CreateWindowExW(0, wc.lpszClassName, L"Command test", WS_POPUP | WS_VISIBLE, 100,
                              100, 300, 80, nullptr, nullptr, wc.hInstance, nullptr);
  const struct {
    PixelRect rect;
    const char* caption;
  } buttons[] = {{{20, 30, 81, 25}, "設定"}, {{110, 30, 81, 25}, "ｷｬﾝｾﾙ"}, {{200, 30, 41, 25}, "..."}};
  int id = 1;
  for (const auto& b : buttons) {
    HWND command = CreateCommand(host, id++, b.rect, b.caption);
    Command_OnClick(command, [host] {
      SetWindowTextW(host, (L"Command test " + std::to_wstring(++clicks)).c_str());
    });
    Command_Initialize(command);
  }
  MSG m;
  while (GetMessageW(&m, nullptr, 0, 0) > 0) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "sheet" && argc > 2) return WriteSheet(argv[2]);
  if (mode == "window") return ShowWindowWithButtons();
  std::fprintf(stderr, "usage: command_button_looks sheet FILE.bmp | window\n");
  return 2;
}
