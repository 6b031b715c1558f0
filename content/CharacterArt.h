// The tutorial character, a round bumblebee gardener drawn in GUI units (800 x
// 600): its body model moves through the frame ranges the character plays
// (come in 0-47 from below, stand 47-49, leave 49-96 at the lower left of the
// board's screen; come in 97-144 from the left, stand 144-146, leave 146-192
// at the top of the menus; and a full turn 194-252 flying from the
// first place to the second, which played backwards brings it back), its
// face is a 16 x 16 atlas of 256 whole pictures played in the face ranges, and four speech bubbles for one to four
// lines widen to the right over their 25 frames beside its top right. The figure's 100 units are 128 pixels at 1024 x
// 768, as many as its pictures have texels, so that it stays sharp at the largest screen.
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
    // Where the figure stands (the centre of its picture, and half its
    // side): on the board's screen, clear of the HUD's left strip and of the
    // cells, and for the upgrade notice, whose line stays clear of its
    // bubble; and on the menus and the results, smaller, between the HUD's
    // left corner and the title's sign, above the title and every frame.
    static constexpr float kPlayCentreX = 126.0f;
    static constexpr float kPlayCentreY = 94.0f;
    static constexpr float kPlayHalfSize = 50.0f;
    static constexpr float kMenuCentreX = 196.0f;
    static constexpr float kMenuCentreY = 563.0f;
    static constexpr float kMenuHalfSize = 36.0f;
    // The bubbles hang from the figure's top right where it stands on the
    // board's screen, the only place it speaks: the bubble's left edge and
    // top, how far its tail reaches left toward the face, its width in the
    // first frame, and the model's box at its widest (the tail and the
    // balancing point as far right included). The game stops the widening
    // once the box is 75 units wider than the widest line, and centres the
    // lines in the box.
    static constexpr float kBubbleLeft = kPlayCentreX + kPlayHalfSize + 8.0f;
    static constexpr float kBubbleTop = kPlayCentreY + kPlayHalfSize - 4.0f;
    static constexpr float kBubbleTail = 10.0f;
    static constexpr float kBubbleStartWidth = 70.0f;
    static constexpr float kBubbleMaxWidth = 470.0f;
    static constexpr float kBubbleLinePitch = 24.0f;
    static constexpr float kBubblePadding = 12.0f;

    static constexpr float GetBubbleHeight(std::uint32_t lines)
    {
        return kBubbleLinePitch * static_cast<float>(lines) + 2.0f * kBubblePadding;
    }

    static std::vector<std::string> GetPaths();
    static std::vector<std::vector<std::uint8_t>> Make();
    static void AddRecipes(DataSetBuilder& builder);
};

} // namespace Content
