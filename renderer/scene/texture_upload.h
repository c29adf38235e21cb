// The portable half of the texture loader: the size rule and the upload of a decoded picture.
#pragma once

#include "gl_headers.h"

// Side of the square power-of-two texture for a picture whose smaller side is m pixels (m >= 1):
// 2^floor(log2(m) + 0.01), so a side just short of a power of two counts as that power.
int TextureSizeFor(int m);

// Bytes per row of a 24-bit picture `size` pixels wide, padded to four bytes as in a DIB (which is
// also GL's default unpack alignment).
int TextureRowBytes(int size);

// Creates a texture name into *slot and uploads all mipmap levels of a size x size picture given as
// rows from the top down, three bytes per pixel in blue, green, red order. The bytes go up as RGB
// unchanged, so red and blue are exchanged: the shipped pictures are prepared for that.
void UploadTexture(GLuint* slot, const unsigned char* pixels, int size);
