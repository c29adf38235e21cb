#include "texture_upload.h"

#include <cmath>

int TextureSizeFor(int m) {
  const int n = static_cast<int>(std::floor(std::log2(static_cast<double>(m)) + 0.01));
  return 1 << n;
}

int TextureRowBytes(int size) { return (size * 3 + 3) / 4 * 4; }

void UploadTexture(GLuint* slot, const unsigned char* pixels, int size) {
  glGenTextures(1, slot);
  glBindTexture(GL_TEXTURE_2D, *slot);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
  gluBuild2DMipmaps(GL_TEXTURE_2D, 3, size, size, GL_RGB, GL_UNSIGNED_BYTE, pixels);
}
