#include "content/MenuLayoutArt.h"

#include <string>
#include <utility>
#include <vector>

#include "content/AssetRecipe.h"
#include "content/DataSetBuilder.h"
#include "content/MenuDarkStyle.h"
#include "content/MenuLayout.h"
#include "content/MenuStyle.h"

namespace Content {

namespace {

constexpr const char* kRecipeVersion = "menu layouts 1";
constexpr const char* kModels = "ui\\menus\\models\\";
constexpr const char* kTextures = "ui\\menus\\textures\\controls\\";

using Box = MenuLayout::Box;
using L = MenuLayout;

std::string Describe(const Box& box)
{
    return std::to_string(box.left) + "," + std::to_string(box.bottom) + "," + std::to_string(box.width) + "," +
           std::to_string(box.height);
}

void AddPlain(DataSetBuilder& builder, const std::vector<std::pair<std::string, Box>>& models)
{
    AssetRecipe recipe;
    recipe.origin = "menu layouts " + models.front().first;
    recipe.parameters = kRecipeVersion;
    for (const auto& model : models) {
        const std::vector<std::string> paths = MenuDarkStyle::PlainModelPaths(kModels + model.first);
        recipe.packPaths.insert(recipe.packPaths.end(), paths.begin(), paths.end());
        recipe.parameters += " " + model.first + " " + Describe(model.second);
    }
    recipe.make = [models]() {
        AssetRecipe::Outputs outputs;
        for (const auto& model : models)
            AssetRecipe::Append(outputs, MenuDarkStyle::BuildPlainModel(model.second));
        return outputs;
    };
    builder.Add(std::move(recipe));
}

// A dark field drawn where it stands.
void AddField(DataSetBuilder& builder, const std::string& name, const std::string& texture, const Box& box,
              float radius)
{
    AssetRecipe recipe;
    recipe.origin = "menu field " + name;
    recipe.packPaths = MenuStyle::TexturedModelPaths(kModels + name, kTextures + texture);
    recipe.parameters = std::string(kRecipeVersion) + " " + Describe(box);
    recipe.make = [box, radius, texture]() {
        const ArtCanvas canvas =
            MenuStyle::PaintCentred(box.width, box.height, [radius](float x, float y, float w, float h) {
                return MenuDarkStyle::Field(x, y, w, h, radius * MenuStyle::kTexelsPerUnit);
            });
        return MenuStyle::BuildTexturedModel({MenuStyle::Quad(box.left, box.bottom, box.width, box.height)}, 0.0f,
                                             canvas, kTextures + texture);
    };
    builder.Add(std::move(recipe));
}

} // namespace

void MenuLayoutArt::AddRecipes(DataSetBuilder& builder)
{
    const Box track = L::Centred(0.0f, 0.0f, L::kTrackLength, L::kTrackThickness);
    const auto at = [](const Box& size, float x, float y) { return L::Centred(x, y, size.width, size.height); };
    AddPlain(builder,
             {{"options\\slider_music", at(track, L::kOptionsSliderX, L::kMusicSliderY)},
              {"options\\slider_sound", at(track, L::kOptionsSliderX, L::kSoundSliderY)},
              {"options\\fullscreen_check_box",
               L::Centred(L::kFullscreenX, L::kFullscreenY, L::kCheckBoxSide, L::kCheckBoxSide)},
              {"options\\resolution_button_left",
               L::Centred(L::kResolutionArrowX[0], L::kResolutionField.CentreY(), L::kArrowSide, L::kArrowSide)},
              {"options\\resolution_button_right",
               L::Centred(L::kResolutionArrowX[1], L::kResolutionField.CentreY(), L::kArrowSide, L::kArrowSide)},
              {"options\\resolution_text_area", L::kResolutionTextArea}});
    AddField(builder, "options\\resolution_text", "resolution_text", L::kResolutionField, 10.0f);

    std::vector<std::pair<std::string, Box>> profiles;
    for (int i = 0; i < 4; ++i) {
        profiles.push_back(
            {"profiles\\button_" + std::to_string(i),
             L::Centred(L::kProfileButtonX, L::kProfileButtonY[i], L::kSmallButtonWidth, L::kSmallButtonHeight)});
    }
    profiles.push_back({"profiles\\scroll", L::Centred(L::kProfileScrollX, L::kProfileList.CentreY(),
                                                       L::kTrackThickness, L::kListTrackLength)});
    AddPlain(builder, profiles);
    AddField(builder, "profiles\\text", "profile_list", L::kProfileList, 14.0f);
}

} // namespace Content
