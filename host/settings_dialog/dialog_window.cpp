#include "dialog_window.h"

#include "dialog_layout.h"
#include "dialog_resources.h"
#include "command_button.h"
#include "dialog_rules.h"
#include "settings_file.h"
#include "system_library.h"
#include "text_system.h"

namespace dialog {

namespace {

// The window: fixed single border, title bar and close box, no minimise or maximise box; a hidden
// owner keeps it out of the task bar.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;

// One of the dialog's Command buttons at twips inside a container; Click runs onClick.
HWND MakeCommand(tk::Form& form, const char* caption, tk::Container container, const Box& b, int id,
                 std::function<void()> onClick) {
  RECT r = form.PixelRect(container, b.left, b.top, b.width, b.height);
  HWND h = orv::button::CreateCommand(form.hwnd(), id,
                                      {r.left, r.top, r.right - r.left, r.bottom - r.top}, caption);
  SetWindowLongPtrW(h, GWL_STYLE, GetWindowLongPtrW(h, GWL_STYLE) | WS_TABSTOP);
  orv::button::Command_OnClick(h, std::move(onClick));
  return h;
}

// Starts every Command button on the window (its pointer poll); other controls are skipped.
BOOL CALLBACK InitCommand(HWND child, LPARAM) {
  if (orv::button::IsCommand(child)) orv::button::Command_Initialize(child);
  return TRUE;
}

void InitCommands(HWND window) { EnumChildWindows(window, InitCommand, 0); }

HBITMAP LoadPicture(HINSTANCE instance, int id) {
  return static_cast<HBITMAP>(
      LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

}  // namespace

BOOL SystemOpenFileName(OPENFILENAMEA* record) {
  static auto* open = orv::SystemFunction<decltype(GetOpenFileNameA)>("comdlg32.dll", "GetOpenFileNameA");
  return open ? open(record) : FALSE;
}

struct SettingsDialog::Impl {
  DialogHost host;
  tk::Form form;
  HINSTANCE instance = nullptr;
  HFONT font = nullptr, underlined = nullptr;
  HICON icon = nullptr;
  HBITMAP panelPicture = nullptr;
  HBITMAP store[2] = {nullptr, nullptr};  // Img_Ra: unselected, selected
  HCURSOR hand = nullptr;
  bool ownHand = false;
  tk::Ref<tk::Panel> panel;
  tk::Ref<tk::Label> fileName, url;
  tk::Ref<tk::Image> indicators[3];
  HWND repeat = nullptr, fileButton = nullptr;

  void Build(SettingsDialog& owner);
  void Load();
  void PaintGradient();
  void ShowMode();
  void EnableFileButton(bool on) { orv::button::Command_SetEnabled(fileButton, on); }
  void OpenPage();
};

SettingsDialog::SettingsDialog(DialogHost host) : impl_(new Impl) { impl_->host = std::move(host); }

SettingsDialog::~SettingsDialog() {
  Impl& d = *impl_;
  // The window and its controls go first: they use the fonts and pictures freed below.
  if (HWND h = d.form.hwnd()) DestroyWindow(h);
  for (HFONT f : {d.font, d.underlined})
    if (f) DeleteObject(f);
  for (HBITMAP b : {d.panelPicture, d.store[0], d.store[1]})
    if (b) DeleteObject(b);
  if (d.icon) DestroyIcon(d.icon);
  if (d.hand && d.ownHand) DestroyCursor(d.hand);
}

HWND SettingsDialog::hwnd() const { return impl_->form.hwnd(); }
tk::Form& SettingsDialog::form() { return impl_->form; }

bool SettingsDialog::Create(HINSTANCE instance) {
  Impl& d = *impl_;
  d.instance = instance;
  d.font = tk::MakeFont(kFontFace, kFontPoints, false, SHIFTJIS_CHARSET);
  d.underlined = tk::MakeFont(kFontFace, kFontPoints, true, SHIFTJIS_CHARSET);
  d.icon = static_cast<HICON>(
      LoadImageW(instance, MAKEINTRESOURCEW(IDR_DIALOG_ICON), IMAGE_ICON, 32, 32, 0));
  d.panelPicture = LoadPicture(instance, IDR_DIALOG_PANEL);
  d.store[0] = LoadPicture(instance, IDR_INDICATOR_OFF);
  d.store[1] = LoadPicture(instance, IDR_INDICATOR_ON);
  d.hand = static_cast<HCURSOR>(
      LoadImageW(instance, MAKEINTRESOURCEW(IDR_HAND_CURSOR), IMAGE_CURSOR, 32, 32, 0));
  d.ownHand = d.hand != nullptr;
  if (!d.hand) d.hand = LoadCursor(nullptr, IDC_HAND);

  d.form.onResize = [&d] { d.PaintGradient(); };
  d.form.onUnload = [&d] {
    if (d.host.zoomClose) d.host.zoomClose(d.form.hwnd());
  };
  if (!d.form.Create(instance, kTitle, kStyle, kExStyle, kClientWidth, kClientHeight, d.icon,
                     /*ownedHidden=*/true))
    return false;
  d.Build(*this);
  d.Load();
  return true;
}

// Adds every control of the window at its place, with its text, font, colour and handlers.
void SettingsDialog::Impl::Build(SettingsDialog& owner) {
  // An element of the given kind at its box inside a container.
  auto element = [](auto kind, tk::Container container, const Box& b) {
    kind.container = container;
    kind.left = b.left, kind.top = b.top, kind.width = b.width, kind.height = b.height;
    return kind;
  };
  tk::Panel photo = element(tk::Panel{}, tk::kOnForm, kPanel);
  photo.picture = panelPicture;
  photo.fill = RGB(0xE0, 0xE0, 0xE0);
  panel = form.Add(photo);
  tk::Container onPanel = tk::In(panel);

  // A label in the dialog's font, sized to its text, in black unless a colour is given.
  auto label = [&](tk::Container container, const Box& b, const wchar_t* text,
                   COLORREF colour = RGB(0, 0, 0)) {
    tk::Label x = element(tk::Label{}, container, b);
    x.font = font;
    x.text = text;
    x.autoSize = true;
    x.textColour = colour;
    return x;
  };
  form.Add(element(tk::Shape{}, onPanel, kHeadingFrame));
  tk::Label heading = label(onPanel, kHeading, kHeadingText);
  heading.autoSize = false;
  heading.centred = true;
  form.Add(heading);
  // Any mouse button on an indicator or on its caption selects that mode.
  for (int i = 0; i < 3; ++i) {
    auto select = [&owner, i](int) { owner.SelectMode(i); };
    tk::Image indicator = element(tk::Image{}, onPanel, kIndicator[i]);
    indicator.mouseDown = select;
    indicators[i] = form.Add(indicator);
    tk::Label caption = label(onPanel, kModeCaption[i], kModeText[i]);
    caption.mouseDown = select;
    form.Add(caption);
  }
  form.Add(label(onPanel, kRepeatCaption, kRepeatText));
  tk::Label name = label(onPanel, kFileName, L"");
  name.autoSize = false;
  name.border = true;
  fileName = form.Add(name);

  form.Add(label(tk::kOnForm, kCredit, kCreditText, RGB(255, 255, 255)));
  tk::Label link = label(tk::kOnForm, kUrl, kUrlText, RGB(255, 255, 255));
  link.font = underlined;
  link.cursor = hand;
  link.click = [this] { OpenPage(); };
  url = form.Add(link);

  // The picture store lies outside the client area: never seen, only copied from.
  for (int i = 0; i < 2; ++i) {
    tk::Image stored = element(tk::Image{}, tk::kOnForm, kPictureStore[i]);
    stored.picture = store[i];
    form.Add(stored);
  }

  // A drop-down combo box with an editable field. The height given at creation is that of the
  // open list (about a dozen entries); the closed box takes its height from the font.
  constexpr int kOpenListHeight = 3000;
  repeat = form.AddChild(L"COMBOBOX", L"", WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN,
                         tk::In(panel), kRepeatBox.left, kRepeatBox.top, kRepeatBox.width, kOpenListHeight,
                         kIdRepeat);
  SendMessageW(repeat, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  fileButton = MakeCommand(form, "...", tk::In(panel), kFileButton, kIdFile, [&owner] { owner.FileClick(); });
  MakeCommand(form, "設定", tk::kOnForm, kSetButton, kIdSet, [&owner] { owner.SetClick(); });
  MakeCommand(form, "ｷｬﾝｾﾙ", tk::kOnForm, kCancelButton, kIdCancel, [&owner] { owner.CancelClick(); });
}

// Fills the persistent background with the vertical gradient: dark blue at the top and bottom,
// pale lavender half-way, one line per pixel row.
void SettingsDialog::Impl::PaintGradient() {
  HDC dc = form.Background();
  SIZE size = form.ClientPixels();
  double height = tk::Twips(size.cy);
  for (int row = 0; row < size.cy; ++row) {
    int b = GradientRowLevel(row, size.cy, height);
    RECT line{0, row, size.cx, row + 1};
    HBRUSH brush = CreateSolidBrush(RGB(b, b, b + 30));
    FillRect(dc, &line, brush);
    DeleteObject(brush);
  }
}

void SettingsDialog::Impl::ShowMode() {
  ModeLook look = LookForMode(*host.mode);
  for (int i = 0; i < 3; ++i) form.Get(indicators[i]).picture = store[i == look.selected ? 1 : 0];
  EnableWindow(repeat, look.repeatEnabled);
  EnableFileButton(look.fileEnabled);
  form.Redraw();
}

void SettingsDialog::Impl::Load() {
  // Placement: centred across, a third of the free height above.
  RECT r;
  GetWindowRect(form.hwnd(), &r);
  Placement p = PlaceWindow(tk::Twips(GetSystemMetrics(SM_CXSCREEN)),
                            tk::Twips(GetSystemMetrics(SM_CYSCREEN)), tk::Twips(r.right - r.left),
                            tk::Twips(r.bottom - r.top));
  SetWindowPos(form.hwnd(), nullptr, tk::Px(p.left), tk::Px(p.top), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  InitCommands(form.hwnd());
  ShowMode();
  SetWindowTextW(repeat, WideFromCp932(FormatTrack(*host.repeat)).c_str());
  for (int i = 0; i <= 30; ++i) {
    std::wstring item = WideFromCp932(FormatTrack(i));
    SendMessageW(repeat, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  }
  form.SetText(fileName, WideFromCp932(*host.file));
  form.Redraw();
  POINT cursor{0, 0};
  *host.apiResult = GetCursorPos(&cursor);
  *host.zoomX = *host.apiResult ? static_cast<int16_t>(cursor.x) : 0;
  *host.zoomY = *host.apiResult ? static_cast<int16_t>(cursor.y) : 0;
  if (host.zoomOpen) host.zoomOpen(form.hwnd());
  tk::SetBusyPointer(false);
}

void SettingsDialog::Impl::OpenPage() {
  tk::SetBusyPointer(true);
  if (host.openPage) host.openPage(form.hwnd(), Cp932FromUtf8(Utf8FromWide(form.Get(url).text)));
  tk::SetBusyPointer(false);
}

void SettingsDialog::RunModal() { impl_->form.RunModal(); }

void SettingsDialog::SelectMode(int index) {
  Impl& d = *impl_;
  *d.host.mode = static_cast<int16_t>(index);
  d.ShowMode();
}

void SettingsDialog::FileClick() {
  Impl& d = *impl_;
  std::string filter = Cp932FromUtf8("BGMﾌｧｲﾙ (MP3 WAV)");
  filter.push_back('\0');
  filter += "*.MP3;*.WAV";
  filter.append(2, '\0');
  std::string title = Cp932FromUtf8("ﾌｧｲﾙを開く");
  std::string file(255, '\0'), fileTitle(255, '\0');
  std::string folder = *d.host.folder;
  OPENFILENAMEA ofn{};
  ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;  // the first layout, without the trailing fields
  ofn.hwndOwner = d.form.hwnd();
  ofn.hInstance = d.instance;
  ofn.lpstrFilter = filter.c_str();
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = 255;
  ofn.lpstrFileTitle = fileTitle.data();
  ofn.nMaxFileTitle = 255;
  ofn.lpstrInitialDir = folder.c_str();
  ofn.lpstrTitle = title.c_str();
  *d.host.apiResult = d.host.openFileName(&ofn);
  if (*d.host.apiResult > 0) {
    *d.host.file = file.substr(0, file.find('\0'));
    d.form.SetText(d.fileName, WideFromCp932(*d.host.file));
    *d.host.folder = d.host.folderOf(*d.host.file);
    d.form.Redraw();
  }
}

// Writes the three keys in order, each attempted whatever became of the one before. Only when all
// three were written does the dialog close; otherwise the user is told, and OK returns to the
// dialog as it was, to try again or cancel.
void SettingsDialog::SetClick() {
  Impl& d = *impl_;
  bool saved = d.host.writeKey(orv::kKeyBgmMode, ValueText(*d.host.mode));
  int length = GetWindowTextLengthW(d.repeat);
  std::wstring text(length + 1, L'\0');
  GetWindowTextW(d.repeat, text.data(), length + 1);
  text.resize(length);
  *d.host.repeat = ParseTrack(Utf8FromWide(text));
  saved &= d.host.writeKey(orv::kKeyBgmRepeat, ValueText(*d.host.repeat));
  saved &= d.host.writeKey(orv::kKeyBgmFile, *d.host.file);
  if (!saved) {
    d.host.tell(d.form.hwnd(), std::wstring(kSaveFailedText) + L"\r\n" +
                                   WideFromCp932(d.host.settingsPath()));
    return;
  }
  d.form.Close();
}

void SettingsDialog::CancelClick() { impl_->form.Close(); }

const std::wstring& SettingsDialog::FileNameText() const {
  return impl_->form.Get(impl_->fileName).text;
}

}  // namespace dialog
