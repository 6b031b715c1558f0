// The tutorial character, a round bumblebee gardener drawn in GUI units at
// the lower left of the 800 x 600 screen: its body model moves through the
// frame ranges the character plays (come in 0-47 from below, stand 47-49,
// leave 49-96; come in 97-144 from the left, stand 144-146, leave 146-192;
// a full turn 194-252), its face is a 16 x 16 atlas of 256 whole pictures
// played in the face ranges, and four speech bubbles for one to four lines
// widen to the right over their 25 frames.
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
    // Where the figure stands, and the bubbles' left edge and bottom.
    static constexpr float kFigureCentreX = 115.0f;
    static constexpr float kFigureCentreY = 125.0f;
    static constexpr float kFigureHalfSize = 95.0f;
    static constexpr float kBubbleLeft = 205.0f;
    static constexpr float kBubbleBottom = 150.0f;
    static constexpr float kBubbleLineHeight = 22.0f;
    static constexpr float kBubbleMaxWidth = 470.0f;

    static std::vector<std::string> GetPaths();
    static std::vector<std::vector<std::uint8_t>> Make();
    static void AddRecipes(DataSetBuilder& builder);
};

} // namespace Content
