#include "engine/core/Random.h"

#include <atomic>
#include <cmath>
#include <thread>
#include <utility>

#include "engine/core/MathTolerance.h"
#include "engine/core/Plane.h"
#include "engine/core/Vector3.h"

namespace OrrelayEngine {

namespace {

constexpr std::uint32_t kRandomMultiplier = 1103515245u;
constexpr std::uint32_t kRandomIncrement = 12345u;
constexpr float kRandomRange = 32768.0f;

// Only its owner steps the shared seed; the atomics only make a later seeding
// from another thread (a test's) safe to see.
std::atomic<std::uint32_t> g_sharedSeed{0};
std::atomic<std::thread::id> g_owner{};

thread_local std::uint32_t t_defaultSeed = 0;
thread_local std::uint32_t* t_ownState = nullptr;

std::uint32_t Step(std::uint32_t seed)
{
    // Unsigned arithmetic wraps modulo 2^32, which is the generator's modulus.
    return seed * kRandomMultiplier + kRandomIncrement;
}

} // namespace

void SetRandomSeed(std::uint32_t seed)
{
    g_sharedSeed.store(seed, std::memory_order_relaxed);
    g_owner.store(std::this_thread::get_id(), std::memory_order_relaxed);
}

std::uint32_t* SetThreadRandomState(std::uint32_t* state)
{
    std::uint32_t* const previous = t_ownState;
    t_ownState = state;
    return previous;
}

std::uint32_t Random()
{
    std::uint32_t next = 0;
    if (t_ownState != nullptr) {
        next = *t_ownState = Step(*t_ownState);
    } else if (g_owner.load(std::memory_order_relaxed) == std::this_thread::get_id()) {
        next = Step(g_sharedSeed.load(std::memory_order_relaxed));
        g_sharedSeed.store(next, std::memory_order_relaxed);
    } else {
        next = t_defaultSeed = Step(t_defaultSeed);
    }
    return (next >> 16) & 0x7FFFu;
}

std::uint32_t RandomInt(std::uint32_t min, std::uint32_t max)
{
    if (min > max) {
        std::swap(min, max);
    }
    const std::uint32_t value = Random();
    // The whole 32-bit range makes the count wrap to 0.
    const std::uint32_t count = max - min + 1u;
    if (count == 0u) {
        return min + value;
    }
    return min + value % count;
}

std::uint32_t RandomModulo(std::uint32_t n)
{
    const std::uint32_t value = Random();
    if (n == 0u) {
        return 0u;
    }
    return value % n;
}

float RandomFloat()
{
    return static_cast<float>(Random()) / kRandomRange;
}

float RandomFloatRange(float min, float max)
{
    return min + RandomFloat() * (max - min);
}

float RandomSignedFloat()
{
    return RandomFloat() * 2.0f - 1.0f;
}

float RandomFloatAround(float centre, float spread)
{
    return centre + RandomSignedFloat() * spread;
}

bool PointInTriangle(const Plane& plane, const Vector3& a, const Vector3& b, const Vector3& c, const Vector3& p)
{
    // Drop the coordinate along which the normal is largest and solve in the
    // remaining two; ties prefer dropping x, then y.
    const Vector3& n = plane.GetNormal();
    const float nx = std::fabs(n.x);
    const float ny = std::fabs(n.y);
    const float nz = std::fabs(n.z);
    const float largest = std::fmax(nx, std::fmax(ny, nz));

    float Vector3::*s = &Vector3::x;
    float Vector3::*t = &Vector3::y;
    if (std::fabs(largest - nx) <= kMathTolerance) {
        s = &Vector3::y;
        t = &Vector3::z;
    } else if (std::fabs(largest - ny) <= kMathTolerance) {
        s = &Vector3::x;
        t = &Vector3::z;
    }

    const float sp = p.*s - a.*s;
    const float tp = p.*t - a.*t;
    const float sb = b.*s - a.*s;
    const float tb = b.*t - a.*t;
    const float sc = c.*s - a.*s;
    const float tc = c.*t - a.*t;

    // alpha and beta are the weights of b and c. The zero checks catch
    // triangles that are a line or a point in this projection.
    float alpha = 0.0f;
    float beta = 0.0f;
    if (std::fabs(sb) >= kMathTolerance) {
        const float denominator = tc * sb - sc * tb;
        if (denominator == 0.0f) {
            return false;
        }
        beta = (tp * sb - sp * tb) / denominator;
        if (beta < 0.0f || beta > 1.0f) {
            return false;
        }
        alpha = (sp - beta * sc) / sb;
    } else {
        if (sc == 0.0f || tb == 0.0f) {
            return false;
        }
        beta = sp / sc;
        if (beta < 0.0f || beta > 1.0f) {
            return false;
        }
        alpha = (tp - beta * tc) / tb;
    }
    if (alpha < 0.0f) {
        return false;
    }
    return alpha + beta <= 1.0f;
}

} // namespace OrrelayEngine
