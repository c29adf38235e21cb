// Orvellia.dll: the full-screen clock renderer, a program of its own started by the screen saver.
#include <windows.h>

#include "renderer_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  RendererInstance = instance;
  Saver = new SaverState{nullptr, 50, {0, 0}, FALSE};
  RunRenderer(showCommand);
  delete Saver;
  Saver = nullptr;
  return 0;  // also after a failed start-up: the renderer ends silently
}
