// The program's one pseudo-random generator: a linear congruential generator
// over a process-wide seed that belongs to the thread that seeded it, the main
// thread. Every function below advances the generator exactly once, so the
// sequence a seed gives does not depend on which helpers draw from it.
//
// A draw on any other thread (a loading thread, a helper of one) never steps
// the shared seed: it steps a generator of that thread's own, the one a
// ThreadRandomSeed started for it, else one that starts at 0 with the thread.
// So what the game's frames draw never depends on how a load was scheduled.
//
// Also here: the point-in-triangle test that model picking runs after a ray
// has hit a triangle's plane.
#pragma once

#include <cstdint>

namespace OrrelayEngine {

class Plane;
struct Vector3;

// Stores the seed and makes the calling thread the one that draws from it.
void SetRandomSeed(std::uint32_t seed);
// The next value, 0..32767.
std::uint32_t Random();
// An integer in [min, max] (bounds given the wrong way round are swapped);
// the full range 0..0xFFFFFFFF gives min + Random().
std::uint32_t RandomInt(std::uint32_t min, std::uint32_t max);
// In [0, n); 0 when n is 0.
std::uint32_t RandomModulo(std::uint32_t n);
// In [0, 1); the largest value is 32767/32768.
float RandomFloat();
// min + RandomFloat() * (max - min): in [min, max), or in (max, min] when
// min is the larger.
float RandomFloatRange(float min, float max);
// In [-1, 1).
float RandomSignedFloat();
float RandomFloatAround(float centre, float spread);

// Whether p, a point on the plane of triangle a, b, c, lies inside the
// triangle, edges and vertices included. A triangle that has no area when
// seen along its normal contains nothing.
// Points the calling thread's draws at a generator state of its own, or with
// null back to its default; returns the state it pointed at before. For
// ThreadRandomSeed.
std::uint32_t* SetThreadRandomState(std::uint32_t* state);

bool PointInTriangle(const Plane& plane, const Vector3& a, const Vector3& b, const Vector3& c, const Vector3& p);

} // namespace OrrelayEngine
