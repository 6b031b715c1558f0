#include "content/ParticleSet.h"

#include "content/ArtMesh.h"
#include "content/AssetRecipe.h"
#include "content/DataSetBuilder.h"
#include "content/ParticleFileWriter.h"

namespace Content {

using OrrelayEngine::Color;
using OrrelayEngine::ParticleFile;

namespace {

constexpr const char* kFolder = "ui\\menus\\particles\\";

} // namespace

ParticleFile ParticleSet::MakeFile(std::uint32_t maxParticles, float duration, bool smooth,
                                   const OrrelayEngine::Vector3& boxHalf)
{
    ParticleFile file;
    file.version = ParticleFile::kCurrentVersion;
    file.maxParticles = maxParticles;
    file.settings.duration = duration;
    file.settings.smoothEmission = smooth ? 1 : 0;
    file.emitterShape = boxHalf.Length() > 0.0f ? 1 : 0;
    file.emitterBoxMin = boxHalf * -1.0f;
    file.emitterBoxMax = boxHalf;
    return file;
}

float ParticleSet::KeyTime(std::uint32_t k)
{
    return static_cast<float>(k) / static_cast<float>(ParticleFile::kKeyCount - 1);
}

Color ParticleSet::Blend(const Color& first, const Color& last, float t, float alpha)
{
    return Color(first.r + (last.r - first.r) * t, first.g + (last.g - first.g) * t, first.b + (last.b - first.b) * t,
                 alpha);
}

void ParticleSet::AddRecipe(DataSetBuilder& builder, const std::string& origin, const std::string& version,
                            const std::vector<System>& systems, const std::string& picture, bool additive,
                            const std::function<ArtColor(float x, float y)>& paint)
{
    AssetRecipe recipe;
    recipe.origin = origin;
    recipe.parameters = version;
    const std::string texture = std::string(kFolder) + "textures\\" + picture;
    for (const System& system : systems) {
        recipe.packPaths.push_back("data\\" + std::string(kFolder) + system.name + ".psf");
        recipe.packPaths.push_back("data\\" + std::string(kFolder) + system.name + ".srf");
    }
    recipe.packPaths.push_back("data\\" + texture + ".jpg");
    recipe.packPaths.push_back("data\\" + texture + "_alpha.jpg");
    recipe.make = [systems, texture, additive, paint]() {
        AssetRecipe::Outputs outputs;
        for (const System& system : systems) {
            outputs.push_back(ParticleFileWriter().Build(system.file).GetBytes());
            outputs.push_back(ArtMesh::BuildTextureShader(texture + ".jpg", texture + "_alpha.jpg", additive));
        }
        ArtCanvas canvas(64, 64);
        canvas.Paint([&paint](float u, float v) { return paint(u * 2.0f - 1.0f, v * 2.0f - 1.0f); });
        outputs.push_back(canvas.BuildColorJpeg());
        outputs.push_back(canvas.BuildAlphaJpeg());
        return outputs;
    };
    builder.Add(std::move(recipe));
}

} // namespace Content
