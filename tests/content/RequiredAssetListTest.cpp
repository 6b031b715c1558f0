#include <gtest/gtest.h>

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
