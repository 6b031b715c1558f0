#include "content/DataSetBuilder.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <thread>

#include "content/ContactSheet.h"
#include "content/ContentHash.h"
#include "content/OpaqueMaskPruner.h"
#include "content/PackWriter.h"
#include "engine/core/Error.h"

namespace Content {

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

// Written last into a cache entry, once all its outputs are: the size and hash
// of each. An entry cut short by a failed run, or whose files were damaged
// since, is made again.
constexpr const char* kCacheCompleteName = "complete";

// Folder budgets printed in the report: the data set's size is watched per kind.
struct FolderBudget
{
    const char* folder;
    std::uint64_t bytes;
};
constexpr FolderBudget kFolderBudgets[] = {
    {"data\\ui\\fonts", 4u << 20},
    {"data\\audio\\music", 3u << 20},
    {"data\\audio\\menu", 512u << 10},
};

std::string HashOf(const std::vector<std::uint8_t>& bytes)
{
    ContentHash hash;
    hash.AddBytes(bytes);
    return hash.GetHex();
}

double SecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

std::string ToLower(std::string text)
{
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

bool ReadWholeFile(const fs::path& path, std::vector<std::uint8_t>& bytes)
{
    std::error_code error;
    const std::uintmax_t size = fs::file_size(path, error);
    std::FILE* file = error ? nullptr : std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return false;
    }
    bytes.resize(static_cast<std::size_t>(size));
    const bool read = bytes.empty() || std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
    std::fclose(file);
    return read;
}

// Written beside the target and renamed over it, so that a reader never sees half a file.
void WriteWholeFile(const fs::path& path, const std::vector<std::uint8_t>& bytes)
{
    fs::create_directories(path.parent_path());
    const fs::path temporary = path.string() + ".partial";
    PackWriter::SaveBytes(temporary.string(), bytes);
    std::error_code error;
    fs::rename(temporary, path, error);
    if (error) {
        throw OrrelayEngine::Error("Failed to write \"" + path.string() + "\" file: " + error.message());
    }
}

// Leaves a file that already holds these bytes untouched, time stamp included.
void WriteFileIfChanged(const fs::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::vector<std::uint8_t> old;
    if (ReadWholeFile(path, old) && old == bytes) {
        return;
    }
    WriteWholeFile(path, bytes);
}

fs::path NativePath(const fs::path& root, const std::string& packPath)
{
    std::string relative = packPath;
    std::replace(relative.begin(), relative.end(), '\\', '/');
    return root / relative;
}

std::string FormatSeconds(double seconds, int decimals)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, seconds);
    return text;
}

std::string FolderOf(const std::string& packPath)
{
    const std::size_t slash = packPath.rfind('\\');
    return slash == std::string::npos ? std::string() : packPath.substr(0, slash);
}

} // namespace

std::string DataSetSummary::GetClosingLine() const
{
    return "Data set: " + std::to_string(generated) + " generated, " + std::to_string(reused) + " reused, " +
           std::to_string(entries) + " entries, " + std::to_string(bytes) + " bytes, " + FormatSeconds(seconds, 1) +
           " s";
}

DataSetBuilder::DataSetBuilder(DataSetOptions options) : options_(std::move(options))
{
    if (options_.jobs == 0) {
        options_.jobs = std::max(1u, std::thread::hardware_concurrency());
    }
}

void DataSetBuilder::Add(AssetRecipe recipe)
{
    for (const std::string& name : recipe.packPaths) {
        const auto taken = makers_.find(ToLower(name));
        if (taken != makers_.end()) {
            throw OrrelayEngine::Error("\"" + name + "\" is made by two recipes: " + taken->second + " and " +
                                       recipe.origin);
        }
        makers_[ToLower(name)] = recipe.origin;
    }
    recipes_.push_back(std::move(recipe));
}

std::string DataSetBuilder::GetPackPath() const
{
    return (fs::path(options_.outFolder) / "data" / "pack0.pak").string();
}

std::string DataSetBuilder::GetDataSetFolder() const
{
    return (fs::path(options_.outFolder) / "dataset").string();
}

