#include "content/MenuParticles.h"

#include <cmath>

#include "content/ArtCanvas.h"
#include "content/ArtMesh.h"
#include "content/AssetRecipe.h"
#include "content/DataSetBuilder.h"
#include "content/ParticleFileWriter.h"

namespace Content {

using OrrelayEngine::Color;
using OrrelayEngine::ParticleFile;
using OrrelayEngine::Vector3;

namespace {

constexpr const char* kRecipeVersion = "menu particles 1";
constexpr const char* kFolder = "ui\\menus\\particles\\";
constexpr const char* kTwinkle = "ui\\menus\\particles\\textures\\twinkle";
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
    ParticleFile file;
    file.version = ParticleFile::kCurrentVersion;
    file.maxParticles = look.maxParticles;
    ParticleFile::Settings& s = file.settings;
    s.duration = look.duration;
    s.smoothEmission = look.smooth ? 1 : 0;
    for (std::uint32_t k = 0; k < kKeys; ++k) {
        const float t = static_cast<float>(k) / static_cast<float>(kKeys - 1);
        s.emissionRate[k] = look.emission[k];
        s.lifetime[k] = look.lifetime;
        s.lifetimeSpread[k] = look.lifetimeSpread;
        s.direction[k] = look.direction;
        s.directionSpread[k] = look.spread;
        s.color[k] =
            Color(look.first.r + (look.last.r - look.first.r) * t, look.first.g + (look.last.g - look.first.g) * t,
                  look.first.b + (look.last.b - look.first.b) * t, look.alpha[k]);
        s.size[k] = look.size[k];
        s.speed[k] = look.speed[k];
        s.speedSpread[k] = look.speed[k] * 0.35f;
    }
    file.emitterShape = look.boxHalf.Length() > 0.0f ? 1 : 0;
    file.emitterBoxMin = look.boxHalf * -1.0f;
    file.emitterBoxMax = look.boxHalf;
    return file;
}

} // namespace

std::vector<MenuParticles::System> MenuParticles::GetSystems()
{
    const Color cream(1.0f, 0.98f, 0.85f, 1.0f);
    const Color honey(0.98f, 0.72f, 0.2f, 1.0f);
    const Color rose(1.0f, 0.55f, 0.6f, 1.0f);
    std::vector<System> systems;
    // A thin stream of twinkles drifting down from the pointer's tail, gone in
    // half a second, so that it trails a moving pointer and stays small at rest.
    systems.push_back({"cursor_train", Make({48,
                                             1.0f,
                                             true,
                                             {36, 36, 36, 36, 36, 36},
                                             0.55f,
                                             0.15f,
                                             Vector3(0, -1, 0),
                                             Vector3(0.8f, 0.5f, 0),
                                             {4, 9, 8, 6, 4, 2},
                                             {0.25f, 0.15f, 0.1f, 0.06f, 0.04f, 0.02f},
                                             {0.0f, 1.0f, 0.9f, 0.6f, 0.3f, 0.0f},
                                             cream,
                                             honey,
                                             Vector3(3, 3, 0)})});
    // One ring of twinkles thrown out from the click point, slowing as it fades.
    systems.push_back({"cursor_click", Make({24,
                                             0.6f,
                                             false,
                                             {18, 0, 0, 0, 0, 0},
                                             0.45f,
                                             0.1f,
                                             Vector3(0, 0, 0),
                                             Vector3(1, 1, 0),
                                             {10, 9, 7, 5, 3, 2},
                                             {1.6f, 0.9f, 0.5f, 0.25f, 0.1f, 0.05f},
                                             {1.0f, 1.0f, 0.8f, 0.5f, 0.25f, 0.0f},
                                             cream,
                                             honey,
                                             Vector3(0, 0, 0)})});
    // Over the place the upgrade brings in (the background sets the emitter's
    // box to the place and scales the rate by its area): a shower of rising
    // twinkles, strongest as the place fades in, dying away over two seconds.
    systems.push_back({"upgrade", Make({300,
                                        2.0f,
                                        true,
                                        {140, 120, 90, 60, 30, 0},
                                        1.4f,
                                        0.4f,
                                        Vector3(0, 1, 0),
                                        Vector3(0.6f, 0.4f, 0),
                                        {6, 16, 14, 11, 7, 3},
                                        {0.35f, 0.3f, 0.2f, 0.12f, 0.08f, 0.05f},
                                        {0.0f, 1.0f, 1.0f, 0.8f, 0.4f, 0.0f},
                                        honey,
                                        rose,
                                        Vector3(40, 20, 0)})});
    return systems;
}

void MenuParticles::AddRecipes(DataSetBuilder& builder)
{
    AssetRecipe recipe;
    recipe.origin = "menu particles";
    recipe.parameters = kRecipeVersion;
    for (const System& system : GetSystems()) {
        recipe.packPaths.push_back("data\\" + std::string(kFolder) + system.name + ".psf");
        recipe.packPaths.push_back("data\\" + std::string(kFolder) + system.name + ".srf");
    }
    recipe.packPaths.push_back("data\\" + std::string(kTwinkle) + ".jpg");
    recipe.packPaths.push_back("data\\" + std::string(kTwinkle) + "_alpha.jpg");
    recipe.make = []() {
        AssetRecipe::Outputs outputs;
        const std::string twinkle(kTwinkle);
        for (const System& system : GetSystems()) {
            outputs.push_back(ParticleFileWriter().Build(system.file).GetBytes());
            outputs.push_back(ArtMesh::BuildTextureShader(twinkle + ".jpg", twinkle + "_alpha.jpg"));
        }
        // A four-pointed twinkle in a soft glow, white at its heart and warm
        // toward its tips; the particles' colours tint it.
        ArtCanvas picture(64, 64);
        picture.Paint([](float u, float v) {
            const float x = u * 2.0f - 1.0f;
            const float y = v * 2.0f - 1.0f;
            const float r = std::hypot(x, y);
            const float glow = std::exp(-r * r * 9.0f);
            const float arms =
                std::exp(-std::fabs(x * y) * 40.0f - r * r * 2.5f) * (1.0f - ArtCanvas::SmoothStep(0.6f, 1.0f, r));
            const float warm = ArtCanvas::SmoothStep(0.05f, 0.6f, r);
            return ArtColor{1.0f, 1.0f - 0.1f * warm, 1.0f - 0.45f * warm, ArtCanvas::Clamp01(0.8f * glow + arms)};
        });
        outputs.push_back(picture.BuildColorJpeg());
        outputs.push_back(picture.BuildAlphaJpeg());
        return outputs;
    };
    builder.Add(std::move(recipe));
}

} // namespace Content
