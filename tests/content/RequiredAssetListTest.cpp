#include <gtest/gtest.h>

#include <map>

#include "content/RequiredAssetList.h"
#include "engine/core/Error.h"

using Content::RequiredAsset;
using Content::RequiredAssetList;

TEST(RequiredAssetList, TheGamesListAsksForTheSectionsFontsSoundsAndCampaign)
{
    const RequiredAssetList list = RequiredAssetList::Read(QUILLORY_CONTENT_DIR "/required_assets.txt");
    std::size_t sounds = 0;
    std::size_t loops = 0;
    std::size_t fonts = 0;
    bool campaign = false;
    for (const RequiredAsset& asset : list.GetAssets()) {
        sounds += asset.kind == RequiredAsset::Kind::kSound ? 1 : 0;
        loops += asset.loop ? 1 : 0;
        fonts += asset.kind == RequiredAsset::Kind::kFont ? 1 : 0;
        campaign = campaign || asset.kind == RequiredAsset::Kind::kCampaign;
        if (asset.kind == RequiredAsset::Kind::kFont && asset.fontId == 10) {
            EXPECT_EQ(asset.characters, "0123456789+-");
        }
    }
    // Ten menu effects, three music tracks and the board's 24 effects.
    EXPECT_EQ(sounds, 37u);
    EXPECT_EQ(loops, 6u);
    EXPECT_EQ(fonts, 11u);
    EXPECT_TRUE(campaign);
}

TEST(RequiredAssetList, RefusesMalformedLinesNamingThem)
{
    const struct
    {
        const char* text;
        const char* message;
    } cases[] = {
        {"file\n", "list:1: \"file\" takes exactly one name"},
        {"# note\ntext A B\n", "list:2: \"text\" takes exactly one name"},
        {"font x\n", "list:1: \"font\" takes a font id"},
        {"font 1001\n", "list:1: \"font\" takes a font id"},
        {"sound menu\n", "list:1: \"sound\" takes a group and a name"},
        {"sound menu a looped\n", "list:1: \"sound\" ends with \"loop\""},
        {"campaign now\n", "list:1: \"campaign\" takes nothing"},
        {"model x\n", "list:1: unknown requirement \"model\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        std::string message = "(accepted)";
        try {
            RequiredAssetList::Parse("list", c.text);
        } catch (const OrrelayEngine::Error& error) {
            message = error.GetMessage();
        }
        EXPECT_EQ(message.rfind(c.message, 0), 0u) << message;
    }
}

TEST(RequiredAssetList, FindsAWavFirstAndOtherwiseNamesTheOgg)
{
    auto only = [](const std::string& present) {
        return [present](const std::string& path) { return path == present; };
    };
    EXPECT_EQ(RequiredAssetList::FindSoundFile("menu", "upgrade", only("data\\audio\\menu\\upgrade.wav")),
              "audio\\menu\\upgrade.wav");
    EXPECT_EQ(RequiredAssetList::FindSoundFile("music", "menu", only("")), "audio\\music\\menu.ogg");
}

TEST(RequiredAssetList, NamesEveryLineTheBuiltDataSetDoesNotMeet)
{
    const RequiredAssetList list = RequiredAssetList::Parse("list", "file data\\a.txt\n"
                                                                    "file data\\Gone.txt\n"
                                                                    "section common\n"
                                                                    "section help\n"
                                                                    "text HELLO\n"
                                                                    "text GONE\n"
                                                                    "font 0\n"
                                                                    "font 1\n"
                                                                    "sound menu click\n"
                                                                    "sound menu gone\n"
                                                                    "campaign\n");
    std::map<std::string, std::string> files = {
        {"data\\a.txt", ""},
        {"data\\ui\\fonts\\en.ini", "// fonts\n2 0\nui\\f.fnt ui\\f.tga 32bit 13 0.25 1 1 0\n"
                                    "ui\\f.fnt ui\\g.tga 32bit 13 0.25 1 1 0\n"},
        {"data\\ui\\f.fnt", ""},
        {"data\\ui\\f.tga", ""},
        {"data\\ui\\texts\\en\\common.ini", ""},
        {"data\\audio\\menu\\click.wav", ""},
        {"data\\levels\\stages_info.ini", "// stages\n1\n"},
        {"data\\levels\\stage0.ini", "2\nb0 3 meadow 0.9\nb1 3 cave 0.9\n"},
        {"data\\boards\\b0.blf", ""},
        {"data\\boards\\b0.ini", ""},
        {"data\\boards\\b1.blf", ""},
        {"data\\boards\\b1.ini", ""},
        {"data\\environments\\meadow\\environment.ini", ""},
    };
    std::map<std::string, std::vector<std::uint8_t>> bytes;
    for (const auto& file : files) {
        bytes[file.first].assign(file.second.begin(), file.second.end());
    }
    Content::BuiltDataSet dataSet;
    dataSet.find = [&bytes](const std::string& path) -> const std::vector<std::uint8_t>* {
        const auto found = bytes.find(path);
        return found == bytes.end() ? nullptr : &found->second;
    };
    dataSet.textKeys["en"] = {"HELLO"};
    EXPECT_EQ(list.FindUnmet(dataSet),
              (std::vector<std::string>{
                  "list:2: \"data\\Gone.txt\" is not in the data set",
                  "list:4: \"data\\ui\\texts\\en\\help.ini\" is not in the data set",
                  "list:6: no section of language \"en\" gives GONE",
                  "list:8: \"data\\ui\\g.tga\" is not in the data set (font 1 of \"data\\ui\\fonts\\en.ini\")",
                  "list:10: \"data\\audio\\menu\\gone.ogg\" is not in the data set",
                  "list:11: \"data\\environments\\cave\\environment.ini\" is not in the data set (named by the "
                  "campaign)",
              }));
}
