// Cross-sections of the default profiles, built from a few shapes a moulding plane cuts:
// rounds (beads), hollows (coves), slopes, flat faces and the small fillets between them.
#include "assets/profiles.h"

#include <algorithm>
#include <cmath>

#include "assets/noise.h"

namespace lumabord::assets {
namespace {

// A round of the given radius centred at c: a half circle standing on the base.
float round(float t, float c, float radius) {
  const float d = (t - c) / radius;
  return std::fabs(d) >= 1 ? 0.0f : radius * std::sqrt(1 - d * d);
}

// A hollow from a to b: a quarter circle falling from full height at a to 0 at b.
float hollow(float t, float a, float b) {
  if (t <= a) return 1;
  if (t >= b) return 0;
  const float s = (t - a) / (b - a);
  return 1 - std::sqrt(1 - (1 - s) * (1 - s));
}

// A step of height 1 from a to b with slightly rounded edges.
float step(float t, float a, float b) {
  return smoothstep(a, b, t);
}

}  // namespace

std::vector<ProfileShape> profileShapes() {
  return {
      // A half-round with a fillet where it meets the matte.
      {"Rounded Raised", 130,
       [](float t) {
         return 0.95f * round(t, 0.46f, 0.44f) +
                0.06f * step(t, 0.9f, 0.93f) * (1 - step(t, 0.97f, 0.995f));
       },
       0.6f, 0.35f},
      // High at the wall, rolling down toward the picture.
      {"Rounded Lowered", 130,
       [](float t) {
         return 0.55f * std::sqrt(std::max(0.0f, 1 - t * t * 0.97f)) -
                0.03f * (1 - step(t, 0.0f, 0.04f));
       },
       0.4f, 0.3f},
      // A flat face that falls away at the outer edge into a shadowed shoulder.
      {"Drop Shadow", 120,
       [](float t) {
         return 0.34f * step(t, 0.02f, 0.3f) + 0.03f * round(t, 0.93f, 0.05f) / 0.05f -
                0.05f * step(t, 0.985f, 1.0f);
       },
       0.5f, 0.25f},
      // A face rising toward the picture, ending in a steep cliff down to the matte.
      {"Cliff Edge", 150,
       [](float t) {
         return 0.05f + 0.42f * t + 0.02f * round(t, 0.02f, 0.02f) / 0.02f -
                0.55f * step(t, 0.84f, 0.9f);
       },
       0.8f, 0.3f},
      // A flat face between small chamfers.
      {"Flat", 90,
       [](float t) { return 0.08f * step(t, 0.0f, 0.07f) - 0.08f * step(t, 0.93f, 1.0f); }, 0.3f,
       0.2f},
      // A deep concave scoop between a rounded outer rim and a lip at the sight edge.
      {"Scoop", 160,
       [](float t) {
         return 0.28f * hollow(t, 0.16f, 0.78f) + round(t, 0.08f, 0.08f) * 1.4f +
                0.06f * step(t, 0.74f, 0.78f) + round(t, 0.88f, 0.07f) * 1.2f;
       },
       1.0f, 0.4f},
      // Three beads side by side.
      {"Bead", 100,
       [](float t) {
         return 0.8f * round(t, 0.17f, 0.16f) + round(t, 0.5f, 0.16f) +
                0.8f * round(t, 0.83f, 0.16f);
       },
       0.9f, 0.35f},
      // Three flat steps down toward the picture, each with a small chamfer.
      {"Stepped Gallery", 170,
       [](float t) {
         return 0.3f - 0.1f * step(t, 0.3f, 0.34f) - 0.1f * step(t, 0.6f, 0.64f) -
                0.08f * step(t, 0.9f, 0.94f) + 0.04f * step(t, 0.0f, 0.03f) - 0.3f;
       },
       0.7f, 0.2f},
      // Convex roll at the outside flowing into a concave fall, with a bead at the sight edge.
      {"Ogee", 150,
       [](float t) {
         const float s = clamp01(t / 0.8f);
         const float curve = s < 0.5f ? 1 - 2 * s * s : 2 * (1 - s) * (1 - s);
         return 0.42f * curve + 0.04f + round(t, 0.9f, 0.07f) * 1.3f;
       },
       0.8f, 0.4f},
      // A cove: a quarter hollow rising to a flat rim at the wall.
      {"Cove", 140,
       [](float t) {
         return 0.06f + 0.42f * hollow(t, 0.12f, 0.92f) + 0.03f * round(t, 0.96f, 0.03f) / 0.03f;
       },
       0.9f, 0.3f},
      // High at the sight edge, sloping down to the wall: the picture seems to come forward.
      {"Reverse Slope", 140,
       [](float t) {
         return 0.05f + 0.38f * t + 0.03f * round(t, 0.05f, 0.04f) / 0.04f -
                0.45f * step(t, 0.95f, 0.99f);
       },
       0.6f, 0.3f},
      // A wide flat face with a half-round bead at the sight edge.
      {"Bead and Flat", 120,
       [](float t) { return 0.12f * step(t, 0.0f, 0.05f) + round(t, 0.86f, 0.12f) * 1.4f; }, 0.8f,
       0.35f},
      // A floater: a narrow face at the wall and a deep dark gap in which the picture floats.
      {"Floater", 90,
       [](float t) {
         return 0.5f * step(t, 0.0f, 0.06f) - 1.1f * step(t, 0.42f, 0.48f) +
                0.9f * step(t, 0.9f, 0.97f);
       },
       1.4f, 0.25f},
      // A thin metal edge: a narrow rounded face with a crisp glint.
      {"Metal Edge", 40,
       [](float t) {
         return 0.9f * round(t, 0.4f, 0.36f) + 0.15f * step(t, 0.76f, 0.8f) -
                0.15f * step(t, 0.94f, 1.0f);
       },
       0.6f, 0.8f},
  };
}

}  // namespace lumabord::assets
