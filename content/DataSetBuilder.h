// Builds the game's data set from its recipes: runs them on worker threads,
// reuses the outputs of recipes whose inputs did not change (cached under
// <out>/dataset/cache/, keyed by the builder executable, the parameters and the
// input bytes, and checked against the sizes and hashes written with them),
// leaves out wholly opaque masks (OpaqueMaskPruner), checks the result against
// the required assets, writes a loose copy of every entry under
// <out>/dataset/, packs the entries in name order into <out>/data/pack0.pak
// (left untouched when its bytes would not change; identical entries share one
// copy), and writes report.txt and the contact sheet.
//
// The pack's bytes depend only on the recipes' outputs: not on the number of
// workers, the order they finish in or the time.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "content/AssetRecipe.h"
#include "content/OpaqueMaskPruner.h"
#include "content/RequiredAssetList.h"

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
    // Entries stored as a second name for another entry's identical bytes.
    std::size_t sharedEntries = 0;
    // Wholly opaque masks left out of the pack.
    std::vector<std::string> droppedMasks;
    // Origins of the recipes whose cached outputs were damaged and made again.
    std::vector<std::string> remadeFromDamagedCache;

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

    // What the built data set must hold; textKeys are the keys each language's
    // sections give. Without it nothing is required.
    void Require(RequiredAssetList list, std::map<std::string, std::set<std::string>> textKeys);

    // Throws OrrelayEngine::Error naming every recipe that failed, or every
    // line of the required assets the data set does not meet; nothing is
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
        bool cacheDamaged = false;
        double seconds = 0.0;
        std::string error;
    };

    void RunRecipes(std::vector<RecipeResult>& results) const;
    void RunRecipe(const AssetRecipe& recipe, RecipeResult& result) const;
    std::string MakeKey(const AssetRecipe& recipe) const;
    enum class CacheState
    {
        kMissing,
        kDamaged,
        kSound
    };

    CacheState ReadCache(const std::string& key, std::size_t outputCount, AssetRecipe::Outputs& outputs) const;
    void WriteCache(const std::string& key, const AssetRecipe::Outputs& outputs) const;
    void CheckRequirements(const OpaqueMaskPruner::Entries& entries) const;
    void WriteLooseCopies(const OpaqueMaskPruner::Entries& entries, const std::vector<std::string>& dropped) const;
    void RemoveUnusedCache(const std::vector<RecipeResult>& results) const;
    void WriteReport(const std::vector<RecipeResult>& results, const DataSetSummary& summary) const;
    void WriteContactSheet(const std::vector<RecipeResult>& results) const;

    DataSetOptions options_;
    std::string executableHash_;
    std::vector<AssetRecipe> recipes_;
    // Lower-cased pack path to the origin of the recipe making it.
    std::map<std::string, std::string> makers_;
    RequiredAssetList required_;
    std::map<std::string, std::set<std::string>> textKeys_;
};

} // namespace Content
