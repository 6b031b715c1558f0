#include "content/MusicTracks.h"

#include "content/AssetRecipe.h"
#include "content/ContentHash.h"
#include "content/DataSetBuilder.h"
#include "content/MusicSynth.h"
#include "content/OggWriter.h"

namespace Content {

namespace {

// Raised whenever the composer, the synthesiser or the encoding changes.
constexpr const char* kRecipeVersion = "music 2";
constexpr float kOggQuality = 0.3f;

} // namespace

std::vector<MusicTracks::Track> MusicTracks::GetTracks()
{
    return {
        {"menu", MusicComposer::GetMenuStyle()},
        {"game0", MusicComposer::GetGame0Style()},
        {"game1", MusicComposer::GetGame1Style()},
    };
}

std::string MusicTracks::GetPackPath(const std::string& name)
{
    return "data\\audio\\music\\" + name + ".ogg";
}

MusicScore MusicTracks::Compose(const Track& track)
{
    return MusicComposer::Compose(track.style, ContentHash::SeedOf(GetPackPath(track.name)));
}

void MusicTracks::AddRecipes(DataSetBuilder& builder)
{
    for (const Track& track : GetTracks()) {
        AssetRecipe recipe;
        recipe.origin = std::string("music ") + track.name;
        recipe.packPaths = {GetPackPath(track.name)};
        recipe.parameters = kRecipeVersion;
        recipe.make = [track]() {
            const MusicScore score = Compose(track);
            const std::vector<std::int16_t> samples =
                MusicSynth::Render(score, ContentHash::SeedOf(GetPackPath(track.name)) ^ 0x5A5A5A5Au);
            return AssetRecipe::Outputs{OggWriter::Encode(samples, 2, MusicSynth::kSampleRate, kOggQuality)};
        };
        builder.Add(std::move(recipe));
    }
}

} // namespace Content
