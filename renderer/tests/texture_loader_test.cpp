// The texture loader against the real resource loader, GDI and Wine's OpenGL.
#include <gtest/gtest.h>
#include <windows.h>

#include "bitmap_texture.h"
#include "renderer_window.h"
#include "scene/clock_scene.h"

namespace {

// A hidden window with a current OpenGL context, as the renderer has when it loads its pictures.
class TextureLoaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RendererInstance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass = {};
    windowClass.style = CS_OWNDC;
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = RendererInstance;
    windowClass.lpszClassName = "OrvelliaTextureTest";
    RegisterClassA(&windowClass);
    window_ = CreateWindowExA(0, windowClass.lpszClassName, "", WS_POPUP, 0, 0, 64, 64, nullptr, nullptr,
                              RendererInstance, nullptr);
    ASSERT_NE(window_, nullptr);
    dc_ = GetDC(window_);
    PIXELFORMATDESCRIPTOR request = {};
    request.nSize = sizeof request;
    request.nVersion = 1;
    request.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    request.iPixelType = PFD_TYPE_RGBA;
    request.cColorBits = 32;
    const int format = ChoosePixelFormat(dc_, &request);
    ASSERT_NE(format, 0);
    ASSERT_TRUE(SetPixelFormat(dc_, format, &request));
    context_ = wglCreateContext(dc_);
    ASSERT_NE(context_, nullptr);
    ASSERT_TRUE(wglMakeCurrent(dc_, context_));
  }

  void TearDown() override {
    wglMakeCurrent(nullptr, nullptr);
    if (context_) wglDeleteContext(context_);
    if (dc_) ReleaseDC(window_, dc_);
    if (window_) DestroyWindow(window_);
  }

  static GLint BoundWidth(int slot, int level) {
    glBindTexture(GL_TEXTURE_2D, TextureSlots[slot]);
    GLint width = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &width);
    return width;
  }

  HWND window_ = nullptr;
  HDC dc_ = nullptr;
  HGLRC context_ = nullptr;
};

TEST_F(TextureLoaderTest, LoadsTheThreePicturesAtTheirSizesWithMipmaps) {
  ASSERT_TRUE(LoadBitmapTexture(110, 0));
  ASSERT_TRUE(LoadBitmapTexture(111, 1));
  ASSERT_TRUE(LoadBitmapTexture(112, 2));
  EXPECT_EQ(BoundWidth(0, 0), 512);
  EXPECT_EQ(BoundWidth(0, 9), 1);  // the whole mipmap chain down to 1 x 1
  EXPECT_EQ(BoundWidth(1, 0), 32);
  EXPECT_EQ(BoundWidth(2, 0), 32);
  EXPECT_NE(TextureSlots[1], TextureSlots[2]);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TextureLoaderTest, MissingResourceFailsAndLeavesTheSlot) {
  TextureSlots[2] = 4242;
  EXPECT_FALSE(LoadBitmapTexture(999, 2));
  EXPECT_EQ(TextureSlots[2], 4242u);
}

}  // namespace
