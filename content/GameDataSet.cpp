#include "content/GameDataSet.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <utility>

#include "content/CampaignGenerator.h"
#include "content/DataSetBuilder.h"
#include "content/GameArt.h"
#include "content/GameFonts.h"
#include "content/MenuArt.h"
#include "content/MenuSounds.h"
#include "content/MusicTracks.h"
#include "content/RequiredAssetList.h"
#include "content/TextTableChecker.h"
#include "content/TextTableWriter.h"
#include "engine/core/Error.h"

namespace Content {

namespace fs = std::filesystem;

namespace {

// Raised whenever a recipe's way of making its bytes changes, so that cached
// outputs of the old way are not reused.
constexpr const char* kTextRecipeVersion = "text table 2";
constexpr const char* kCopyRecipeVersion = "copy 1";

std::vector<std::uint8_t> WriteTextTable(const std::vector<TextTableEntry>& entries)
{
    TextTableWriter writer;
    for (const TextTableEntry& entry : entries) {
        writer.Add(entry.key, TextTableChecker::Widen(entry.text));
    }
    return writer.Build().GetBytes();
}

std::vector<std::uint8_t> ReadSource(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw OrrelayEngine::Error(path.string() + ": cannot be read");
    }
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool IsTextTable(const fs::path& relative)
{
    auto part = relative.begin();
    return relative.extension() == ".ini" && std::distance(relative.begin(), relative.end()) == 4 && *part++ == "ui" &&
           *part == "texts";
}

std::string PackPathOf(const fs::path& relative)
{
    std::string path = "data\\" + relative.generic_string();
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

// A key given in two sections of one language would depend on the order the
// game loads them; both places are named. Returns each language's keys.
std::map<std::string, std::set<std::string>> CheckKeysAcrossSections(const std::vector<fs::path>& files,
                                                                     const fs::path& dataFolder)
{
    std::map<std::string, std::map<std::string, std::string>> seen;
    for (const fs::path& relative : files) {
        if (!IsTextTable(relative)) {
            continue;
        }
        const std::string language = relative.parent_path().filename().string();
        const fs::path path = dataFolder / relative;
        for (const TextTableEntry& entry : TextTableChecker::Check(path.string(), ReadSource(path))) {
            const std::string place = path.string() + ":" + std::to_string(entry.line);
            const auto inserted = seen[language].emplace(entry.key, place);
            if (!inserted.second) {
                throw OrrelayEngine::Error(place + ": " + entry.key + " is given twice in language \"" + language +
                                           "\" (also at " + inserted.first->second + ")");
            }
        }
    }
    std::map<std::string, std::set<std::string>> keys;
    for (const auto& language : seen) {
        for (const auto& key : language.second) {
            keys[language.first].insert(key.first);
        }
    }
    return keys;
}

AssetRecipe MakeSourceRecipe(const fs::path& dataFolder, const fs::path& relative)
{
    const fs::path path = dataFolder / relative;
    AssetRecipe recipe;
    recipe.origin = path.string();
    recipe.packPaths = {PackPathOf(relative)};
    recipe.inputFiles = {path.string()};
    if (IsTextTable(relative)) {
        recipe.parameters = kTextRecipeVersion;
        recipe.make = [path]() {
            const std::vector<TextTableEntry> entries = TextTableChecker::Check(path.string(), ReadSource(path));
            return AssetRecipe::Outputs{WriteTextTable(entries)};
        };
    } else {
        recipe.parameters = kCopyRecipeVersion;
        recipe.make = [path]() { return AssetRecipe::Outputs{ReadSource(path)}; };
    }
    return recipe;
}

} // namespace

void GameDataSet::AddRecipes(DataSetBuilder& builder, const std::string& sourceFolder)
{
    const fs::path dataFolder = fs::path(sourceFolder) / "data";
    std::vector<fs::path> files;
    std::error_code error;
    for (fs::recursive_directory_iterator it(dataFolder, error), end; !error && it != end; it.increment(error)) {
        if (it->is_regular_file()) {
            files.push_back(fs::relative(it->path(), dataFolder));
        }
    }
    if (error) {
        throw OrrelayEngine::Error(dataFolder.string() + ": cannot be listed: " + error.message());
    }
    std::sort(files.begin(), files.end());
    std::map<std::string, std::set<std::string>> keys = CheckKeysAcrossSections(files, dataFolder);
    builder.Require(RequiredAssetList::Read((fs::path(sourceFolder) / "required_assets.txt").string()),
                    std::move(keys));
    for (const fs::path& relative : files) {
        builder.Add(MakeSourceRecipe(dataFolder, relative));
    }
    CampaignGenerator::AddRecipes(builder);
    GameFonts::AddRecipes(builder);
    MenuSounds::AddRecipes(builder);
    MusicTracks::AddRecipes(builder);
    GameArt::AddRecipes(builder);
    MenuArt::AddRecipes(builder);
}

} // namespace Content
