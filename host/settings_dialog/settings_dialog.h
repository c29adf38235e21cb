// The settings dialog "<Orvellia>": the window in which the user chooses the screen saver's
// background music (none, the audio CD with a track to repeat, or an MP3 or WAV file) and saves
// the choice to the settings file.
//
// Linking the settings_dialog library brings the dialog's pictures (icon, panel photograph,
// indicators, hand cursor) into the program: its resource script is an interface source of the
// library, so the host's own .rc needs no include.
#pragma once

#include <windows.h>

// Shows the dialog modally over the host's music settings and returns when it has closed
// (through Set, Cancel or the close box).
void ShowSettingsDialog(HINSTANCE instance);
