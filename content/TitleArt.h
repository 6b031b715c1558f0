// The game's title and the text panel of the introduction: a wooden sign on
// two ropes drops in at the top of the screen, the title's letters fade in
// over it strip by strip from the left (the background fades the strips in
// turn, so many narrow strips make a quick wipe), and a dark panel slides down
// from behind the sign on short ropes: the title area, where "LOADING" and
// then every menu screen's title is printed in white. The panel unrolls from
// its middle whenever the title area opens on its own.
#pragma once

#include <cstdint>

namespace Content {

class DataSetBuilder;

class TitleArt
{
public:
    static constexpr const char* kModelFolder = "ui\\menus\\models\\background\\";
    static constexpr const char* kTextureFolder = "ui\\menus\\textures\\intro\\";
    static constexpr const char* kLanguage = "en";
    static constexpr const char* kTitle = "Quillory";
    // The background fades title i of T in over 2.5 / T s, starting at
    // 3.75 i / T^2 s: with 28 strips the wipe takes 0.22 s, less than typing
    // "LOADING" (0.25 s) does, so the title costs the start no time.
    static constexpr std::uint32_t kTitleCount = 28;
    // The sign drops and the panel follows: 0.12 s.
    static constexpr std::uint32_t kMountFrames = 4;
    // The panel unrolling: 0.2 s.
    static constexpr std::uint32_t kTextFrames = 6;

    // Where menu titles are printed (GUI units).
    static constexpr float kTextAreaLeft = 165.0f;
    static constexpr float kTextAreaBottom = 484.0f;
    static constexpr float kTextAreaWidth = 470.0f;
    static constexpr float kTextAreaHeight = 34.0f;

    static void AddRecipes(DataSetBuilder& builder);
};

} // namespace Content
