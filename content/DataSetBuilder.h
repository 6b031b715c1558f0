// Builds the game's data set from its recipes: runs them on worker threads,
// reuses the outputs of recipes whose inputs did not change (cached under
// <out>/dataset/cache/, keyed by the builder executable, the parameters and the
// input bytes), writes a loose copy of every entry under <out>/dataset/, packs
// the entries in name order into <out>/data/pack0.pak (left untouched when its
// bytes would not change), and writes report.txt and the contact sheet.
//
// The pack's bytes depend only on the recipes' outputs: not on the number of
// workers, the order they finish in or the time.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "content/AssetRecipe.h"

namespace Content {

struct DataSetOptions
{
    std::string outFolder;
    // The builder's own executable: a new builder may make new bytes.
    std::string executablePath;
    // 0: one worker per core.
    unsigned jobs = 0;
};

struct DataSetSummary
{
    std::size_t generated = 0;
    std::size_t reused = 0;
    std::size_t entries = 0;
    std::uint64_t bytes = 0;
    double seconds = 0.0;

    // "Data set: G generated, R reused, E entries, B bytes, S s"
    std::string GetClosingLine() const;
};

class DataSetBuilder
{
public:
    explicit DataSetBuilder(DataSetOptions options);

    // Throws OrrelayEngine::Error naming both recipes when a pack path (compared
    // without regard to case, as the pack reader compares) is already made by another.
    void Add(AssetRecipe recipe);

    // Throws OrrelayEngine::Error naming every recipe that failed; nothing is
    // packed then.
    DataSetSummary Build();

    std::string GetPackPath() const;
    std::string GetDataSetFolder() const;

private:
    struct RecipeResult
    {
        std::string key;
        AssetRecipe::Outputs outputs;
        bool generated = false;
        double seconds = 0.0;
        std::string error;
    };

    void RunRecipes(std::vector<RecipeResult>& results) const;
    void RunRecipe(const AssetRecipe& recipe, RecipeResult& result) const;
    std::string MakeKey(const AssetRecipe& recipe) const;
    bool ReadCache(const std::string& key, std::size_t outputCount, AssetRecipe::Outputs& outputs) const;
    void WriteCache(const std::string& key, const AssetRecipe::Outputs& outputs) const;
    void RemoveUnusedCache(const std::vector<RecipeResult>& results) const;
    void WriteReport(const std::vector<RecipeResult>& results, const DataSetSummary& summary) const;
    void WriteContactSheet(const std::vector<RecipeResult>& results) const;

    DataSetOptions options_;
    std::string executableHash_;
    std::vector<AssetRecipe> recipes_;
    // Lower-cased pack path to the origin of the recipe making it.
    std::map<std::string, std::string> makers_;
};

} // namespace Content
