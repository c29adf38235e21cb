// The Command push button as a Win32 child window (window class "Lumenfall.Command").
//
// A host creates one with CreateCommand at a pixel rectangle of its parent, calls
// Command_Initialize once (starts the 100 ms pointer poll), switches Command_SetEnabled and
// answers the click callback. The control draws its six state pictures (resources of the
// program, see command_button.rc) over a vertical gradient into a retained image; the window is
// painted from that image with the caption on top.
//
// Texts are UTF-8; the caption is drawn through the wide-character API.
//
// Typical use in a dialog (15 twips to a pixel):
//
//   orv::button::CaptionFont font = orv::button::DesignFont();
//   HWND set = orv::button::CreateCommand(dialog, IDC_SET, {316, 200, 81, 25}, "設定", font);
//   orv::button::Command_OnClick(set, [] { /* save and close */ });
//   orv::button::Command_Initialize(set);
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "command_logic.h"

namespace orv::button {

// The window class of the control.
constexpr const wchar_t* kCommandClass = L"Lumenfall.Command";

// Registers the window class once per process (CreateCommand does it too).
bool RegisterCommandClass(HINSTANCE instance);

// Pixel rectangle of a child window in its parent's client area.
struct PixelRect {
  int X, Y, W, H;
};

// Creates a control as it comes from a saved layout: the saved properties are read (missing
// ones take their defaults: enabled, caption "Command1", the ambient font's face, ...).
HWND CreateCommand(HWND parent, int id, PixelRect rect, const PropertyBag& saved,
                   const CaptionFont& ambient = DesignFont());

// Creates a control from a layout that saves only Caption and Font, as the settings dialog's
// buttons are: enabled, with the given caption and the face name of the given font.
HWND CreateCommand(HWND parent, int id, PixelRect rect, const std::string& caption,
                   const CaptionFont& font = DesignFont());

// True when the window is a Command control.
bool IsCommand(HWND window);

// Members. Reading Visible (when opaque), FontColour or Enabled redraws the control in its
// Normal (or Disable) look without changing its state. A control created without saved
// properties stays disabled until Enabled is first read (or written).
void Command_Initialize(HWND command);
// "Visible" is the background style: non-zero opaque (reads back as 255), 0 transparent. The
// window's own visibility is ShowWindow's.
void Command_SetVisible(HWND command, uint8_t visible);
uint8_t Command_Visible(HWND command);
// Caption colour: &H00BBGGRR, or &H800000nn for a system colour.
void Command_SetFontColour(HWND command, uint32_t colour);
uint32_t Command_FontColour(HWND command);
void Command_SetEnabled(HWND command, bool enabled);
bool Command_Enabled(HWND command);
void Command_SetCaption(HWND command, const std::string& caption);
std::string Command_Caption(HWND command);
void Command_SetFont(HWND command, const CaptionFont& font);
CaptionFont Command_Font(HWND command);

// The Click event: called on the release of a mouse button (see Command::MouseUp). The handler
// may destroy the control or its parent.
void Command_OnClick(HWND command, std::function<void()> onClick);

// The control's logic, for a host that needs more (saved properties, state); null when the
// window is not a Command.
Command* Command_Logic(HWND command);

// Draws the control as it looks now (retained image, then caption) into any device context,
// with the control's top-left corner at (0, 0).
void Command_Paint(HWND command, HDC dc);

// Draws one look of a control of the given pixel size into a device context: gradient in the
// given direction and the eight frame pieces of the picture (no caption).
void PaintCommandLook(HDC dc, int widthPixels, int heightPixels, Picture picture,
                      bool highlightGradient);

// Draws the caption label into a device context (label positions in twips).
void PaintCommandCaption(HDC dc, const CaptionLabel& label);

}  // namespace orv::button
