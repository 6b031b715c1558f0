#include "content/GameParticles.h"

#include <cmath>

#include "content/ParticleSet.h"

namespace Content {

using OrrelayEngine::Color;
using OrrelayEngine::ParticleFile;
using OrrelayEngine::Vector3;

namespace {

constexpr const char* kRecipeVersion = "game particles 1";
constexpr std::uint32_t kKeys = ParticleFile::kKeyCount;

struct Look
{
    std::uint32_t maxParticles;
    float duration;
    bool smooth;
    // Emission per key of the cycle (a burst count when not smooth).
    float emission[kKeys];
    float lifetime;
    Vector3 direction;
    Vector3 spread;
    Color first;
    Color last;
    float sizeFirst;
    float sizeLast;
    float speedFirst;
    float speedLast;
    Vector3 boxHalf;
};

ParticleFile Make(const Look& look)
{
    ParticleFile file = ParticleSet::MakeFile(look.maxParticles, look.duration, look.smooth, look.boxHalf);
    ParticleFile::Settings& s = file.settings;
    for (std::uint32_t k = 0; k < kKeys; ++k) {
        const float t = ParticleSet::KeyTime(k);
        s.emissionRate[k] = look.emission[k];
        s.lifetime[k] = look.lifetime;
        s.lifetimeSpread[k] = look.lifetime * 0.25f;
        s.direction[k] = look.direction;
        s.directionSpread[k] = look.spread;
        // Particles glow up quickly and fade out slowly.
        const float fade = k == 0 ? 0.0f : (k == 1 ? 1.0f : 1.0f - (t - 0.2f) / 0.8f);
        s.color[k] =
            ParticleSet::Blend(look.first, look.last, t, (look.first.a + (look.last.a - look.first.a) * t) * fade);
        s.size[k] = look.sizeFirst + (look.sizeLast - look.sizeFirst) * t;
        s.speed[k] = look.speedFirst + (look.speedLast - look.speedFirst) * t;
        s.speedSpread[k] = s.speed[k] * 0.3f;
    }
    return file;
}

std::vector<ParticleSet::System> Systems()
{
    const Color gold(1.0f, 0.9f, 0.5f, 1.0f);
    const Color white(1.0f, 1.0f, 0.95f, 1.0f);
    const Color mana(0.55f, 0.85f, 1.0f, 1.0f);
    const Color violet(0.75f, 0.55f, 1.0f, 0.8f);
    std::vector<ParticleSet::System> systems;
    // In the scene (world units; an item is about 30 across).
    systems.push_back({"butterfly_appear", Make({60,
                                                 1.0f,
                                                 true,
                                                 {30, 30, 30, 30, 30, 30},
                                                 0.8f,
                                                 Vector3(0, 0, 1),
                                                 Vector3(1, 1, 0.6f),
                                                 white,
                                                 gold,
                                                 3.0f,
                                                 1.0f,
                                                 0.12f,
                                                 0.02f,
                                                 Vector3(8, 8, 3)})});
    systems.push_back({"butterfly_disappear", Make({80,
                                                    1.0f,
                                                    true,
                                                    {45, 45, 45, 45, 45, 45},
                                                    1.0f,
                                                    Vector3(0, 0, 0.3f),
                                                    Vector3(1, 1, 1),
                                                    gold,
                                                    Color(1.0f, 0.6f, 0.8f, 1.0f),
                                                    3.5f,
                                                    1.5f,
                                                    0.2f,
                                                    0.05f,
                                                    Vector3(6, 6, 3)})});
    systems.push_back({"butterfly_swap", Make({60,
                                               1.0f,
                                               true,
                                               {35, 35, 35, 35, 35, 35},
                                               0.7f,
                                               Vector3(0, 0, -0.3f),
                                               Vector3(0.5f, 0.5f, 0.3f),
                                               white,
                                               Color(0.7f, 1.0f, 0.6f, 1.0f),
                                               2.2f,
                                               0.8f,
                                               0.05f,
                                               0.02f,
                                               Vector3(5, 5, 1)})});
    // A single burst at the start of its cycle, rising like dew from the cell.
    systems.push_back({"mana_cell", Make({40,
                                          1.5f,
                                          false,
                                          {40, 0, 0, 0, 0, 0},
                                          1.2f,
                                          Vector3(0, 0, 1),
                                          Vector3(0.6f, 0.6f, 0.2f),
                                          mana,
                                          Color(0.8f, 1.0f, 1.0f, 1.0f),
                                          4.0f,
                                          1.0f,
                                          0.35f,
                                          0.05f,
                                          Vector3(12, 12, 1)})});
    // In GUI units (800 x 600); the menus' own systems are content/MenuParticles'.
    systems.push_back({"mana_to_progress", Make({150,
                                                 1.0f,
                                                 true,
                                                 {90, 90, 90, 90, 90, 90},
                                                 0.6f,
                                                 Vector3(0, 0, 0),
                                                 Vector3(0.4f, 0.4f, 0),
                                                 mana,
                                                 violet,
                                                 12.0f,
                                                 5.0f,
                                                 0.2f,
                                                 0.05f,
                                                 Vector3(4, 4, 0)})});
    systems.push_back({"mana_progress", Make({80,
                                              1.0f,
                                              true,
                                              {40, 40, 40, 40, 40, 40},
                                              0.9f,
                                              Vector3(0, 1, 0),
                                              Vector3(0.5f, 0.3f, 0),
                                              mana,
                                              white,
                                              10.0f,
                                              3.0f,
                                              0.25f,
                                              0.05f,
                                              // Narrow: the HUD's mana bar stands upright at the screen's right edge.
                                              Vector3(8, 3, 0)})});
    return systems;
}

} // namespace

void GameParticles::AddRecipes(DataSetBuilder& builder)
{
    // A soft round glow with a faint four-pointed star in it, added to the scene.
    ParticleSet::AddRecipe(builder, "game particles", kRecipeVersion, Systems(), "sparkle", true, [](float x, float y) {
        const float r = std::hypot(x, y);
        const float glow = std::exp(-r * r * 6.0f);
        const float star = std::exp(-std::fabs(x * y) * 60.0f) * (1.0f - ArtCanvas::SmoothStep(0.3f, 1.0f, r));
        return ArtColor{1.0f, 1.0f, 1.0f, ArtCanvas::Clamp01(glow + 0.6f * star)};
    });
}

} // namespace Content
