#include "scene_variants.h"

#include <cmath>

#include "scene/blossom_ring.h"
#include "scene/clock_scene.h"

void Camera() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glLoadIdentity();
  EyePoint[0] = 0.0f, EyePoint[1] = 20.0f, EyePoint[2] = 25.0f;
  gluLookAt(EyePoint[0], EyePoint[1], EyePoint[2], 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
}

void GroundOneBatch() {
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, TextureSlots[0]);
  glBegin(GL_QUADS);
  auto vertex = [](int i, int j) {
    const GroundVertex& v = GroundGrid[i][j];
    const float step = 0.015873017f;
    glTexCoord2f(static_cast<float>(i) * step, static_cast<float>(j) * step);
    const float grey = 1.0f - 0.05f * std::sqrt(v.x * v.x + v.z * v.z);
    glColor3f(grey, grey, grey);
    glVertex3f(v.x, v.y, v.z);
  };
  for (int j = kGroundSize - 1; j >= 1; --j) {
    for (int i = 0; i < kGroundSize - 1; ++i) {
      vertex(i, j - 1), vertex(i + 1, j - 1), vertex(i + 1, j), vertex(i, j);
    }
  }
  glEnd();
  glDisable(GL_TEXTURE_2D);
}

void RingOneBatch() {
  static const float kTints[3][4] = {{0.0f, 1.0f, 1.0f, 1.0f}, {30.0f, 1.0f, 0.0f, 0.5f}, {60.0f, 0.8f, 0.1f, 0.2f}};
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ONE);
  glDepthMask(GL_FALSE);
  glBindTexture(GL_TEXTURE_2D, TextureSlots[2]);
  glBegin(GL_QUADS);
  const Vec3 eye = {EyePoint[0], EyePoint[1], EyePoint[2]};
  for (const BlossomEntry& e : BlossomRing) {
    for (const auto& tint : kTints) {
      const double theta = (e.angle + tint[0]) * kDegToRad;
      const Vec3 p = {e.radius * std::cos(theta), e.height, e.radius * std::sin(theta)};
      Vec3 a, b;
      BillboardAxes(p, 0.6, eye, &a, &b);
      glColor3f(tint[1], tint[2], tint[3]);
      glTexCoord2d(0.0, 0.0), glVertex3d(p.x + a.x, p.y + a.y, p.z + a.z);
      glTexCoord2d(1.0, 0.0), glVertex3d(p.x - b.x, p.y - b.y, p.z - b.z);
      glTexCoord2d(1.0, 1.0), glVertex3d(p.x - a.x, p.y - a.y, p.z - a.z);
      glTexCoord2d(0.0, 1.0), glVertex3d(p.x + b.x, p.y + b.y, p.z + b.z);
    }
  }
  glEnd();
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
  glDepthMask(GL_TRUE);
}

GLuint CompileGroundList() {
  const GLuint list = glGenLists(1);
  glNewList(list, GL_COMPILE);
  DrawGround();
  glEndList();
  return list;
}

void DrawFrameBatched(GLuint groundList) {
  Camera();
  glCallList(groundList);
  DrawHands();
  RingOneBatch();
  glFlush();
}

void DrawFloor() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, TextureSlots[0]);
  glColor3f(1.0f, 1.0f, 1.0f);
  glBegin(GL_QUADS);
  glTexCoord2f(0, 1), glVertex2f(-1, -1);
  glTexCoord2f(1, 1), glVertex2f(1, -1);
  glTexCoord2f(1, 0), glVertex2f(1, 1);
  glTexCoord2f(0, 0), glVertex2f(-1, 1);
  glEnd();
  glDisable(GL_TEXTURE_2D);
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
}
