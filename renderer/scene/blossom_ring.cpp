#include "blossom_ring.h"

#include <cmath>

#include "clock_scene.h"

BlossomEntry BlossomRing[kBlossomCount];

double VecLength(Vec3 v) { return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z); }

Vec3 VecNormalize(Vec3 v) {
  const double length = VecLength(v);
  return {v.x / length, v.y / length, v.z / length};
}

Vec3 VecCross(Vec3 a, Vec3 b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

Vec3 VecScale(Vec3 v, double s) { return {s * v.x, s * v.y, s * v.z}; }

Vec3 VecSub(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }

namespace {
Vec3 VecAdd(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
}  // namespace

void BillboardAxes(Vec3 p, double size, Vec3 eye, Vec3* a, Vec3* b) {
  const Vec3 toEye = VecSub(eye, p);
  // The z axis is the reference direction, so the squares roll slightly as they travel.
  const Vec3 right = VecCross(toEye, {0.0, 0.0, 1.0});
  const Vec3 up = VecCross(toEye, right);
  *a = VecScale(VecNormalize(right), size);
  *b = VecScale(VecNormalize(up), size);
}

void InitBlossomRing() {
  for (int k = 0; k < kBlossomCount; ++k) {
    BlossomEntry& e = BlossomRing[k];
    e.angle = static_cast<float>(k * 2.8125);
    e.speed = 0.2f;
    e.radius = 16.0f;
    e.height = static_cast<float>(2.0 * std::sin(4.0 * e.angle * kDegToRad) + 2.5);
  }
}

void DrawBlossomRing() {
  struct Tint {
    float addedAngle, red, green, blue;
  };
  static const Tint kTints[3] = {
      {0.0f, 1.0f, 1.0f, 1.0f},
      {30.0f, 1.0f, 0.0f, 0.5f},
      {60.0f, 0.8f, 0.1f, 0.2f},
  };
  for (BlossomEntry& e : BlossomRing) {
    for (const Tint& tint : kTints) {
      const double theta = (e.angle + tint.addedAngle) * kDegToRad;
      const Vec3 p = {e.radius * std::cos(theta), e.height, e.radius * std::sin(theta)};
      DrawBillboard(p, 0.6, tint.red, tint.green, tint.blue, EyePoint[0], EyePoint[1], EyePoint[2], 2);
    }
    e.angle += e.speed;
    if (e.angle >= 360.0f) e.angle -= 360.0f;
  }
}

void DrawBillboard(Vec3 p, double size, float red, float green, float blue, float eyeX, float eyeY,
                   float eyeZ, int slot) {
  Vec3 a, b;
  BillboardAxes(p, size, {eyeX, eyeY, eyeZ}, &a, &b);
  glColor3f(red, green, blue);
  // Added light: the picture's black leaves the frame unchanged, overlaps brighten, and no blossom
  // hides another because depth writes are off (the depth test stays on against the ground).
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ONE);
  glDepthMask(GL_FALSE);
  glBindTexture(GL_TEXTURE_2D, TextureSlots[slot]);
  glBegin(GL_QUADS);
  const Vec3 c0 = VecAdd(p, a), c1 = VecSub(p, b), c2 = VecSub(p, a), c3 = VecAdd(p, b);
  glTexCoord2d(0.0, 0.0);
  glVertex3d(c0.x, c0.y, c0.z);
  glTexCoord2d(1.0, 0.0);
  glVertex3d(c1.x, c1.y, c1.z);
  glTexCoord2d(1.0, 1.0);
  glVertex3d(c2.x, c2.y, c2.z);
  glTexCoord2d(0.0, 1.0);
  glVertex3d(c3.x, c3.y, c3.z);
  glEnd();
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
  glDepthMask(GL_TRUE);
}
