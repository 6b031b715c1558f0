#include "content/RequiredAssetList.h"

#include <fstream>
#include <iterator>
#include <sstream>

#include "engine/core/Error.h"
#include "engine/core/StringHelpers.h"

namespace Content {

namespace {

constexpr std::uint32_t kMaxFontId = 1000;
const char* const kLanguageCodes[] = {"en", "ru", "ge", "fr", "it", "sp", "cz"};
// A font's record in a font list: its file, texture, opacity, size, space
// advance, spacing and two flags.
constexpr std::size_t kFontRecordWords = 8;
// The campaign's level line: board, item kinds, environment, energy factor.
constexpr std::size_t kLevelWords = 4;
constexpr std::size_t kMaxStages = 100;
constexpr const char* kOpacityInDiffuse = "32bit";

[[noreturn]] void Fail(const std::string& fileName, std::uint32_t line, const std::string& what)
{
    throw OrrelayEngine::Error(fileName + ":" + std::to_string(line) + ": " + what);
}

std::string RestOfLine(std::istringstream& words)
{
    std::string rest;
    std::getline(words, rest);
    const std::size_t first = rest.find_first_not_of(" \t");
    return first == std::string::npos ? std::string() : rest.substr(first);
}

// The words of one of the game's ini files, "//" comments left out.
std::vector<std::string> WordsOf(const std::vector<std::uint8_t>& bytes)
{
    std::vector<std::string> words;
    std::istringstream lines(std::string(bytes.begin(), bytes.end()));
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream in(line.substr(0, line.find("//")));
        std::string word;
        while (in >> word) {
            words.push_back(word);
        }
    }
    return words;
}

// A count word: digits only, at most the limit.
bool ReadCount(const std::vector<std::string>& words, std::size_t at, std::size_t limit, std::size_t& count)
{
    if (at >= words.size() || words[at].empty() || words[at].size() > 6 ||
        words[at].find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    count = std::stoul(words[at]);
    return count <= limit;
}

// The records after the count at words[0] fit the words that follow it.
std::size_t RecordsRoom(const std::vector<std::string>& words, std::size_t wordsEach)
{
    return words.empty() ? 0 : (words.size() - 1) / wordsEach;
}

class UnmetFinder
{
public:
    explicit UnmetFinder(const BuiltDataSet& dataSet) : dataSet_(dataSet)
    {
        for (const char* code : kLanguageCodes) {
            if (Has(std::string("data\\ui\\fonts\\") + code + ".ini")) {
                languages_.push_back(code);
            }
        }
    }

    // What the asset lacks, or nothing.
    std::string Check(const RequiredAsset& asset) const
    {
        switch (asset.kind) {
        case RequiredAsset::Kind::kFile:
            return Has(asset.name) ? std::string() : Missing(asset.name);
        case RequiredAsset::Kind::kSection:
            return CheckSection(asset.name);
        case RequiredAsset::Kind::kText:
            return CheckText(asset.name);
        case RequiredAsset::Kind::kFont:
            return CheckFont(asset.fontId);
        case RequiredAsset::Kind::kSound: {
            const std::string file =
                "data\\" + RequiredAssetList::FindSoundFile(asset.group, asset.name,
                                                            [this](const std::string& path) { return Has(path); });
            return Has(file) ? std::string() : Missing(file);
        }
        case RequiredAsset::Kind::kCampaign:
            return CheckCampaign();
        }
        return std::string();
    }

private:
    static std::string Missing(const std::string& packPath) { return "\"" + packPath + "\" is not in the data set"; }

    bool Has(const std::string& packPath) const { return dataSet_.find(OrrelayEngine::ToLower(packPath)) != nullptr; }

    std::string CheckSection(const std::string& name) const
    {
        if (languages_.empty()) {
            return "no language has a font list (\"data\\ui\\fonts\\<language>.ini\")";
        }
        for (const std::string& language : languages_) {
            const std::string path = "data\\ui\\texts\\" + language + "\\" + name + ".ini";
            if (!Has(path)) {
                return Missing(path);
            }
        }
        return std::string();
    }

    std::string CheckText(const std::string& key) const
    {
        for (const std::string& language : languages_) {
            const auto keys = dataSet_.textKeys.find(language);
            if (keys == dataSet_.textKeys.end() || keys->second.count(key) == 0) {
                return "no section of language \"" + language + "\" gives " + key;
            }
        }
        return std::string();
    }

    std::string CheckFont(std::uint32_t id) const
    {
        for (const std::string& language : languages_) {
            const std::string list = "data\\ui\\fonts\\" + language + ".ini";
            const std::vector<std::string> words = WordsOf(*dataSet_.find(list));
            std::size_t count = 0;
            // The count, then the console font.
            if (!ReadCount(words, 0, RecordsRoom(words, kFontRecordWords), count) ||
                words.size() < 2 + count * kFontRecordWords) {
                return "\"" + list + "\" is not a font list";
            }
            if (id >= count) {
                return "\"" + list + "\" holds " + std::to_string(count) + " fonts, not font " + std::to_string(id);
            }
            const std::size_t record = 2 + id * kFontRecordWords;
            for (std::size_t w = record; w < record + 3; ++w) {
                if (words[w] != kOpacityInDiffuse && !Has("data\\" + words[w])) {
                    return Missing("data\\" + words[w]) + " (font " + std::to_string(id) + " of \"" + list + "\")";
                }
            }
        }
        return std::string();
    }

    std::string CheckCampaign() const
    {
        const std::string info = "data\\levels\\stages_info.ini";
        if (!Has(info)) {
            return Missing(info);
        }
        std::size_t stages = 0;
        if (!ReadCount(WordsOf(*dataSet_.find(info)), 0, kMaxStages, stages) || stages == 0) {
            return "\"" + info + "\" gives no stage count";
        }
        // The count is the file's own; every stage it names must be there.
        std::vector<std::string> needed;
        for (std::size_t stage = 0; stage < stages; ++stage) {
            const std::string path = "data\\levels\\stage" + std::to_string(stage) + ".ini";
            if (!Has(path)) {
                return Missing(path);
            }
            const std::vector<std::string> words = WordsOf(*dataSet_.find(path));
            std::size_t levels = 0;
            if (!ReadCount(words, 0, RecordsRoom(words, kLevelWords), levels) || levels == 0) {
                return "\"" + path + "\" gives no levels";
            }
            for (std::size_t level = 0; level < levels; ++level) {
                const std::size_t at = 1 + level * kLevelWords;
                needed.push_back("data\\boards\\" + words[at] + ".blf");
                needed.push_back("data\\boards\\" + words[at] + ".ini");
                needed.push_back("data\\environments\\" + words[at + 2] + "\\environment.ini");
            }
        }
        for (const std::string& path : needed) {
            if (!Has(path)) {
                return Missing(path) + " (named by the campaign)";
            }
        }
        return std::string();
    }

    const BuiltDataSet& dataSet_;
    std::vector<std::string> languages_;
};

} // namespace

RequiredAssetList RequiredAssetList::Read(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw OrrelayEngine::Error(path + ": cannot be read");
    }
    return Parse(path, std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
}

RequiredAssetList RequiredAssetList::Parse(const std::string& fileName, const std::string& text)
{
    RequiredAssetList list;
    list.fileName_ = fileName;
    std::istringstream lines(text);
    std::string line;
    std::uint32_t number = 0;
    while (std::getline(lines, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        const std::size_t hash = line.find('#');
        std::istringstream words(line.substr(0, hash));
        std::string kind;
        if (!(words >> kind)) {
            continue;
        }
        RequiredAsset asset;
        asset.line = number;
        std::string extra;
        if (kind == "file" || kind == "section" || kind == "text") {
            asset.kind = kind == "file"      ? RequiredAsset::Kind::kFile
                         : kind == "section" ? RequiredAsset::Kind::kSection
                                             : RequiredAsset::Kind::kText;
            if (!(words >> asset.name) || words >> extra) {
                Fail(fileName, number, "\"" + kind + "\" takes exactly one name");
            }
        } else if (kind == "font") {
            asset.kind = RequiredAsset::Kind::kFont;
            std::string id;
            if (!(words >> id) || id.find_first_not_of("0123456789") != std::string::npos || id.size() > 4 ||
                std::stoul(id) > kMaxFontId) {
                Fail(fileName, number, "\"font\" takes a font id from 0 to 1000");
            }
            asset.fontId = static_cast<std::uint32_t>(std::stoul(id));
            asset.characters = RestOfLine(words);
        } else if (kind == "sound") {
            asset.kind = RequiredAsset::Kind::kSound;
            if (!(words >> asset.group >> asset.name)) {
                Fail(fileName, number, "\"sound\" takes a group and a name");
            }
            if (words >> extra) {
                if (extra != "loop" || words >> extra) {
                    Fail(fileName, number, "\"sound\" ends with \"loop\" or nothing");
                }
                asset.loop = true;
            }
        } else if (kind == "campaign") {
            asset.kind = RequiredAsset::Kind::kCampaign;
            if (words >> extra) {
                Fail(fileName, number, "\"campaign\" takes nothing");
            }
        } else {
            Fail(fileName, number, "unknown requirement \"" + kind + "\"");
        }
        list.assets_.push_back(asset);
    }
    return list;
}

std::vector<std::string> RequiredAssetList::FindUnmet(const BuiltDataSet& dataSet) const
{
    const UnmetFinder finder(dataSet);
    std::vector<std::string> unmet;
    for (const RequiredAsset& asset : assets_) {
        const std::string what = finder.Check(asset);
        if (!what.empty()) {
            unmet.push_back(fileName_ + ":" + std::to_string(asset.line) + ": " + what);
        }
    }
    return unmet;
}

std::string RequiredAssetList::FindSoundFile(const std::string& group, const std::string& name,
                                             const std::function<bool(const std::string&)>& exists)
{
    const std::string base = "audio\\" + group + "\\" + name + ".";
    return exists("data\\" + base + "wav") ? base + "wav" : base + "ogg";
}

} // namespace Content
