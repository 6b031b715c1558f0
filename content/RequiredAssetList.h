// The list of what the built data set must hold, read from
// content/required_assets.txt, one requirement a line ("#" starts a comment):
//   file <pack path>             the entry exists
//   section <name>               "data\ui\texts\<language>\<name>.ini" exists for every shipped language
//   text <KEY>                   some section of every shipped language gives the key
//   font <id> [characters]       font <id> exists; with characters: exactly those need glyphs
//   sound <group> <name> [loop]  the sound's file exists, found as the game finds it; loop: it loops
//   campaign                     the stages and levels load, with every board, its settings and its scenery
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace Content {

struct RequiredAsset
{
    enum class Kind
    {
        kFile,
        kSection,
        kText,
        kFont,
        kSound,
        kCampaign
    };

    Kind kind = Kind::kFile;
    // The pack path, section name, key, or sound name.
    std::string name;
    std::string group;
    std::uint32_t fontId = 0;
    // UTF-8; empty means every character of the shipped texts.
    std::string characters;
    bool loop = false;
    std::uint32_t line = 0;
};

// What the list is checked against: a built data set's entries, found by
// lower-case pack path (null when absent), and the keys each language's text
// sections give.
struct BuiltDataSet
{
    std::function<const std::vector<std::uint8_t>*(const std::string&)> find;
    std::map<std::string, std::set<std::string>> textKeys;
};

class RequiredAssetList
{
public:
    // Throws OrrelayEngine::Error "<file>:<line>: <what is wrong>".
    static RequiredAssetList Read(const std::string& path);
    static RequiredAssetList Parse(const std::string& fileName, const std::string& text);

    const std::vector<RequiredAsset>& GetAssets() const { return assets_; }

    // One message "<file>:<line>: <what is missing>" for each line the data set
    // does not meet, in line order. The languages shipped are those with a
    // font list; a font's glyphs are left to the check over the built pack.
    std::vector<std::string> FindUnmet(const BuiltDataSet& dataSet) const;

    // The game's rule: "audio\<group>\<name>.wav" when "data\" + that exists,
    // else the same name ending in "ogg", whose existence is not tested.
    static std::string FindSoundFile(const std::string& group, const std::string& name,
                                     const std::function<bool(const std::string&)>& exists);

private:
    std::string fileName_;
    std::vector<RequiredAsset> assets_;
};

} // namespace Content