std::string DataSetBuilder::MakeKey(const AssetRecipe& recipe) const
{
    ContentHash hash;
    hash.AddText(executableHash_);
    hash.AddText(recipe.parameters);
    for (const std::string& name : recipe.packPaths) {
        hash.AddText(name);
    }
    for (const std::string& input : recipe.inputFiles) {
        std::vector<std::uint8_t> bytes;
        if (!ReadWholeFile(input, bytes)) {
            throw OrrelayEngine::Error(input + ": cannot be read");
        }
        hash.AddBytes(bytes);
    }
    return hash.GetHex();
}

DataSetBuilder::CacheState DataSetBuilder::ReadCache(const std::string& key, std::size_t outputCount,
                                                     AssetRecipe::Outputs& outputs) const
{
    const fs::path folder = fs::path(GetDataSetFolder()) / "cache" / key;
    std::vector<std::uint8_t> manifest;
    if (!ReadWholeFile(folder / kCacheCompleteName, manifest)) {
        return CacheState::kMissing;
    }
    // One line per output: its size and its hash, as written.
    std::istringstream lines(std::string(manifest.begin(), manifest.end()));
    outputs.assign(outputCount, {});
    for (std::size_t i = 0; i < outputCount; ++i) {
        std::string size;
        std::string hex;
        if (!(lines >> size >> hex) || !ReadWholeFile(folder / std::to_string(i), outputs[i]) ||
            size != std::to_string(outputs[i].size()) || hex != HashOf(outputs[i])) {
            return CacheState::kDamaged;
        }
    }
    std::string extra;
    return lines >> extra ? CacheState::kDamaged : CacheState::kSound;
}

void DataSetBuilder::WriteCache(const std::string& key, const AssetRecipe::Outputs& outputs) const
{
    const fs::path folder = fs::path(GetDataSetFolder()) / "cache" / key;
    fs::remove(folder / kCacheCompleteName);
    std::string manifest;
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        WriteWholeFile(folder / std::to_string(i), outputs[i]);
        manifest += std::to_string(outputs[i].size()) + " " + HashOf(outputs[i]) + "\n";
    }
    WriteWholeFile(folder / kCacheCompleteName, std::vector<std::uint8_t>(manifest.begin(), manifest.end()));
}

void DataSetBuilder::RunRecipe(const AssetRecipe& recipe, RecipeResult& result) const
{
    const Clock::time_point start = Clock::now();
    try {
        result.key = MakeKey(recipe);
        const CacheState cache = ReadCache(result.key, recipe.packPaths.size(), result.outputs);
        if (cache != CacheState::kSound) {
            result.cacheDamaged = cache == CacheState::kDamaged;
            result.outputs = recipe.make();
            if (result.outputs.size() != recipe.packPaths.size()) {
                throw OrrelayEngine::Error("made " + std::to_string(result.outputs.size()) + " files for " +
                                           std::to_string(recipe.packPaths.size()) + " pack paths");
            }
            WriteCache(result.key, result.outputs);
            result.generated = true;
        }
    } catch (const OrrelayEngine::Error& error) {
        result.error = error.GetMessage();
    } catch (const std::exception& error) {
        result.error = error.what();
    }
    if (!result.error.empty() && result.error.compare(0, recipe.origin.size(), recipe.origin) != 0) {
        result.error = recipe.origin + ": " + result.error;
    }
    result.seconds = SecondsSince(start);
}

void DataSetBuilder::RunRecipes(std::vector<RecipeResult>& results) const
{
    // The slowest recipes (the music) are listed last; starting from the end
    // keeps every worker busy until the finish.
    std::atomic<std::size_t> next{0};
    auto work = [&]() {
        for (std::size_t taken = next++; taken < recipes_.size(); taken = next++) {
            const std::size_t index = recipes_.size() - 1 - taken;
            RunRecipe(recipes_[index], results[index]);
        }
    };
    const unsigned workerCount = std::min<unsigned>(options_.jobs, std::max<std::size_t>(1, recipes_.size()));
    std::vector<std::thread> workers;
    for (unsigned i = 1; i < workerCount; ++i) {
        workers.emplace_back(work);
    }
    work();
    for (std::thread& worker : workers) {
        worker.join();
    }
}

