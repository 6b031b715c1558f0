#include "content/ShaderFileWriter.h"

namespace Content {

ShaderFileWriter::ShaderFileWriter()
{
    for (std::uint32_t i = 0; i < 4; ++i)
        SetColor(i, 1.0f, 1.0f, 1.0f, 1.0f);
}

void ShaderFileWriter::SetColor(std::uint32_t index, float r, float g, float b, float a)
{
    if (index >= 4)
        return;
    colors_[index][0] = r;
    colors_[index][1] = g;
    colors_[index][2] = b;
    colors_[index][3] = a;
}

void ShaderFileWriter::SetScalars(float first, float second)
{
    scalars_[0] = first;
    scalars_[1] = second;
}

void ShaderFileWriter::SetBlendFactors(std::uint32_t source, std::uint32_t destination)
{
    blendFactors_[0] = source;
    blendFactors_[1] = destination;
}

ByteBuffer ShaderFileWriter::Build() const
{
    ByteBuffer file;
    file.PutU32(0);
    file.PutBytes("OESRF", 5);
    file.PutU32(version_);
    file.PutU32(flags_);
    for (const auto& color : colors_) {
        for (float channel : color)
            file.PutF32(channel);
    }
    file.PutF32(scalars_[0]);
    file.PutF32(scalars_[1]);
    file.PutU32(blendFactors_[0]);
    file.PutU32(blendFactors_[1]);
    file.PutU32(static_cast<std::uint32_t>(stages_.size()));
    for (const Stage& stage : stages_) {
        file.PutU32(stage.flags);
        file.PutU32(stage.animationMode);
        if (stage.animationMode != 0) {
            file.PutU32(stage.frameCount);
            file.PutF32(stage.speed);
        }
        if (stage.animationMode == 1) {
            file.PutU32(stage.columns);
            file.PutU32(stage.rows);
        }
        file.PutCountedString(stage.diffuseFileName);
        file.PutCountedString(stage.opacityFileName);
        file.PutU32(stage.addressU);
        file.PutU32(stage.addressV);
        for (float value : stage.textureTransform)
            file.PutF32(value);
    }
    file.PatchU32(kSizeOffset, static_cast<std::uint32_t>(static_cast<std::int64_t>(file.GetSize()) + sizeFieldError_));
    return file;
}

} // namespace Content
