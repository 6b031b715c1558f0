// The tutorial character, a round bumblebee gardener drawn in GUI units at
// the lower left of the 800 x 600 screen: its body model moves through the
// frame ranges the character plays (come in 0-47 from below, stand 47-49,
// leave 49-96; come in 97-144 from the left, stand 144-146, leave 146-192;
// a full turn 194-252), its face is a 16 x 16 atlas of 256 whole pictures
// played in the face ranges, and four speech bubbles for one to four lines
// widen to the right over their 25 frames beside its face.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Content {

class DataSetBuilder;

class CharacterArt
{
public:
    static constexpr std::uint32_t kBodyFrameCount = 253;
    static constexpr std::uint32_t kFaceFrameCount = 256;
    static constexpr std::uint32_t kBubbleFrameCount = 25;
    // Where the figure stands.
    static constexpr float kFigureCentreX = 115.0f;
    static constexpr float kFigureCentreY = 125.0f;
    static constexpr float kFigureHalfSize = 95.0f;
    // The bubbles stand right of the figure's face, clear of the HUD's strips:
    // the bubble's left edge and bottom, how far its tail reaches left toward
    // the face, its width in the first frame, and the model's box at its
    // widest (the tail and the balancing point as far right included). The
    // game stops the widening once the box is 75 units wider than the widest
    // line, and centres the lines in the box.
    static constexpr float kBubbleLeft = 196.0f;
    static constexpr float kBubbleBottom = 140.0f;
    static constexpr float kBubbleTail = 10.0f;
    static constexpr float kBubbleStartWidth = 70.0f;
    static constexpr float kBubbleMaxWidth = 470.0f;
    static constexpr float kBubbleLinePitch = 24.0f;
    static constexpr float kBubblePadding = 14.0f;

    static constexpr float GetBubbleHeight(std::uint32_t lines)
    {
        return kBubbleLinePitch * static_cast<float>(lines) + 2.0f * kBubblePadding;
    }

    static std::vector<std::string> GetPaths();
    static std::vector<std::vector<std::uint8_t>> Make();
    static void AddRecipes(DataSetBuilder& builder);
};

} // namespace Content