DataSetSummary DataSetBuilder::Build()
{
    const Clock::time_point start = Clock::now();
    {
        std::vector<std::uint8_t> executable;
        if (!ReadWholeFile(options_.executablePath, executable)) {
            throw OrrelayEngine::Error(options_.executablePath + ": the builder cannot read itself");
        }
        ContentHash hash;
        hash.AddBytes(executable);
        executableHash_ = hash.GetHex();
    }

    std::vector<RecipeResult> results(recipes_.size());
    RunRecipes(results);
    std::string errors;
    for (const RecipeResult& result : results) {
        if (!result.error.empty()) {
            errors += (errors.empty() ? "" : "\n") + result.error;
        }
    }
    if (!errors.empty()) {
        throw OrrelayEngine::Error(errors);
    }

    OpaqueMaskPruner::Entries entries;
    DataSetSummary summary;
    bool newPicture = false;
    for (std::size_t r = 0; r < recipes_.size(); ++r) {
        (results[r].generated ? summary.generated : summary.reused)++;
        if (results[r].cacheDamaged) {
            summary.remadeFromDamagedCache.push_back(recipes_[r].origin);
        }
        for (std::size_t i = 0; i < recipes_[r].packPaths.size(); ++i) {
            newPicture = newPicture || (results[r].generated && ContactSheet::IsPicture(recipes_[r].packPaths[i]));
            entries[ToLower(recipes_[r].packPaths[i])] = results[r].outputs[i];
        }
    }
    std::set<std::string> requiredFiles;
    for (const RequiredAsset& asset : required_.GetAssets()) {
        if (asset.kind == RequiredAsset::Kind::kFile) {
            requiredFiles.insert(ToLower(asset.name));
        }
    }
    // What the game opens by name stays, whatever it holds.
    summary.droppedMasks = OpaqueMaskPruner::Prune(
        entries, [&requiredFiles](const std::string& packPath) { return requiredFiles.count(packPath) != 0; });
    CheckRequirements(entries);

    PackWriter pack;
    for (const auto& entry : entries) {
        pack.AddEntry(entry.first, entry.second);
    }
    const std::vector<std::uint8_t> packBytes = pack.Build();
    summary.sharedEntries = pack.CountSharedEntries();
    WriteLooseCopies(entries, summary.droppedMasks);
    WriteFileIfChanged(GetPackPath(), packBytes);

    RemoveUnusedCache(results);
    const fs::path sheet = fs::path(GetDataSetFolder()) / "contact_sheet.png";
    // Decoding and packing every picture again takes longer than the one edit
    // that usually started the run.
    if (newPicture || !fs::exists(sheet)) {
        WriteContactSheet(results);
    }
    summary.entries = entries.size();
    summary.bytes = packBytes.size();
    summary.seconds = SecondsSince(start);
    WriteReport(results, summary);
    WriteWholeFile(fs::path(GetDataSetFolder()) / "stamp", {});
    return summary;
}

void DataSetBuilder::Require(RequiredAssetList list, std::map<std::string, std::set<std::string>> textKeys)
{
    required_ = std::move(list);
    textKeys_ = std::move(textKeys);
}

void DataSetBuilder::CheckRequirements(const OpaqueMaskPruner::Entries& entries) const
{
    BuiltDataSet dataSet;
    dataSet.find = [&entries](const std::string& packPath) -> const std::vector<std::uint8_t>* {
        const auto found = entries.find(packPath);
        return found == entries.end() ? nullptr : &found->second;
    };
    dataSet.textKeys = textKeys_;
    std::string errors;
    for (const std::string& unmet : required_.FindUnmet(dataSet)) {
        errors += (errors.empty() ? "" : "\n") + unmet;
    }
    if (!errors.empty()) {
        throw OrrelayEngine::Error(errors);
    }
}

