#include "content/MenuParticles.h"

#include <cmath>

#include "content/ParticleSet.h"

namespace Content {

using OrrelayEngine::Color;
using OrrelayEngine::ParticleFile;
using OrrelayEngine::Vector3;

namespace {

constexpr const char* kRecipeVersion = "menu particles 2";
constexpr std::uint32_t kKeys = ParticleFile::kKeyCount;

// Emission keys run over the system's cycle, the others over a particle's life.
struct Look
{
    std::uint32_t maxParticles;
    float duration;
    bool smooth;
    float emission[kKeys];
    float lifetime;
    float lifetimeSpread;
    Vector3 direction;
    Vector3 spread;
    float size[kKeys];
    float speed[kKeys];
    float alpha[kKeys];
    Color first;
    Color last;
    Vector3 boxHalf;
};

ParticleFile Make(const Look& look)
{
    ParticleFile file = ParticleSet::MakeFile(look.maxParticles, look.duration, look.smooth, look.boxHalf);
    ParticleFile::Settings& s = file.settings;
    for (std::uint32_t k = 0; k < kKeys; ++k) {
        s.emissionRate[k] = look.emission[k];
        s.lifetime[k] = look.lifetime;
        s.lifetimeSpread[k] = look.lifetimeSpread;
        s.direction[k] = look.direction;
        s.directionSpread[k] = look.spread;
        s.color[k] = ParticleSet::Blend(look.first, look.last, ParticleSet::KeyTime(k), look.alpha[k]);
        s.size[k] = look.size[k];
        s.speed[k] = look.speed[k];
        s.speedSpread[k] = look.speed[k] * 0.35f;
    }
    return file;
}

std::vector<ParticleSet::System> Systems()
{
    // Pale gold at birth deepening to amber: the twinkles stand out on the
    // pale sky and the meadow as well as on the dark wood of the screens.
    const Color sparkle(1.0f, 0.95f, 0.62f, 1.0f);
    const Color amber(0.96f, 0.58f, 0.1f, 1.0f);
    const Color rose(1.0f, 0.5f, 0.55f, 1.0f);
    std::vector<ParticleSet::System> systems;
    // Glitter falling from the wing of the arrow, where the trail leaves the
    // pointer: it slides out from under the arrow, so a resting pointer shows
    // a little fountain and a moving one a trail. Sizes and strength swing
    // over each life, which makes the twinkles flicker.
    systems.push_back({"cursor_train", Make({64,
                                             1.0f,
                                             true,
                                             {40, 40, 40, 40, 40, 40},
                                             0.75f,
                                             0.2f,
                                             Vector3(0.6f, -1, 0),
                                             Vector3(0.5f, 0.3f, 0),
                                             {5, 10, 6, 9, 5, 2},
                                             {0.45f, 0.3f, 0.2f, 0.12f, 0.08f, 0.05f},
                                             {0.4f, 1.0f, 0.8f, 1.0f, 0.55f, 0.0f},
                                             sparkle,
                                             amber,
                                             Vector3(2, 2, 0)})});
    // One ring of twinkles thrown out from the click point past the arrow,
    // slowing as it fades.
    systems.push_back({"cursor_click", Make({32,
                                             0.6f,
                                             false,
                                             {22, 0, 0, 0, 0, 0},
                                             0.55f,
                                             0.1f,
                                             Vector3(0, 0, 0),
                                             Vector3(1, 1, 0),
                                             {7, 11, 9, 7, 4, 2},
                                             {2.4f, 1.3f, 0.6f, 0.3f, 0.15f, 0.05f},
                                             {1.0f, 1.0f, 0.9f, 0.65f, 0.3f, 0.0f},
                                             sparkle,
                                             amber,
                                             Vector3(0, 0, 0)})});
    // Over the place the upgrade brings in (the background sets the emitter's
    // box to the place and scales the rate by its area against a quarter of
    // the screen, so a single place of some 100 x 100 gets about a fifteenth
    // of these rates): a shower of rising twinkles, strongest as the place
    // fades in, dying away over two seconds.
    systems.push_back({"upgrade", Make({300,
                                        2.0f,
                                        true,
                                        {1000, 900, 700, 450, 200, 0},
                                        1.3f,
                                        0.4f,
                                        Vector3(0, 1, 0),
                                        Vector3(0.6f, 0.4f, 0),
                                        {6, 14, 10, 13, 8, 3},
                                        {0.35f, 0.3f, 0.2f, 0.12f, 0.08f, 0.05f},
                                        {0.3f, 1.0f, 0.85f, 1.0f, 0.5f, 0.0f},
                                        sparkle,
                                        rose,
                                        Vector3(40, 20, 0)})});
    return systems;
}

} // namespace

void MenuParticles::AddRecipes(DataSetBuilder& builder)
{
    // A four-pointed twinkle: a solid white heart, long thin arms and a faint
    // halo; the particles' colours tint it.
    ParticleSet::AddRecipe(
        builder, "menu particles", kRecipeVersion, Systems(), "twinkle", false, [](float x, float y) {
            const float r = std::hypot(x, y);
            const float heart = std::exp(-r * r * 16.0f);
            const float halo = 0.3f * std::exp(-r * r * 5.0f);
            const float arms =
                std::exp(-std::fabs(x * y) * 60.0f - r * r * 2.0f) * (1.0f - ArtCanvas::SmoothStep(0.7f, 1.0f, r));
            const float warm = ArtCanvas::SmoothStep(0.05f, 0.6f, r);
            return ArtColor{1.0f, 1.0f - 0.1f * warm, 1.0f - 0.4f * warm, ArtCanvas::Clamp01(heart + halo + arms)};
        });
}

} // namespace Content
