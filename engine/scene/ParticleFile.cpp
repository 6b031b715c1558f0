#include "engine/scene/ParticleFile.h"

#include <cstring>

#include "engine/core/FileError.h"
#include "engine/core/StringHelpers.h"
#include "engine/file/FieldReader.h"
#include "engine/file/FileBinary.h"

namespace OrrelayEngine {

namespace {

constexpr const char* kMagic = "OEPSF";
constexpr std::uint32_t kMagicBytes = 5;

// Every field is read straight from the file: one the file is too short for
// raises the file layer's short read, which names the bytes it missed.
Vector3 ReadVec3(FileBinary& file)
{
    const float x = FieldReader::ReadF32(file);
    const float y = FieldReader::ReadF32(file);
    const float z = FieldReader::ReadF32(file);
    return Vector3(x, y, z);
}

void ReadKeys(FileBinary& file, float (&keys)[ParticleFile::kKeyCount])
{
    for (float& key : keys) {
        key = FieldReader::ReadF32(file);
    }
}

} // namespace

void ParticleFile::Read(FileBinary& file, const std::string& name)
{
    const std::uint32_t sizeField = FieldReader::ReadU32(file);
    char magic[kMagicBytes];
    file.Read(magic, kMagicBytes);
    if (sizeField != file.GetSize() || std::memcmp(magic, kMagic, kMagicBytes) != 0) {
        throw FileError(MakeIncorrectFileFormatMessage(name));
    }
    version = FieldReader::ReadU32(file);
    if (version != kCurrentVersion && version != kVersionWithoutSpeedSpread) {
        throw FileError("Incorrect \"" + name + "\" format version, current is " + UIntToString(kCurrentVersion));
    }

    fileMaxParticles = FieldReader::ReadU32(file);
    maxParticles = fileMaxParticles < kMaxParticles ? fileMaxParticles : kMaxParticles;
    settings.duration = FieldReader::ReadF32(file);
    settings.gravityOn = FieldReader::ReadU8(file);
    settings.gravity = FieldReader::ReadF32(file);
    settings.floorOn = FieldReader::ReadU8(file);
    settings.floorHeight = FieldReader::ReadF32(file);
    settings.bounce = FieldReader::ReadF32(file);
    settings.stopAtRest = FieldReader::ReadU8(file);
    settings.restSpeed = FieldReader::ReadF32(file);
    settings.smoothEmission = FieldReader::ReadU8(file);
    ReadKeys(file, settings.emissionRate);
    ReadKeys(file, settings.lifetime);
    ReadKeys(file, settings.lifetimeSpread);
    for (Vector3& direction : settings.direction) {
        direction = ReadVec3(file);
    }
    for (Vector3& spread : settings.directionSpread) {
        spread = ReadVec3(file);
    }
    for (Color& color : settings.color) {
        color.r = FieldReader::ReadF32(file);
        color.g = FieldReader::ReadF32(file);
        color.b = FieldReader::ReadF32(file);
        color.a = FieldReader::ReadF32(file);
    }
    ReadKeys(file, settings.size);
    ReadKeys(file, settings.speed);
    if (version == kCurrentVersion) {
        ReadKeys(file, settings.speedSpread);
    } else {
        for (float& spread : settings.speedSpread) {
            spread = 0.0f;
        }
    }
    emitterShape = FieldReader::ReadU32(file);
    emitterBoxMin = ReadVec3(file);
    emitterBoxMax = ReadVec3(file);
}

} // namespace OrrelayEngine
