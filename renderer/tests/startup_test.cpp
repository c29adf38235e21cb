// The renderer's start-up when its third picture cannot be loaded (this test program holds only the
// first two): the start fails, the OpenGL context is released, and the system's
// screen-saver-running flag that the start set is FALSE again.
#include <gtest/gtest.h>
#include <windows.h>

#include "renderer_window.h"

namespace {

BOOL SaverRunningFlag() {
  BOOL running = FALSE;
  SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0);
  return running;
}

TEST(RendererStartUp, MissingThirdPictureFailsAndClearsTheSaverFlag) {
  RendererInstance = GetModuleHandleA(nullptr);
  ASSERT_NE(FindResourceA(RendererInstance, MAKEINTRESOURCEA(111), MAKEINTRESOURCEA(2)), nullptr);
  ASSERT_EQ(FindResourceA(RendererInstance, MAKEINTRESOURCEA(112), MAKEINTRESOURCEA(2)), nullptr);
  // Left set as by a run that did not end cleanly, so that only the failed start can clear it.
  SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, TRUE, nullptr, 0);
  ASSERT_TRUE(SaverRunningFlag());

  SaverState state{nullptr, 50, {0, 0}, FALSE};
  Saver = &state;
  EXPECT_FALSE(StartRenderer(SW_HIDE));
  EXPECT_FALSE(SaverRunningFlag());
  EXPECT_EQ(wglGetCurrentContext(), nullptr);
  EXPECT_EQ(RendererDeviceContext(), nullptr);
  ASSERT_NE(state.window, nullptr);  // the window was made: the failure came at the textures
  DestroyWindow(state.window);
  Saver = nullptr;
  SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, FALSE, nullptr, 0);
}

}  // namespace
