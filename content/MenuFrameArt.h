// The recipes of the menu screens' four frames (main menu, big window, small
// window, start game): each frame's window model, which opens like a scroll
// unrolled from its middle over its key frames (frame 0 shut), its text area
// and the layout models of the buttons that stand in it, with the name edit
// box of the small window. Registers the controls and the options and
// profile layouts that stand in these frames too.
#pragma once

#include <cstdint>

#include "content/ArtMesh.h"
#include "content/MenuLayout.h"

namespace Content {

class DataSetBuilder;

class MenuFrameArt
{
public:
    static constexpr std::uint32_t kOpeningFrames = 20;

    static void AddRecipes(DataSetBuilder& builder);

    // The frame's quad at key frame `frame` of the opening: both rims always
    // shown, the face between them unrolled by the eased opening.
    static ArtMesh OpeningFrame(const MenuLayout::Box& quad, float band, std::uint32_t frame);
};

} // namespace Content
