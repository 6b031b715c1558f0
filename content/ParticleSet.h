// Particle systems under "data\ui\menus\particles\" that share one picture:
// the frame every system's file starts from, and the one recipe that writes
// each system's file with a shader over the picture beside it, then the
// picture itself.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "content/ArtCanvas.h"
#include "engine/scene/ParticleFile.h"

namespace Content {

class DataSetBuilder;

class ParticleSet
{
public:
    struct System
    {
        std::string name;
        OrrelayEngine::ParticleFile file;
    };

    // A file of the current version with its particle limit, its cycle, smooth
    // or burst emission and an emitter box of the given half size (a point
    // when it is zero); the caller fills the keys.
    static OrrelayEngine::ParticleFile MakeFile(std::uint32_t maxParticles, float duration, bool smooth,
                                                const OrrelayEngine::Vector3& boxHalf);
    // Where key k stands over a cycle or a life, from 0 to 1.
    static float KeyTime(std::uint32_t k);
    // The colour t of the way from first to last, of the given alpha.
    static OrrelayEngine::Color Blend(const OrrelayEngine::Color& first, const OrrelayEngine::Color& last, float t,
                                      float alpha);

    // The systems' files and shaders and the 64 x 64 picture "textures\<picture>"
    // under the folder, painted by paint(x, y) with x and y from -1 to 1 across
    // it; additive pictures brighten what lies under them, the others are
    // blended over it.
    static void AddRecipe(DataSetBuilder& builder, const std::string& origin, const std::string& version,
                          const std::vector<System>& systems, const std::string& picture, bool additive,
                          const std::function<ArtColor(float x, float y)>& paint);
};

} // namespace Content
