// Other ways of sending the clock scene's geometry, measured beside the shipped DrawFrame to show
// what batching would save. Same vertices, colours, textures and blending as the scene; fewer GL
// calls and state changes. Portable GL 1.1 + GLU, for the native profile and the Wine benchmark.
#pragma once

#include "scene/gl_headers.h"

// The floor every frame is measured against: a clear and one full-screen quad with the dial.
void DrawFloor();
// Clears and sets DrawFrame's camera, for drawing one part alone.
void Camera();
// The ground of DrawGround in one glBegin/glEnd instead of one per quad.
void GroundOneBatch();
// Compiles DrawGround into a display list (its vertices and colours never change); the list's name.
GLuint CompileGroundList();
// The blossoms of DrawBlossomRing with the blend, texture and depth-mask state set once and all
// squares in one glBegin/glEnd.
void RingOneBatch();
// DrawFrame with the ground from `groundList` and the ring batched.
void DrawFrameBatched(GLuint groundList);
