#include "content/ParticleFileWriter.h"

namespace Content {

namespace {

using OrrelayEngine::ParticleFile;
using OrrelayEngine::Vector3;

void PutVector(ByteBuffer& file, const Vector3& vector)
{
    file.PutF32(vector.x);
    file.PutF32(vector.y);
    file.PutF32(vector.z);
}

void PutKeys(ByteBuffer& file, const float (&keys)[ParticleFile::kKeyCount])
{
    for (float key : keys) {
        file.PutF32(key);
    }
}

} // namespace

ByteBuffer ParticleFileWriter::Build(const ParticleFile& system) const
{
    const ParticleFile::Settings& settings = system.settings;
    ByteBuffer file;
    file.PutU32(0);
    file.PutBytes("OEPSF", 5);
    file.PutU32(system.version);
    file.PutU32(system.maxParticles);
    file.PutF32(settings.duration);
    file.PutU8(settings.gravityOn);
    file.PutF32(settings.gravity);
    file.PutU8(settings.floorOn);
    file.PutF32(settings.floorHeight);
    file.PutF32(settings.bounce);
    file.PutU8(settings.stopAtRest);
    file.PutF32(settings.restSpeed);
    file.PutU8(settings.smoothEmission);
    PutKeys(file, settings.emissionRate);
    PutKeys(file, settings.lifetime);
    PutKeys(file, settings.lifetimeSpread);
    for (const Vector3& direction : settings.direction) {
        PutVector(file, direction);
    }
    for (const Vector3& spread : settings.directionSpread) {
        PutVector(file, spread);
    }
    for (const OrrelayEngine::Color& color : settings.color) {
        file.PutF32(color.r);
        file.PutF32(color.g);
        file.PutF32(color.b);
        file.PutF32(color.a);
    }
    PutKeys(file, settings.size);
    PutKeys(file, settings.speed);
    if (system.version != ParticleFile::kVersionWithoutSpeedSpread) {
        PutKeys(file, settings.speedSpread);
    }
    file.PutU32(system.emitterShape);
    PutVector(file, system.emitterBoxMin);
    PutVector(file, system.emitterBoxMax);
    file.PatchU32(kSizeOffset, static_cast<std::uint32_t>(static_cast<std::int64_t>(file.GetSize()) + sizeFieldError_));
    return file;
}

ParticleFile ParticleFileWriter::MakeFountain()
{
    ParticleFile system;
    system.version = ParticleFile::kCurrentVersion;
    system.maxParticles = 50;
    ParticleFile::Settings& settings = system.settings;
    settings.duration = 1.0f;
    settings.gravityOn = 1;
    settings.gravity = 1.0f;
    settings.floorOn = 0;
    settings.bounce = 0.5f;
    settings.restSpeed = 0.1f;
    settings.smoothEmission = 1;
    for (std::uint32_t k = 0; k < ParticleFile::kKeyCount; ++k) {
        const float fade = 1.0f - static_cast<float>(k) / 5.0f;
        settings.emissionRate[k] = 10.0f;
        settings.lifetime[k] = 1.0f;
        settings.lifetimeSpread[k] = 0.0f;
        settings.direction[k] = Vector3(0.0f, 0.0f, 1.0f);
        settings.directionSpread[k] = Vector3(0.3f, 0.3f, 0.0f);
        settings.color[k] = OrrelayEngine::Color(1.0f, 1.0f, 1.0f, fade);
        settings.size[k] = 0.5f;
        settings.speed[k] = 1.0f;
        settings.speedSpread[k] = 0.1f;
    }
    system.emitterShape = 0;
    system.emitterBoxMin = Vector3(-0.5f, -0.5f, -0.5f);
    system.emitterBoxMax = Vector3(0.5f, 0.5f, 0.5f);
    return system;
}

} // namespace Content
