#include "content/RequiredAssetList.h"

#include <fstream>
#include <iterator>
#include <sstream>

#include "engine/core/Error.h"

namespace Content {

namespace {

constexpr std::uint32_t kMaxFontId = 1000;

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

std::string RequiredAssetList::FindSoundFile(const std::string& group, const std::string& name,
                                             const std::function<bool(const std::string&)>& exists)
{
    const std::string base = "audio\\" + group + "\\" + name + ".";
    return exists("data\\" + base + "wav") ? base + "wav" : base + "ogg";
}

} // namespace Content