// The loose copies are what the pack holds: a mask left out goes from there too.
void DataSetBuilder::WriteLooseCopies(const OpaqueMaskPruner::Entries& entries,
                                      const std::vector<std::string>& dropped) const
{
    for (const auto& entry : entries) {
        WriteFileIfChanged(NativePath(GetDataSetFolder(), entry.first), entry.second);
    }
    for (const std::string& packPath : dropped) {
        std::error_code error;
        fs::remove(NativePath(GetDataSetFolder(), packPath), error);
    }
}

void DataSetBuilder::RemoveUnusedCache(const std::vector<RecipeResult>& results) const
{
    std::set<std::string> used;
    for (const RecipeResult& result : results) {
        used.insert(result.key);
    }
    const fs::path cache = fs::path(GetDataSetFolder()) / "cache";
    if (!fs::is_directory(cache)) {
        return;
    }
    std::vector<fs::path> unused;
    for (const fs::directory_entry& entry : fs::directory_iterator(cache)) {
        if (used.count(entry.path().filename().string()) == 0) {
            unused.push_back(entry.path());
        }
    }
    for (const fs::path& path : unused) {
        fs::remove_all(path);
    }
}

void DataSetBuilder::WriteReport(const std::vector<RecipeResult>& results, const DataSetSummary& summary) const
{
    std::vector<std::pair<std::string, std::string>> lines;
    std::map<std::string, std::uint64_t> folderBytes;
    for (std::size_t r = 0; r < recipes_.size(); ++r) {
        for (std::size_t i = 0; i < recipes_[r].packPaths.size(); ++i) {
            const std::string& name = recipes_[r].packPaths[i];
            const std::uint64_t bytes = results[r].outputs[i].size();
            lines.emplace_back(ToLower(name),
                               std::to_string(bytes) + " " + name + " " + FormatSeconds(results[r].seconds, 3));
            folderBytes[FolderOf(name)] += bytes;
        }
    }
    std::sort(lines.begin(), lines.end());
    std::ostringstream report;
    for (const auto& line : lines) {
        report << line.second << "\n";
    }
    report << "\n";
    for (const auto& folder : folderBytes) {
        report << "folder " << folder.first << ": " << folder.second << " bytes";
        for (const FolderBudget& budget : kFolderBudgets) {
            if (folder.first.compare(0, std::string(budget.folder).size(), budget.folder) == 0) {
                report << " (budget " << budget.bytes << (folder.second > budget.bytes ? ", OVER" : "") << ")";
            }
        }
        report << "\n";
    }
    report << "shared entries " << summary.sharedEntries << "\n";
    for (const std::string& mask : summary.droppedMasks) {
        report << "left out (wholly opaque) " << mask << "\n";
    }
    for (const std::string& origin : summary.remadeFromDamagedCache) {
        report << "remade (damaged cache) " << origin << "\n";
    }
    report << "workers " << options_.jobs << "\n" << summary.GetClosingLine() << "\n";
    const std::string text = report.str();
    WriteWholeFile(fs::path(GetDataSetFolder()) / "report.txt", std::vector<std::uint8_t>(text.begin(), text.end()));
}

void DataSetBuilder::WriteContactSheet(const std::vector<RecipeResult>& results) const
{
    ContactSheet sheet;
    std::vector<std::pair<std::string, const std::vector<std::uint8_t>*>> pictures;
    for (std::size_t r = 0; r < recipes_.size(); ++r) {
        for (std::size_t i = 0; i < recipes_[r].packPaths.size(); ++i) {
            pictures.emplace_back(recipes_[r].packPaths[i], &results[r].outputs[i]);
        }
    }
    std::sort(pictures.begin(), pictures.end());
    for (const auto& picture : pictures) {
        sheet.AddFile(picture.first, *picture.second);
    }
    const fs::path folder = GetDataSetFolder();
    WriteFileIfChanged(folder / "contact_sheet.png", sheet.BuildPng());
    const std::string listing = sheet.GetListing();
    WriteFileIfChanged(folder / "contact_sheet.txt", std::vector<std::uint8_t>(listing.begin(), listing.end()));
}

} // namespace Content
