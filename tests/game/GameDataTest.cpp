#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "engine/core/FatalError.h"
#include "engine/core/StringHelpers.h"
#include "engine/gui/GUIWindow.h"
#include "game/GameData.h"
#include "tests/game/GameDataTestEngine.h"

namespace {

using GameFramework::DataKeeper;
using GameTests::GameDataTestEngine;
using Tansywell::GameData;

// How many objects the keeper filed without a name, found by their generated names.
template <class Find>
std::uint32_t CountUnnamed(Find find)
{
    std::uint32_t count = 0;
    while (find(OrrelayEngine::UIntToString(DataKeeper::kFirstUnnamedNumber + count, DataKeeper::kUnnamedDigits)) !=
           nullptr)
        ++count;
    return count;
}

TEST(GameDataTest, LoadsEveryAssetAndTheBackgroundEntriesNotLeftToTheWindow)
{
    GameDataTestEngine game;
    game.Write(GameDataTestEngine::kBackgroundList, "3 // entries\nhills 0 7\nsun 1 8\nlake 0 -9\n");
    GameData data(game.engine, GameDataTestEngine::MakeLanguage());
    data.Load();
    data.WaitForLoad();

    // 131 fixed templates (the six borders among them) and two background ones.
    EXPECT_EQ(133u, CountUnnamed([&](const std::string& name) { return data.FindModel(name); }));
    EXPECT_EQ(17u, CountUnnamed([&](const std::string& name) { return data.FindShaderUser(name); }));
    EXPECT_EQ(9u, CountUnnamed([&](const std::string& name) { return data.FindParticleSystem(name); }));
    EXPECT_EQ(GameData::kBorderCount, data.borders.size());
    EXPECT_EQ(GameData::kItemKindCount, data.butterflyTextures.size());
    EXPECT_EQ(GameData::kItemKindCount, data.shadowTextures.size());

    // The flagged entry is the window's: the positions keep its gap.
    EXPECT_EQ(2u, data.backgroundModels.size());
    EXPECT_EQ((std::vector<std::uint32_t>{0, 2}), data.backgroundPositions);
    EXPECT_EQ((std::vector<std::int32_t>{7, -9}), data.backgroundValues);

    ASSERT_NE(nullptr, data.playRootWindow);
    ASSERT_NE(nullptr, data.playChildWindow);
    EXPECT_EQ(nullptr, data.playRootWindow->GetParent());
    EXPECT_EQ(5u, data.playRootWindow->GetFlags());
    EXPECT_EQ(data.playRootWindow, data.playChildWindow->GetParent());
    EXPECT_EQ(1u, data.playChildWindow->GetFlags());
    EXPECT_EQ(100, data.playChildWindow->GetDepthOrder());
}

TEST(GameDataTest, DamagedBackgroundListIsFatal)
{
    const std::string message = "Incorrect \"data\\ui\\menus\\background\\background.ini\" file format";
    struct Case
    {
        const char* what;
        const char* contents;
    };
    const Case cases[] = {
        {"negative count", "-1\n"},
        {"count above the entries present", "3\nhills 0 7\n"},
        {"entry cut short", "2\nhills 0 7\nsun 1\n"},
        {"huge count", "2000000000\nhills 0 7\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GameDataTestEngine game;
        game.Write(GameDataTestEngine::kBackgroundList, c.contents);
        GameData data(game.engine, GameDataTestEngine::MakeLanguage());
        data.Load();
        try {
            data.WaitForLoad();
            ADD_FAILURE() << "the load went on";
        } catch (const OrrelayEngine::FatalError& error) {
            EXPECT_EQ(message, error.GetMessage());
        }
        // Nothing after the list was loaded.
        EXPECT_EQ(nullptr, data.character);
        EXPECT_EQ(nullptr, data.playRootWindow);
    }
}

} // namespace
