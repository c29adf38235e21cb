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
  BeginBillboards(2);
  for (BlossomEntry& e : BlossomRing) {
    for (const Tint& tint : kTints) {
      const double theta = (e.angle + tint.addedAngle) * kDegToRad;
      const Vec3 p = {e.radius * std::cos(theta), e.height, e.radius * std::sin(theta)};
      DrawBillboard(p, 0.6, tint.red, tint.green, tint.blue, EyePoint[0], EyePoint[1], EyePoint[2]);
    }
  }
  EndBillboards();
}

void AdvanceBlossomRing(double seconds) {
  // In sixtieths of a second, so that a frame of exactly 1/60 s adds exactly `speed`.
  const float sixtieths = static_cast<float>(seconds * 60.0);
  for (BlossomEntry& e : BlossomRing) {
    e.angle += e.speed * sixtieths;
    // A long pause (a stopped debugger, a suspended machine) may add more than one turn.
    if (e.angle >= 360.0f) e.angle = std::fmod(e.angle, 360.0f);
  }
}

namespace {

struct BillboardVertex {
  GLdouble s, t;
  GLfloat colour[3];
  GLdouble x, y, z;
};

// Room for the whole ring; a longer batch is drawn in parts.
constexpr int kBatchSquares = kBlossomCount * 3;
BillboardVertex Batch[kBatchSquares * 4];
int BatchVertices;
int BatchSlot;

// Draws the squares collected so far (the blending state stays on until EndBillboards).
void DrawBatch() {
  if (BatchVertices == 0) return;
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ONE);
  // Depth writes off, depth test on: the ground still hides what lies behind it, but no blossom
  // hides another.
  glDepthMask(GL_FALSE);
  glBindTexture(GL_TEXTURE_2D, TextureSlots[BatchSlot]);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glTexCoordPointer(2, GL_DOUBLE, sizeof(BillboardVertex), &Batch[0].s);
  glColorPointer(3, GL_FLOAT, sizeof(BillboardVertex), Batch[0].colour);
  glVertexPointer(3, GL_DOUBLE, sizeof(BillboardVertex), &Batch[0].x);
  glDrawArrays(GL_QUADS, 0, BatchVertices);
  glDisableClientState(GL_VERTEX_ARRAY);
  glDisableClientState(GL_COLOR_ARRAY);
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  glColor3fv(Batch[BatchVertices - 1].colour);  // the current colour is the last blossom's
  BatchVertices = 0;
}

}  // namespace

void BeginBillboards(int slot) {
  BatchSlot = slot;
  BatchVertices = 0;
}

void DrawBillboard(Vec3 p, double size, float red, float green, float blue, float eyeX, float eyeY,
                   float eyeZ) {
  if (BatchVertices == kBatchSquares * 4) DrawBatch();
  Vec3 a, b;
  BillboardAxes(p, size, {eyeX, eyeY, eyeZ}, &a, &b);
  // The picture turned by 45 degrees: texture corners on the square's diagonals.
  const Vec3 corners[4] = {VecAdd(p, a), VecSub(p, b), VecSub(p, a), VecAdd(p, b)};
  static const GLdouble kTexCoords[4][2] = {{0.0, 0.0}, {1.0, 0.0}, {1.0, 1.0}, {0.0, 1.0}};
  for (int k = 0; k < 4; ++k) {
    Batch[BatchVertices++] = {kTexCoords[k][0], kTexCoords[k][1], {red, green, blue},
                              corners[k].x, corners[k].y, corners[k].z};
  }
}

void EndBillboards() {
  DrawBatch();
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
  glDepthMask(GL_TRUE);
}
