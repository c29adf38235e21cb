#include "clock_scene.h"

#include <cmath>

#include "blossom_ring.h"

GLuint TextureSlots[3];
GroundVertex GroundGrid[kGroundSize][kGroundSize];
ClockValues ClockTime;
float EyePoint[3];

namespace {

// The ground as drawn: 63 x 63 quadrilaterals of four vertices each, in drawing order, with their
// texture coordinates and greys. Built once with the grid (none of it changes between frames) and
// drawn with one call instead of some 48,000 immediate-mode calls, which is what keeps the frame
// rate up where every GL call crosses into the system's GL.
constexpr int kGroundQuadVertices = (kGroundSize - 1) * (kGroundSize - 1) * 4;
struct GroundMeshVertex {
  GLfloat s, t;
  GLfloat grey[3];
  GLfloat x, y, z;
};
GroundMeshVertex GroundMesh[kGroundQuadVertices];

// One ground vertex: texture coordinates across the grid, and a grey that fades from full
// brightness at the origin to black at a distance of 20.
GroundMeshVertex GroundMeshVertexAt(int i, int j) {
  const GroundVertex& v = GroundGrid[i][j];
  const float step = 0.015873017f;  // 1/63
  const float grey = 1.0f - 0.05f * std::sqrt(v.x * v.x + v.z * v.z);
  return {static_cast<float>(i) * step, static_cast<float>(j) * step, {grey, grey, grey}, v.x, v.y, v.z};
}

// Quadrilaterals for j from 63 down to 1 and i from 0 to 62, each with the corners (i, j - 1),
// (i + 1, j - 1), (i + 1, j), (i, j).
void BuildGroundMesh() {
  int n = 0;
  for (int j = kGroundSize - 1; j >= 1; --j) {
    for (int i = 0; i < kGroundSize - 1; ++i) {
      GroundMesh[n++] = GroundMeshVertexAt(i, j - 1);
      GroundMesh[n++] = GroundMeshVertexAt(i + 1, j - 1);
      GroundMesh[n++] = GroundMeshVertexAt(i + 1, j);
      GroundMesh[n++] = GroundMeshVertexAt(i, j);
    }
  }
}

}  // namespace

void SetProjection(int width, int height) { SetViewportProjection({0, 0, width, height}); }

void SetViewportProjection(const Viewport& viewport) {
  glViewport(viewport.x, viewport.y, viewport.width, viewport.height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(60.0, static_cast<double>(viewport.width) / static_cast<double>(viewport.height), 1.0, 200.0);
  glMatrixMode(GL_MODELVIEW);
}

void SetFixedGlState() {
  glShadeModel(GL_SMOOTH);
  glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
  glClearDepth(1.0);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
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
  BuildGroundMesh();
}

void DrawFrame() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  DrawView();
  glFlush();
}

void DrawFrameOn(const Viewport* viewports, int count) {
  // The clear ignores the viewport: one clear covers the whole window, gaps between monitors too.
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  for (int k = 0; k < count; ++k) {
    SetViewportProjection(viewports[k]);
    DrawView();
  }
  glFlush();
}

void DrawView() {
  glLoadIdentity();
  EyePoint[0] = 0.0f;
  EyePoint[1] = 20.0f;
  EyePoint[2] = 25.0f;
  gluLookAt(EyePoint[0], EyePoint[1], EyePoint[2], 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
  DrawGround();
  DrawHands();
  DrawBlossomRing();
}

namespace {

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
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glTexCoordPointer(2, GL_FLOAT, sizeof(GroundMeshVertex), &GroundMesh[0].s);
  glColorPointer(3, GL_FLOAT, sizeof(GroundMeshVertex), GroundMesh[0].grey);
  glVertexPointer(3, GL_FLOAT, sizeof(GroundMeshVertex), &GroundMesh[0].x);
  glDrawArrays(GL_QUADS, 0, kGroundQuadVertices);
  glDisableClientState(GL_VERTEX_ARRAY);
  glDisableClientState(GL_COLOR_ARRAY);
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
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
