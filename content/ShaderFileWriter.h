// Writes shader files ("OESRF", version 211): the descriptor's flag word,
// colours, scalars, blend factors and stage records, each stage carrying its
// frame count and speed only when animated and its grid only for a grid
// animation. Names are stored with their terminating zero inside the counted
// bytes. The version, magic and size field can be set wrong for tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "content/ByteBuffer.h"

namespace Content {

class ShaderFileWriter
{
public:
    static constexpr std::size_t kSizeOffset = 0;
    static constexpr std::size_t kMagicOffset = 4;
    static constexpr std::size_t kVersionOffset = 9;
    static constexpr std::size_t kStageCountOffset = 97;
    static constexpr std::uint32_t kVersion = 211;

    struct Stage
    {
        std::uint32_t flags = 0;
        std::uint32_t animationMode = 0;
        std::uint32_t frameCount = 1;
        float speed = 0.0f;
        std::uint32_t columns = 1;
        std::uint32_t rows = 1;
        std::string diffuseFileName;
        std::string opacityFileName;
        std::uint32_t addressU = 0;
        std::uint32_t addressV = 0;
        float textureTransform[4] = {1.0f, 1.0f, 0.0f, 0.0f};
    };

    ShaderFileWriter();

    void SetFlags(std::uint32_t flags) { flags_ = flags; }
    // index 0 to 3; r, g, b, a.
    void SetColor(std::uint32_t index, float r, float g, float b, float a);
    void SetScalars(float first, float second);
    void SetBlendFactors(std::uint32_t source, std::uint32_t destination);
    void AddStage(const Stage& stage) { stages_.push_back(stage); }
    void SetVersion(std::uint32_t version) { version_ = version; }
    // Added to the true file size in the size field.
    void SetSizeFieldError(std::int32_t error) { sizeFieldError_ = error; }

    ByteBuffer Build() const;

private:
    std::uint32_t flags_ = 0;
    float colors_[4][4];
    float scalars_[2] = {0.0f, 0.0f};
    std::uint32_t blendFactors_[2] = {0, 0};
    std::vector<Stage> stages_;
    std::uint32_t version_ = kVersion;
    std::int32_t sizeFieldError_ = 0;
};

} // namespace Content
