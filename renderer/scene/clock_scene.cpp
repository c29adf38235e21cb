#include "clock_scene.h"

#include <cmath>

#include "blossom_ring.h"

GLuint TextureSlots[3];
GroundVertex GroundGrid[kGroundSize][kGroundSize];
ClockValues ClockTime;
float EyePoint[3];

void SetProjection(int width, int height) {
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(60.0, static_cast<double>(width) / static_cast<double>(height), 1.0, 200.0);
  glMatrixMode(GL_MODELVIEW);
}

void SampleClock() {
  std::time_t now = std::time(nullptr);
  SampleClockFrom(*std::localtime(&now));
}

void SampleClockFrom(const std::tm& local) {
  int dialHour = local.tm_hour;
  if (dialHour > 12) dialHour -= 12;
  if (dialHour == 0) dialHour = 12;
  ClockTime.minute = static_cast<float>(local.tm_min);
  ClockTime.hourValue = static_cast<float>(local.tm_min) * 0.016666668f + static_cast<float>(dialHour);
  ClockTime.second = static_cast<float>(local.tm_sec);
}

void BuildGroundGrid() {
  const double spacing = 2.0 / 3.0;
  for (int j = 0; j < kGroundSize; ++j) {
    for (int i = 0; i < kGroundSize; ++i) {
      GroundGrid[i][j].x = static_cast<float>((i + 1 - 32) * spacing);
      GroundGrid[i][j].y = 0.0f;
      GroundGrid[i][j].z = static_cast<float>((j - 1 - 32) * spacing);
    }
  }
}

void DrawFrame() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glLoadIdentity();
  EyePoint[0] = 0.0f;
  EyePoint[1] = 20.0f;
  EyePoint[2] = 25.0f;
  gluLookAt(EyePoint[0], EyePoint[1], EyePoint[2], 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
  DrawGround();
  DrawHands();
  DrawBlossomRing();
  glFlush();
}

namespace {

// One ground vertex: texture coordinates across the grid, and a grey that fades from full
// brightness at the origin to black at a distance of 20.
void GroundVertexAt(int i, int j) {
  const GroundVertex& v = GroundGrid[i][j];
  const float step = 0.015873017f;  // 1/63
  glTexCoord2f(static_cast<float>(i) * step, static_cast<float>(j) * step);
  const float grey = 1.0f - 0.05f * std::sqrt(v.x * v.x + v.z * v.z);
  glColor3f(grey, grey, grey);
  glVertex3f(v.x, v.y, v.z);
}

struct HandShape {
  float corners[4][3];  // pivot side first, then the tip; texture (0,0) (1,0) (1,1) (0,1)
};

const HandShape kSecondHand = {{{-0.2f, 1.0f, 0.0f}, {-0.1f, 1.0f, 10.0f}, {0.1f, 1.0f, 10.0f}, {0.2f, 1.0f, 0.0f}}};
const HandShape kMinuteHand = {{{-0.4f, 1.1f, 0.0f}, {-0.2f, 1.1f, 8.0f}, {0.2f, 1.1f, 8.0f}, {0.4f, 1.1f, 0.0f}}};
const HandShape kHourHand = {
    {{-1.0f, 1.2f, 0.0f}, {-0.5f, 1.2f, 6.6666665f}, {0.5f, 1.2f, 6.6666665f}, {1.0f, 1.2f, 0.0f}}};

// One hand turned about the vertical axis through the pivot; an angle of 0 points the tip to +z.
void DrawHand(const HandShape& hand, float angle) {
  static const float kTexCoords[4][2] = {{0.0f, 0.0f}, {1.0f, 0.0f}, {1.0f, 1.0f}, {0.0f, 1.0f}};
  glPushMatrix();
  glRotatef(-angle, 0.0f, 1.0f, 0.0f);
  glColor3f(1.0f, 1.0f, 1.0f);
  glBegin(GL_QUADS);
  for (int k = 0; k < 4; ++k) {
    glTexCoord2f(kTexCoords[k][0], kTexCoords[k][1]);
    glVertex3f(hand.corners[k][0], hand.corners[k][1], hand.corners[k][2]);
  }
  glEnd();
  glPopMatrix();
}

}  // namespace

void DrawGround() {
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, TextureSlots[0]);
  for (int j = kGroundSize - 1; j >= 1; --j) {
    for (int i = 0; i < kGroundSize - 1; ++i) {
      glBegin(GL_QUADS);
      GroundVertexAt(i, j - 1);
      GroundVertexAt(i + 1, j - 1);
      GroundVertexAt(i + 1, j);
      GroundVertexAt(i, j);
      glEnd();
    }
  }
  glDisable(GL_TEXTURE_2D);
}

void DrawHands() {
  const float secondAngle = ClockTime.second * 6.0f - 180.0f;
  const float minuteAngle = ClockTime.minute * 6.0f - 180.0f;
  const float hourAngle = ClockTime.hourValue * 30.0f - 180.0f;
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, TextureSlots[1]);
  DrawHand(kSecondHand, secondAngle);
  DrawHand(kMinuteHand, minuteAngle);
  DrawHand(kHourHand, hourAngle);
  glDisable(GL_TEXTURE_2D);
}
