// The texture loader against the real resource loader, GDI and Wine's OpenGL.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

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

// The texture holds the picture's rows from the top down, red and blue exchanged: compared on a
// grid with the picture as the system's loader scales it, and the dial is no mirror image of itself,
// so a picture loaded upside down shows.
TEST_F(TextureLoaderTest, RowsGoUpFromTheTopOfThePictureDown) {
  ASSERT_TRUE(LoadBitmapTexture(110, 0));
  const int size = BoundWidth(0, 0);
  ASSERT_EQ(512, size);
  std::vector<unsigned char> texture(static_cast<size_t>(size) * size * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texture.data());
  HBITMAP picture = static_cast<HBITMAP>(LoadImageA(RendererInstance, MAKEINTRESOURCEA(110),
                                                    IMAGE_BITMAP, size, size, LR_CREATEDIBSECTION));
  ASSERT_NE(nullptr, picture);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, picture);
  int compared = 0, wrong = 0, mirrored = 0;
  for (int y = 8; y < size; y += 32)
    for (int x = 8; x < size; x += 32) {
      COLORREF c = GetPixel(dc, x, y);
      const unsigned char* t = &texture[(static_cast<size_t>(y) * size + x) * 3];
      ++compared;
      wrong += t[0] != GetBValue(c) || t[1] != GetGValue(c) || t[2] != GetRValue(c);
      mirrored += GetPixel(dc, x, size - 1 - y) != c;
    }
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(picture);
  EXPECT_EQ(0, wrong) << "of " << compared << " points";
  EXPECT_GT(mirrored, compared / 10) << "the dial must differ from its mirror image";
}

TEST_F(TextureLoaderTest, MissingResourceFailsAndLeavesTheSlot) {
  TextureSlots[2] = 4242;
  EXPECT_FALSE(LoadBitmapTexture(999, 2));
  EXPECT_EQ(TextureSlots[2], 4242u);
}

}  // namespace
