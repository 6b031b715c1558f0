#include "content/MenuFrameArt.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "content/AssetRecipe.h"
#include "content/DataSetBuilder.h"
#include "content/MapLandscape.h"
#include "content/MenuControlArt.h"
#include "content/MenuDarkStyle.h"
#include "content/MenuLayoutArt.h"
#include "content/MenuStyle.h"

namespace Content {

namespace {

constexpr const char* kRecipeVersion = "menu frames 1";
constexpr const char* kModels = "ui\\menus\\models\\";
constexpr const char* kTextures = "ui\\menus\\textures\\frames\\";
constexpr float kScreenWidth = 800.0f;
// Room around a panel for its drop shadow.
constexpr float kShadowMargin = 10.0f;
// Height of a rolled rim shown while the frame is shut.
constexpr float kRolledBand = 12.0f;
constexpr float kCornerRadius = 22.0f;
constexpr float kOpeningFramesPerSecond = 32.0f;
// Where the stage map's landscape fades in, pixels inside the frame's rim.
constexpr float kMapFadeStart = 16.0f;
constexpr float kMapFadeEnd = 40.0f;

using Box = MenuLayout::Box;

struct Layout
{
    std::string name;
    Box box;
};

struct Frame
{
    std::string folder;
    Box panel;
    float rim;
    // The stage map's frame prints no lines: a parchment with the map's
    // landscape, under its places.
    bool parchment;
    std::vector<Layout> layouts;
    // Where the screens' lines are placed: from the screen's left edge and
    // bottom unless the frame says otherwise.
    Box textArea{0.0f, 0.0f, kScreenWidth, panel.Top()};
};

std::vector<Frame> Frames()
{
    using L = MenuLayout;
    std::vector<Frame> frames;

    Frame mainMenu{"main_menu", L::kMainMenuFrame, L::kMainMenuFrameRim, false, {}};
    for (int i = 0; i < L::kMainMenuButtonCount; ++i) {
        const float y = L::kMainMenuLowestButtonY + L::kMainMenuButtonStep * static_cast<float>(i);
        mainMenu.layouts.push_back(
            {"button_" + std::to_string(i),
             L::Centred(L::kMainMenuButtonX, y, L::kMainMenuButtonWidth, L::kMainMenuButtonHeight)});
    }
    frames.push_back(mainMenu);

    Frame big{"big_window", L::kBigFrame, L::kFrameRim, false, {}, L::kBigTextArea};
    for (int i = 0; i < 3; ++i) {
        big.layouts.push_back({"button_" + std::to_string(i),
                               L::Centred(L::kBigButtonX, L::kBigButtonY[i], L::kBigButtonWidth, L::kBigButtonHeight)});
    }
    frames.push_back(big);

    Frame small{"small_window", L::kSmallFrame, L::kFrameRim, false, {}};
    for (int i = 0; i < 2; ++i) {
        small.layouts.push_back({"button_" + std::to_string(i), L::Centred(L::kSmallButtonX[i], L::kSmallButtonY,
                                                                           L::kBigButtonWidth, L::kBigButtonHeight)});
    }
    frames.push_back(small);

    Frame start{"start_game", L::kStartGameFrame, L::kFrameRim, true, {}};
    for (int i = 0; i < 2; ++i) {
        start.layouts.push_back(
            {"button_" + std::to_string(i),
             L::Centred(L::kStartButtonX[i], L::kStartButtonY, L::kSmallButtonWidth, L::kSmallButtonHeight)});
    }
    frames.push_back(start);
    return frames;
}

std::string Describe(const Box& box)
{
    return std::to_string(box.left) + "," + std::to_string(box.bottom) + "," + std::to_string(box.width) + "," +
           std::to_string(box.height);
}

void Append(std::vector<std::string>& paths, const std::vector<std::string>& more)
{
    paths.insert(paths.end(), more.begin(), more.end());
}

AssetRecipe::Outputs MakeFrame(const Frame& frame)
{
    const Box quad{frame.panel.left - kShadowMargin, frame.panel.bottom - kShadowMargin,
                   frame.panel.width + 2.0f * kShadowMargin, frame.panel.height + 2.0f * kShadowMargin};
    const float band = kShadowMargin + frame.rim + kRolledBand;
    std::vector<ArtMesh> opening;
    for (std::uint32_t k = 0; k < MenuFrameArt::kOpeningFrames; ++k) {
        opening.push_back(MenuFrameArt::OpeningFrame(quad, band, k));
    }
    const float margin = kShadowMargin * MenuStyle::kTexelsPerUnit;
    const float rim = frame.rim * MenuStyle::kTexelsPerUnit;
    const float radius = kCornerRadius * MenuStyle::kTexelsPerUnit;
    const std::unique_ptr<MapLandscape> landscape = frame.parchment ? std::make_unique<MapLandscape>() : nullptr;
    const ArtCanvas canvas = MenuStyle::PaintCentred(quad.width, quad.height, [&](float x, float y, float w, float h) {
        const float pw = w - 2.0f * margin;
        const float ph = h - 2.0f * margin;
        if (landscape == nullptr) {
            return MenuDarkStyle::Panel(x, y, pw, ph, radius, rim);
        }
        const ArtColor panel = MenuStyle::Panel(x, y, pw, ph, radius, rim);
        // The map fades into the parchment short of the inked line inside the rim.
        const float d = MenuStyle::RoundedBoxDistance(x, y, pw, ph, radius);
        const float inside = ArtCanvas::SmoothStep(-rim - kMapFadeStart, -rim - kMapFadeEnd, d);
        if (inside <= 0.0f) {
            return panel;
        }
        const float gx = quad.CentreX() + x / MenuStyle::kTexelsPerUnit;
        const float gy = quad.CentreY() + y / MenuStyle::kTexelsPerUnit;
        return ArtCanvas::Mix(panel, landscape->Paint(gx, gy, panel), inside);
    });
    const std::string stem = std::string(kModels) + frame.folder + "\\";
    AssetRecipe::Outputs outputs =
        MenuStyle::BuildTexturedModel(opening, kOpeningFramesPerSecond, canvas, std::string(kTextures) + frame.folder);
    AssetRecipe::Append(outputs, MenuDarkStyle::BuildPlainModel(frame.textArea));
    for (const Layout& layout : frame.layouts) {
        AssetRecipe::Append(outputs, MenuDarkStyle::BuildPlainModel(layout.box));
    }
    return outputs;
}

AssetRecipe::Outputs MakeEdit()
{
    const Box& box = MenuLayout::kEdit;
    const ArtCanvas canvas = MenuStyle::PaintCentred(box.width, box.height, [](float x, float y, float w, float h) {
        return MenuDarkStyle::Field(x, y, w, h, 10.0f * MenuStyle::kTexelsPerUnit);
    });
    return MenuStyle::BuildTexturedModel({MenuStyle::Quad(box.left, box.bottom, box.width, box.height)}, 0.0f, canvas,
                                         "ui\\menus\\textures\\controls\\edit");
}

} // namespace

ArtMesh MenuFrameArt::OpeningFrame(const MenuLayout::Box& quad, float band, std::uint32_t frame)
{
    const float s = static_cast<float>(frame) / static_cast<float>(kOpeningFrames - 1);
    const float open = 1.0f - (1.0f - s) * (1.0f - s) * (1.0f - s);
    band = std::min(band, quad.height * 0.5f);
    const float face = (quad.height - 2.0f * band) * open;
    const float centre = quad.CentreY();
    const float bandV = band / quad.height;
    const float faceV = (0.5f - bandV) * open;
    ArtMesh mesh;
    const OrrelayEngine::Vector3 normal(0.0f, 0.0f, 1.0f);
    // Bottom rim, face, top rim, each its own strip of texture.
    const float rows[3][4] = {
        {centre - face * 0.5f - band, centre - face * 0.5f, 0.0f, bandV},
        {centre - face * 0.5f, centre + face * 0.5f, 0.5f - faceV, 0.5f + faceV},
        {centre + face * 0.5f, centre + face * 0.5f + band, 1.0f - bandV, 1.0f},
    };
    for (const auto& row : rows) {
        const std::uint32_t a = mesh.AddVertex(OrrelayEngine::Vector3(quad.left, row[0], 0.0f), 0.0f, row[2], normal);
        const std::uint32_t b =
            mesh.AddVertex(OrrelayEngine::Vector3(quad.Right(), row[0], 0.0f), 1.0f, row[2], normal);
        const std::uint32_t c =
            mesh.AddVertex(OrrelayEngine::Vector3(quad.Right(), row[1], 0.0f), 1.0f, row[3], normal);
        const std::uint32_t d = mesh.AddVertex(OrrelayEngine::Vector3(quad.left, row[1], 0.0f), 0.0f, row[3], normal);
        mesh.AddQuad(a, b, c, d);
    }
    return mesh;
}

void MenuFrameArt::AddRecipes(DataSetBuilder& builder)
{
    for (const Frame& frame : Frames()) {
        const std::string stem = std::string(kModels) + frame.folder + "\\";
        AssetRecipe recipe;
        recipe.origin = "menu frame " + frame.folder;
        recipe.packPaths = MenuStyle::TexturedModelPaths(stem + "window", std::string(kTextures) + frame.folder);
        Append(recipe.packPaths, MenuDarkStyle::PlainModelPaths(stem + "window_area"));
        recipe.parameters = std::string(kRecipeVersion) + " " + Describe(frame.panel) +
                            (frame.parchment ? " parchment" : "") + " " + Describe(frame.textArea);
        for (const Layout& layout : frame.layouts) {
            Append(recipe.packPaths, MenuDarkStyle::PlainModelPaths(stem + layout.name));
            recipe.parameters += " " + layout.name + " " + Describe(layout.box);
        }
        recipe.make = [frame]() { return MakeFrame(frame); };
        builder.Add(std::move(recipe));
    }

    AssetRecipe edit;
    edit.origin = "menu name edit box";
    edit.packPaths = MenuStyle::TexturedModelPaths(std::string(kModels) + "small_window\\edit",
                                                   "ui\\menus\\textures\\controls\\edit");
    edit.parameters = std::string(kRecipeVersion) + " " + Describe(MenuLayout::kEdit);
    edit.make = []() { return MakeEdit(); };
    builder.Add(std::move(edit));

    MenuControlArt::AddRecipes(builder);
    MenuLayoutArt::AddRecipes(builder);
}

} // namespace Content
