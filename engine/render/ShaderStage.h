// One texture stage of a shader descriptor: the pictures it draws, how they
// animate (a grid of frames in one picture, or numbered files), address modes
// and texture transform. UpdateAnimation is the per-frame step of a stage; it
// allocates nothing.
#pragma once

#include <cstdint>
#include <string>

namespace OrrelayEngine {

struct ShaderStage
{
    static constexpr std::uint32_t kFlagMipMapped = 1;
    static constexpr std::uint32_t kFlagRandomStart = 2;
    static constexpr std::uint32_t kFlagNoTexture = 4;

    enum AnimationMode : std::uint32_t
    {
        kAnimationNone = 0,
        kAnimationGrid = 1,
        kAnimationDiffuseFiles = 2,
        kAnimationOpacityFiles = 3,
        kAnimationDiffuseAndOpacityFiles = 4
    };

    // Numbered-file animations load one texture per frame, so a frame count read
    // from a file is kept below this; grids and their sides likewise.
    static constexpr std::uint32_t kMaxFrameCount = 4096;

    std::uint32_t flags = 0;
    std::uint32_t animationMode = kAnimationNone;
    std::uint32_t columns = 1;
    std::uint32_t rows = 1;
    std::uint32_t frameCount = 0;
    float animationSpeed = 0.0f; // frames per second
    std::string diffuseFileName;
    std::string opacityFileName;
    // Render-system address modes: 0 clamp, 1 wrap.
    std::uint32_t addressU = 0;
    std::uint32_t addressV = 0;
    // Scale U, scale V, offset U, offset V.
    float textureTransform[4] = {1.0f, 1.0f, 0.0f, 0.0f};
    std::uint32_t frameIndex = 0;

    // Advances framePosition (in frames) by the speed over the frame time, keeps
    // it within [0, frameCount], and sets frameIndex or, for a grid, the texture
    // transform that shows the cell of the current frame.
    void UpdateAnimation(float& framePosition, float frameTimeSeconds);
};

} // namespace OrrelayEngine
