#include "engine/scene/ParticleFile.h"

#include <cstring>
#include <vector>

#include "engine/core/FileError.h"
#include "engine/core/StringHelpers.h"
#include "engine/file/FileBinary.h"
#include "engine/scene/ModelFile.h"

namespace OrrelayEngine {

namespace {

constexpr std::uint32_t kHeaderBytes = 13;
constexpr const char* kMagic = "OEPSF";
constexpr std::uint32_t kMagicBytes = 5;

// Fields of a block already read whole, decoded little-endian one by one.
class FieldCursor
{
public:
    explicit FieldCursor(const std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}

    std::uint8_t U8() { return bytes_[cursor_++]; }

    std::uint32_t U32()
    {
        const std::uint32_t value = static_cast<std::uint32_t>(bytes_[cursor_]) |
                                    (static_cast<std::uint32_t>(bytes_[cursor_ + 1]) << 8) |
                                    (static_cast<std::uint32_t>(bytes_[cursor_ + 2]) << 16) |
                                    (static_cast<std::uint32_t>(bytes_[cursor_ + 3]) << 24);
        cursor_ += 4;
        return value;
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
    const std::vector<std::uint8_t>& bytes_;
    std::size_t cursor_ = 0;
};

} // namespace

void ParticleFile::Read(FileBinary& file, const std::string& name)
{
    if (file.GetSize() < kHeaderBytes) {
        throw FileError(MakeIncorrectFileFormatMessage(name));
    }
    std::vector<std::uint8_t> bytes(file.GetSize());
    file.Read(bytes.data(), file.GetSize());
    FieldCursor fields(bytes);
    const std::uint32_t sizeField = fields.U32();
    if (sizeField != file.GetSize() || std::memcmp(bytes.data() + 4, kMagic, kMagicBytes) != 0) {
        throw FileError(MakeIncorrectFileFormatMessage(name));
    }
    for (std::uint32_t i = 0; i < kMagicBytes; ++i) {
        fields.U8();
    }
    version = fields.U32();
    if (version != kCurrentVersion && version != kVersionWithoutSpeedSpread) {
        throw FileError("Incorrect \"" + name + "\" format version, current is " + UIntToString(kCurrentVersion));
    }
    const std::uint32_t expected = version == kCurrentVersion ? kFileBytes : kFileBytesWithoutSpeedSpread;
    if (file.GetSize() < expected) {
        throw FileError(MakeIncorrectFileFormatMessage(name, "the file is cut short"));
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
