#include <gtest/gtest.h>

#include <filesystem>

#include "engine/core/MessageManager.h"
#include "framework/HighScoresTable.h"
#include "support/LogSearch.h"
#include "tests/framework/FrameworkTestSupport.h"

namespace {

using FrameworkTests::FrameworkEnvironment;
using FrameworkTests::Headered;
using FrameworkTests::U32;
using FrameworkTests::WideField;
using GameFramework::HighScoresTable;

class HighScoresTableTest : public testing::Test
{
protected:
    std::string FileNative() const { return env.NativeUserFolder() + "/high_scores.hsf"; }

    std::unique_ptr<HighScoresTable> Open(std::uint32_t limit = 10)
    {
        return std::make_unique<HighScoresTable>(&env.Log(), &env.Files(), limit, env.UserFolder());
    }

    static std::vector<std::uint32_t> Scores(const HighScoresTable& table, std::uint32_t category)
    {
        std::vector<std::uint32_t> scores;
        for (std::uint32_t i = 0; i < table.CountEntries(category); ++i)
            scores.push_back(table.GetEntry(category, i)->score);
        return scores;
    }

    FrameworkEnvironment env;
};

TEST_F(HighScoresTableTest, MissingFileGivesAnEmptyTableSavedAtOnce)
{
    auto table = Open();
    EXPECT_EQ(table->CountEntries(0), 0u);
    EXPECT_EQ(table->GetEntry(0, 0), nullptr);
    EXPECT_EQ(FrameworkEnvironment::ReadAll(FileNative()), Headered("GFHSF", 101, U32(0) + U32(0)));
    EXPECT_FALSE(std::filesystem::exists(FileNative() + ".bak"));
    EXPECT_EQ(0u, TestSupport::CountLogged(env.Log(), "", TestSupport::LogMatch::kPart,
                                           OrrelayEngine::MessageManager::kError));
}

TEST_F(HighScoresTableTest, EleventhScoreEvictsTheLowestOfItsCategoryOnly)
{
    auto table = Open();
    for (std::uint32_t i = 1; i <= 10; ++i)
        ASSERT_NE(table->Insert(L"a", 0, i * 100), nullptr);
    ASSERT_NE(table->Insert(L"other", 1, 1), nullptr);

    EXPECT_EQ(table->Insert(L"low", 0, 50), nullptr);
    EXPECT_EQ(table->CountEntries(0), 10u);

    const GameFramework::HighScoreEntry* high = table->Insert(L"high", 0, 550);
    ASSERT_NE(high, nullptr);
    EXPECT_EQ(high->name, L"high");
    EXPECT_EQ(Scores(*table, 0), (std::vector<std::uint32_t>{1000, 900, 800, 700, 600, 550, 500, 400, 300, 200}));
    EXPECT_EQ(Scores(*table, 1), std::vector<std::uint32_t>{1});
}

TEST_F(HighScoresTableTest, EqualScoresKeepTheirInsertionOrder)
{
    auto table = Open(3);
    table->Insert(L"first", 0, 500);
    table->Insert(L"second", 0, 500);
    table->Insert(L"top", 0, 900);
    EXPECT_EQ(table->Insert(L"third", 0, 500), nullptr);

    EXPECT_EQ(table->GetEntry(0, 0)->name, L"top");
    EXPECT_EQ(table->GetEntry(0, 1)->name, L"first");
    EXPECT_EQ(table->GetEntry(0, 2)->name, L"second");
}

TEST_F(HighScoresTableTest, SavedTableReadsBackWithItsSerials)
{
    {
        auto table = Open();
        table->Insert(L"Ann", 0, 300);
        table->Insert(L"\u0411\u043e\u0440\u0438\u0441", 2, 700);
    }
    EXPECT_EQ(FrameworkEnvironment::ReadAll(FileNative()),
              Headered("GFHSF", 101,
                       U32(2) + U32(2) + WideField(u"\u0411\u043e\u0440\u0438\u0441") + U32(2) + U32(700) + U32(1) +
                           WideField(u"Ann") + U32(0) + U32(300) + U32(0)));

    auto table = Open();
    EXPECT_EQ(table->GetNextSerial(), 2u);
    table->Insert(L"Late", 0, 300);
    EXPECT_EQ(table->GetEntry(0, 0)->name, L"Ann");
    EXPECT_EQ(table->GetEntry(0, 1)->name, L"Late");
}

TEST_F(HighScoresTableTest, DamagedOrOutdatedFileIsKeptAsBakAndReplacedByAnEmptyTable)
{
    struct Case
    {
        const char* what;
        std::string bytes;
    };
    const Case cases[] = {
        {"garbage", "GFHSF"},
        {"older version", Headered("GFHSF", 100, U32(0) + U32(0))},
        {"entry count past the end", Headered("GFHSF", 101, U32(1) + U32(0x40000000) + WideField(u"A"))},
        {"entry cut short", Headered("GFHSF", 101, U32(1) + U32(1) + WideField(u"A") + U32(0))},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(FileNative() + ".bak");
        FrameworkEnvironment::WriteAll(FileNative(), c.bytes);
        const std::uint32_t errors =
            TestSupport::CountLogged(env.Log(), "high_scores.hsf\" are damaged", TestSupport::LogMatch::kPart,
                                     OrrelayEngine::MessageManager::kError);
        auto table = Open();
        EXPECT_EQ(errors + 1,
                  TestSupport::CountLogged(env.Log(), "high_scores.hsf\" are damaged", TestSupport::LogMatch::kPart,
                                           OrrelayEngine::MessageManager::kError))
            << c.what;
        EXPECT_EQ(table->CountEntries(0), 0u) << c.what;
        EXPECT_EQ(FrameworkEnvironment::ReadAll(FileNative() + ".bak"), c.bytes) << c.what;
        EXPECT_EQ(FrameworkEnvironment::ReadAll(FileNative()), Headered("GFHSF", 101, U32(0) + U32(0))) << c.what;
    }
}

TEST_F(HighScoresTableTest, NewEntriesComeAfterStoredOnesEvenWhenTheStoredSerialIsBehind)
{
    FrameworkEnvironment::WriteAll(
        FileNative(), Headered("GFHSF", 101, U32(0) + U32(1) + WideField(u"Old") + U32(0) + U32(300) + U32(5)));
    auto table = Open();
    EXPECT_EQ(table->GetNextSerial(), 6u);
    table->Insert(L"New", 0, 300);
    EXPECT_EQ(table->GetEntry(0, 0)->name, L"Old");
}

} // namespace
