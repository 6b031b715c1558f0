#include "engine/scene/ParticleFile.h"

#include <cstring>

#include "engine/core/FileError.h"
#include "engine/core/StringHelpers.h"
#include "engine/file/FileBinary.h"
#include "engine/file/LittleEndian.h"
#include "engine/scene/ModelFile.h"

namespace OrrelayEngine {

namespace {

constexpr const char* kMagic = "OEPSF";
constexpr std::uint32_t kMagicBytes = 5;

// Reads the file field by field, little-endian; a field the file is too short
// for raises the file's own FileError, which names the bytes it missed.
class FieldReader
{
public:
    explicit FieldReader(FileBinary& file) : file_(file) {}

    std::uint8_t U8()
    {
        std::uint8_t value = 0;
        file_.Read(&value, 1);
        return value;
    }

    std::uint32_t U32()
    {
        std::uint8_t bytes[4];
        file_.Read(bytes, 4);
        return ReadLittleEndian32(bytes);
    }

    float F32()
    {
        const std::uint32_t bits = U32();
        float value;
        std::memcpy(&value, &bits, sizeof(value));
        return value;
    }

    Vector3 Vec3()
    {
        const float x = F32();
        const float y = F32();
        const float z = F32();
        return Vector3(x, y, z);
    }

    void Keys(float (&keys)[ParticleFile::kKeyCount])
    {
        for (float& key : keys) {
            key = F32();
        }
    }

private:
    FileBinary& file_;
};

} // namespace

void ParticleFile::Read(FileBinary& file, const std::string& name)
{
    FieldReader fields(file);
    const std::uint32_t sizeField = fields.U32();
    char magic[kMagicBytes];
    file.Read(magic, kMagicBytes);
    if (sizeField != file.GetSize() || std::memcmp(magic, kMagic, kMagicBytes) != 0) {
        throw FileError(MakeIncorrectFileFormatMessage(name));
    }
    version = fields.U32();
    if (version != kCurrentVersion && version != kVersionWithoutSpeedSpread) {
        throw FileError("Incorrect \"" + name + "\" format version, current is " + UIntToString(kCurrentVersion));
    }

    fileMaxParticles = fields.U32();
    maxParticles = fileMaxParticles < kMaxParticles ? fileMaxParticles : kMaxParticles;
    settings.duration = fields.F32();
    settings.gravityOn = fields.U8();
    settings.gravity = fields.F32();
    settings.floorOn = fields.U8();
    settings.floorHeight = fields.F32();
    settings.bounce = fields.F32();
    settings.stopAtRest = fields.U8();
    settings.restSpeed = fields.F32();
    settings.smoothEmission = fields.U8();
    fields.Keys(settings.emissionRate);
    fields.Keys(settings.lifetime);
    fields.Keys(settings.lifetimeSpread);
    for (Vector3& direction : settings.direction) {
        direction = fields.Vec3();
    }
    for (Vector3& spread : settings.directionSpread) {
        spread = fields.Vec3();
    }
    for (Color& color : settings.color) {
        color.r = fields.F32();
        color.g = fields.F32();
        color.b = fields.F32();
        color.a = fields.F32();
    }
    fields.Keys(settings.size);
    fields.Keys(settings.speed);
    if (version == kCurrentVersion) {
        fields.Keys(settings.speedSpread);
    } else {
        for (float& spread : settings.speedSpread) {
            spread = 0.0f;
        }
    }
    emitterShape = fields.U32();
    emitterBoxMin = fields.Vec3();
    emitterBoxMax = fields.Vec3();
}

} // namespace OrrelayEngine
