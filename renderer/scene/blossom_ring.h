// The blossom ring: 128 ring positions circling above the dial, each drawn as three tinted
// blossom billboards that face the camera and add their light to the frame.
#pragma once

struct BlossomEntry {
  float angle;   // position on the ring in degrees, 0 to 360
  float speed;   // degrees the entry moves in 1/60 s
  float radius;  // distance from the vertical axis
  float height;  // y of the entry's blossoms, fixed from its starting angle
};

constexpr int kBlossomCount = 128;
extern BlossomEntry BlossomRing[kBlossomCount];

// Degrees to radians as the ring has always computed it (slightly less than pi/180).
constexpr double kDegToRad = 0.01745;

struct Vec3 {
  double x, y, z;
};

double VecLength(Vec3 v);
Vec3 VecNormalize(Vec3 v);
Vec3 VecCross(Vec3 a, Vec3 b);
Vec3 VecScale(Vec3 v, double s);
Vec3 VecSub(Vec3 a, Vec3 b);

// Half-diagonals of a billboard of the given size at p seen from eye: a and b are perpendicular to
// each other and to the line of sight, each `size` long.
void BillboardAxes(Vec3 p, double size, Vec3 eye, Vec3* a, Vec3* b);

// Fills BlossomRing (once, before the first frame).
void InitBlossomRing();
// Draws all blossoms where they are now.
void DrawBlossomRing();
// Moves every entry on by `seconds` of time at its speed (0.2 degrees per 1/60 s: a full turn in
// 30 s whatever the frame rate), keeping the angles in 0 to 360. Once per frame, however many
// monitors the frame draws.
void AdvanceBlossomRing(double seconds);

// Blossom squares are drawn in a batch that shares one texture and one blending state:
// BeginBillboards, any number of DrawBillboard, EndBillboards. The squares add their light to the
// frame (the picture's black leaves it unchanged), so their order does not matter.
void BeginBillboards(int slot);
// One blossom square centred on p, facing the eye, in the given colour.
void DrawBillboard(Vec3 p, double size, float red, float green, float blue, float eyeX, float eyeY,
                   float eyeZ);
// Draws the batch; afterwards texturing and blending are off and depth writes on again.
void EndBillboards();
