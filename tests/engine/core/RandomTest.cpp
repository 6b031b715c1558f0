#include "engine/core/Random.h"

#include <cstdint>
#include <functional>
#include <thread>

#include <gtest/gtest.h>

#include "engine/core/Plane.h"
#include "engine/core/ThreadRandomSeed.h"
#include "engine/core/Vector3.h"

namespace OrrelayEngine {
namespace {

// The seed after which the next Random() returns value (0..32767).
std::uint32_t SeedGiving(std::uint32_t value)
{
    // The multiplier is odd, so it has an inverse modulo 2^32; each Newton
    // step doubles the number of correct low bits.
    const std::uint32_t multiplier = 1103515245u;
    std::uint32_t inverse = multiplier;
    for (int i = 0; i < 5; ++i) {
        inverse *= 2u - multiplier * inverse;
    }
    return ((value << 16) - 12345u) * inverse;
}

TEST(Random, SequenceFromSeedZeroIsFixed)
{
    SetRandomSeed(0);
    for (std::uint32_t value : {0u, 21468u, 9988u, 22117u}) {
        EXPECT_EQ(Random(), value);
    }
}

TEST(Random, EveryHelperDrawsExactlyOnce)
{
    const std::function<void()> helpers[] = {
        [] { RandomInt(3, 9); },
        [] { RandomInt(9, 3); },
        [] { RandomInt(0, 0xFFFFFFFFu); },
        [] { RandomModulo(7); },
        [] { RandomModulo(0); },
        [] { RandomFloat(); },
        [] { RandomFloatRange(1.0f, 2.0f); },
        [] { RandomSignedFloat(); },
        [] { RandomFloatAround(5.0f, 1.0f); },
    };
    int index = 0;
    for (const auto& helper : helpers) {
        SetRandomSeed(0);
        helper();
        EXPECT_EQ(Random(), 21468u) << "helper " << index++;
    }
}

// What a loading thread draws never moves the main thread's sequence, and a
// thread seeded for a step gets that seed's sequence whichever thread it is.
TEST(Random, OtherThreadsAndSeededStepsDrawFromTheirOwnGenerators)
{
    SetRandomSeed(0);
    EXPECT_EQ(Random(), 0u);
    std::uint32_t firstOnOtherThread = ~0u;
    std::uint32_t seededOnOtherThread = ~0u;
    std::thread loader([&] {
        firstOnOtherThread = Random();
        for (int i = 0; i < 100; ++i)
            Random();
        const ThreadRandomSeed step(0);
        seededOnOtherThread = Random();
    });
    loader.join();
    EXPECT_EQ(firstOnOtherThread, 0u) << "a new thread starts a generator of its own at 0";
    EXPECT_EQ(seededOnOtherThread, 0u);
    EXPECT_EQ(Random(), 21468u) << "the main thread's sequence went on untouched";

    {
        const ThreadRandomSeed step(0);
        EXPECT_EQ(Random(), 0u);
    }
    EXPECT_EQ(Random(), 9988u) << "the shared sequence is back once the step ends";
}

TEST(Random, IntegersKeepToTheirRangeWhateverTheBounds)
{
    const struct
    {
        std::uint32_t drawn;
        std::uint32_t min;
        std::uint32_t max;
        std::uint32_t expected;
    } cases[] = {
        {0, 5, 5, 5},
        {32767, 5, 5, 5},
        {12, 3, 10, 7},
        {12, 10, 3, 7},                 // reversed bounds are swapped
        {32767, 0, 0xFFFFFFFFu, 32767}, // the whole range: no division by zero
        {100, 1000, 0xFFFFFFFFu, 1100},
    };
    for (const auto& c : cases) {
        SetRandomSeed(SeedGiving(c.drawn));
        EXPECT_EQ(RandomInt(c.min, c.max), c.expected) << c.drawn << " in " << c.min << ".." << c.max;
    }
    for (std::uint32_t drawn : {0u, 12345u, 32767u}) {
        SetRandomSeed(SeedGiving(drawn));
        EXPECT_EQ(RandomModulo(1), 0u);
        SetRandomSeed(SeedGiving(drawn));
        EXPECT_EQ(RandomModulo(0), 0u);
        SetRandomSeed(SeedGiving(drawn));
        EXPECT_EQ(RandomModulo(10), drawn % 10);
    }
}

TEST(Random, FloatsStayBelowTheirUpperBound)
{
    const struct
    {
        std::uint32_t drawn;
        std::function<float()> draw;
        float expected;
    } cases[] = {
        {32767, RandomFloat, 32767.0f / 32768.0f},
        {32767, RandomSignedFloat, 32766.0f / 32768.0f},
        {0, RandomSignedFloat, -1.0f},
        {32767, [] { return RandomFloatRange(2.0f, 4.0f); }, 2.0f + 2.0f * 32767.0f / 32768.0f},
        {16384, [] { return RandomFloatAround(10.0f, 3.0f); }, 10.0f},
    };
    for (const auto& c : cases) {
        SetRandomSeed(SeedGiving(c.drawn));
        const float value = c.draw();
        EXPECT_FLOAT_EQ(value, c.expected) << "drawn " << c.drawn;
        EXPECT_NE(value, 1.0f);
    }
}

struct TrianglePoint
{
    const char* name;
    Vector3 point;
    bool inside;
};

void ExpectTriangle(const Vector3& a, const Vector3& b, const Vector3& c, std::initializer_list<TrianglePoint> points)
{
    Plane plane;
    plane.SetFromPoints(a, b, c);
    for (const TrianglePoint& p : points) {
        EXPECT_EQ(PointInTriangle(plane, a, b, c, p.point), p.inside) << p.name;
    }
}

TEST(Random, PointInTriangleIncludesVerticesAndEdges)
{
    // Flat on z: solved in x and y, b off to the side of a.
    ExpectTriangle({0, 0, 0}, {2, 0, 0}, {0, 2, 0},
                   {{"a", {0.0f, 0.0f, 0.0f}, true},
                    {"b", {2.0f, 0.0f, 0.0f}, true},
                    {"c", {0.0f, 2.0f, 0.0f}, true},
                    {"edge ab", {1.0f, 0.0f, 0.0f}, true},
                    {"edge bc", {1.0f, 1.0f, 0.0f}, true},
                    {"edge ca", {0.0f, 1.0f, 0.0f}, true},
                    {"beyond ab", {1.0f, -0.001f, 0.0f}, false},
                    {"beyond bc", {1.001f, 1.001f, 0.0f}, false},
                    {"beyond ca", {-0.001f, 1.0f, 0.0f}, false}});
    // Upright, facing x: solved in y and z, b straight above a.
    ExpectTriangle({5, 0, 0}, {5, 0, 2}, {5, 2, 0},
                   {{"b", {5.0f, 0.0f, 2.0f}, true},
                    {"edge bc", {5.0f, 1.0f, 1.0f}, true},
                    {"beyond bc", {5.0f, 1.001f, 1.001f}, false},
                    {"beyond ab", {5.0f, -0.001f, 1.0f}, false},
                    {"beyond b", {5.0f, 0.0f, 2.001f}, false}});
}

TEST(Random, PointInTriangleOfNoAreaContainsNothing)
{
    Plane plane;
    plane.Set(0.0f, 0.0f, 1.0f, 0.0f);
    const Vector3 a(0.0f, 0.0f, 0.0f), b(1.0f, 1.0f, 0.0f), c(2.0f, 2.0f, 0.0f);
    EXPECT_FALSE(PointInTriangle(plane, a, b, c, b));
    EXPECT_FALSE(PointInTriangle(plane, a, a, a, a));
}

} // namespace
} // namespace OrrelayEngine
