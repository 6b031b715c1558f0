// The contents of a particle-system file (".psf", magic "OEPSF", versions 203
// and 204): the emitter's settings and six-key timelines, its particle limit
// and its emitter shape. The two versions differ only in the speed-spread
// keys, which 203 lacks (they read as 0).
//
// The file has a fixed size per version; its particle limit is capped at
// kMaxParticles so that a damaged count cannot ask for a huge pool. A bad
// file throws FileError; nothing is logged here.
#pragma once

#include <cstdint>
#include <string>

#include "engine/core/Color.h"
#include "engine/core/Vector3.h"

namespace OrrelayEngine {

class FileBinary;

class ParticleFile
{
public:
    static constexpr std::uint32_t kCurrentVersion = 204;
    static constexpr std::uint32_t kVersionWithoutSpeedSpread = 203;
    static constexpr std::uint32_t kFileBytes = 453;
    static constexpr std::uint32_t kFileBytesWithoutSpeedSpread = 429;
    static constexpr std::uint32_t kKeyCount = 6;
    // Each particle is a sprite of four vertices and six indices in one
    // buffer; 10,000 is far above any effect the game draws.
    static constexpr std::uint32_t kMaxParticles = 10000;

    // The emitter's settings in file order; copied whole by a copied system.
    struct Settings
    {
        float duration = 0.0f;
        std::uint8_t gravityOn = 0;
        float gravity = 0.0f;
        std::uint8_t floorOn = 0;
        float floorHeight = 0.0f;
        float bounce = 0.0f;
        std::uint8_t stopAtRest = 0;
        float restSpeed = 0.0f;
        std::uint8_t smoothEmission = 0;
        float emissionRate[kKeyCount] = {};
        float lifetime[kKeyCount] = {};
        float lifetimeSpread[kKeyCount] = {};
        Vector3 direction[kKeyCount];
        Vector3 directionSpread[kKeyCount];
        Color color[kKeyCount];
        float size[kKeyCount] = {};
        float speed[kKeyCount] = {};
        float speedSpread[kKeyCount] = {};
    };

    // name is the name the messages show.
    void Read(FileBinary& file, const std::string& name);

    std::uint32_t version = 0;
    // Already capped; fileMaxParticles is what the file said.
    std::uint32_t maxParticles = 0;
    std::uint32_t fileMaxParticles = 0;
    Settings settings;
    std::uint32_t emitterShape = 0;
    Vector3 emitterBoxMin;
    Vector3 emitterBoxMax;
};

} // namespace OrrelayEngine
