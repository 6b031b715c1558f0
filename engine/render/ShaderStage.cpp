#include "engine/render/ShaderStage.h"

#include <cmath>

namespace OrrelayEngine {

namespace {

// Each grid cell is inset by half of this on every side, so that bilinear
// filtering never reaches into the neighbouring frame.
constexpr float kGridCellInset = 0.01f;

// Wraps the way repeated subtraction of the frame count would: a position
// above the count lands in (0, count], one exactly at the count stays. Done
// with fmod, so that a huge step cannot loop for ever or stall on a float too
// large to change, and extended to negative and non-finite positions.
float WrapFramePosition(float position, float count)
{
    if (!std::isfinite(position))
        return 0.0f;
    if (position > count) {
        const float wrapped = std::fmod(position, count);
        return wrapped == 0.0f ? count : wrapped;
    }
    if (position < 0.0f)
        return std::fmod(position, count) + count;
    return position;
}

std::uint32_t AtLeastOne(std::uint32_t value)
{
    return value == 0 ? 1 : value;
}

} // namespace

void ShaderStage::UpdateAnimation(float& framePosition, float frameTimeSeconds)
{
    if (animationMode == kAnimationNone) {
        frameIndex = 0;
        return;
    }

    const std::uint32_t count = AtLeastOne(frameCount);
    framePosition = WrapFramePosition(framePosition + animationSpeed * frameTimeSeconds, static_cast<float>(count));
    // A position exactly at the count names the first frame again.
    std::uint32_t frame = static_cast<std::uint32_t>(framePosition);
    if (frame >= count)
        frame %= count;

    if (animationMode != kAnimationGrid) {
        frameIndex = frame;
        return;
    }

    const std::uint32_t gridColumns = AtLeastOne(columns);
    const std::uint32_t gridRows = AtLeastOne(rows);
    const std::uint32_t column = frame % gridColumns;
    // Grid row 0 is the top of the picture, at the largest v.
    const std::uint32_t row = (frame / gridColumns) % gridRows;
    const std::uint32_t flippedRow = gridRows - 1 - row;
    const float keep = 1.0f - kGridCellInset;
    const float scaleU = keep * (1.0f / static_cast<float>(gridColumns));
    const float scaleV = keep * (1.0f / static_cast<float>(gridRows));
    textureTransform[0] = scaleU;
    textureTransform[1] = scaleV;
    textureTransform[2] = scaleU * (static_cast<float>(column) + kGridCellInset * 0.5f) / keep;
    textureTransform[3] = scaleV * (static_cast<float>(flippedRow) + kGridCellInset * 0.5f) / keep;
    frameIndex = 0;
}

} // namespace OrrelayEngine
