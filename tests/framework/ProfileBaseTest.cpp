#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "engine/core/Error.h"
#include "engine/core/Random.h"
#include "tests/framework/FrameworkTestSupport.h"
#include "tests/framework/TestProfiles.h"

namespace {

using FrameworkTests::FrameworkEnvironment;
using FrameworkTests::Headered;
using FrameworkTests::TestProfile;
using FrameworkTests::U32;
using FrameworkTests::U32At;
using FrameworkTests::WideField;
using GameFramework::LevelPosition;
using GameFramework::LevelResult;

class ProfileBaseTest : public testing::Test
{
protected:
    ProfileBaseTest() { OrrelayEngine::SetRandomSeed(12345); }

    std::string ProfilesNative() const { return env.NativeUserFolder() + "/profiles"; }
    void Touch(const std::string& fileName) const
    {
        FrameworkEnvironment::WriteAll(ProfilesNative() + "/" + fileName, "x");
    }

    // A stored profile body with the given name field and result count.
    static std::string Body(const std::string& nameField, std::uint32_t resultCount, const std::string& results)
    {
        std::string body = nameField;
        for (std::uint32_t value : {0u, 3u, 500u, 1u, 2u, 1u, 4u})
            body += U32(value);
        body += '\1';
        body += U32(resultCount) + results;
        body += '\1';
        body += U32(0x3F000000) + U32(0x3F800000); // music 0.5, sound 1.0
        body += '\x5A';
        return body;
    }

    FrameworkEnvironment env;
};

TEST_F(ProfileBaseTest, FileNameIsTheLatinLettersPaddedWithRandomDigits)
{
    TestProfile profile(&env.Log(), &env.Files(), env.UserFolder());
    struct Case
    {
        std::wstring name;
        const char* pattern;
    };
    const Case cases[] = {
        {L"Mary Ann", "maryann_[0-9]{8}\\.prf"},           {L"\u0410\u043d\u043d\u0430", "_[0-9]{15}\\.prf"},
        {L"Abcdefghijklmn", "abcdefghijklmn_[0-9]\\.prf"}, {L"ABCDEFGHIJKLMNO", "abcdefghijklmno\\.prf"},
        {L"Jo-Jo 2 Z\u00e9", "jojoz_[0-9]{10}\\.prf"},
    };
    for (const Case& c : cases) {
        const std::string fileName = profile.MakeFileName(c.name);
        EXPECT_TRUE(std::regex_match(fileName, std::regex(c.pattern))) << fileName;
    }
}

TEST_F(ProfileBaseTest, ClashingNameDrawsNewDigitsAndOnlyALongOneGivesUpLetters)
{
    TestProfile profile(&env.Log(), &env.Files(), env.UserFolder());

    // A name with room for digits keeps all its letters after a clash.
    OrrelayEngine::SetRandomSeed(4242);
    const std::string first = profile.MakeFileName(L"Abcdefghij");
    Touch(first);
    OrrelayEngine::SetRandomSeed(4242);
    const std::string second = profile.MakeFileName(L"Abcdefghij");
    EXPECT_NE(second, first);
    EXPECT_TRUE(std::regex_match(second, std::regex("abcdefghij_[0-9]{5}\\.prf"))) << second;

    Touch("abcdefghijklmnop.prf");
    const std::string fileName = profile.MakeFileName(L"AbcdefghijklmnoP");
    EXPECT_TRUE(std::regex_match(fileName, std::regex("abcdefg_[0-9]{8}\\.prf"))) << fileName;

    // Fourteen letters leave room for one digit only; with all ten taken the
    // name must still come out free.
    for (int digit = 0; digit < 10; ++digit)
        Touch("abcdefghijklmn_" + std::to_string(digit) + ".prf");
    const std::string crowded = profile.MakeFileName(L"abcdefghijklmn");
    EXPECT_TRUE(std::regex_match(crowded, std::regex("abcdefghijklmn_[0-9]+\\.prf"))) << crowded;
    EXPECT_FALSE(std::filesystem::exists(ProfilesNative() + "/" + crowded));
}

TEST_F(ProfileBaseTest, CreatedProfileIsSavedInTheStoredLayout)
{
    TestProfile profile(&env.Log(), &env.Files(), env.UserFolder());
    profile.Create(L"Zo\u00eb");
    EXPECT_TRUE(profile.IsNewProfile());
    EXPECT_EQ(profile.GetLevelLogicValue(), 3u);
    EXPECT_EQ(profile.GetProfileFolder(),
              env.UserFolder() + "\\profiles\\" + profile.GetFileName().substr(0, profile.GetFileName().size() - 4));

    const std::string bytes = FrameworkEnvironment::ReadAll(ProfilesNative() + "/" + profile.GetFileName());
    const std::string expectedBody = WideField(u"Zo\u00eb") + U32(0) + U32(3) + U32(0) + U32(0) + U32(0) + U32(0) +
                                     U32(0) + std::string(1, '\0') + U32(0) + std::string(1, '\0') + U32(0x3F800000) +
                                     U32(0x3F800000) + "\x5A";
    EXPECT_EQ(bytes, Headered("TWPRF", 104, expectedBody));
}

TEST_F(ProfileBaseTest, SavedProfileReadsBackWhole)
{
    TestProfile original(&env.Log(), &env.Files(), env.UserFolder());
    original.Create(L"Mary Ann");
    original.SetScoreCategory(1);
    original.SetTotalScore(4321);
    original.SetCurrentPosition({2, 3});
    original.SetGameUnderWay(true);
    original.GetSettings().musicVolume = 0.25f;
    original.GetSettings().soundVolume = 0.75f;
    original.extra = 9;
    original.AddLevelResult({1, 2, 3, 12.5f});
    original.SetFurthestPosition({2, 4}, true);

    TestProfile loaded(&env.Log(), &env.Files(), env.UserFolder());
    loaded.Load(original.GetFileName());
    EXPECT_FALSE(loaded.IsNewProfile());
    EXPECT_EQ(loaded.GetName(), L"Mary Ann");
    EXPECT_EQ(loaded.GetScoreCategory(), 1u);
    EXPECT_EQ(loaded.GetTotalScore(), 4321u);
    EXPECT_EQ(loaded.GetCurrentPosition(), (LevelPosition{2, 3}));
    EXPECT_EQ(loaded.GetFurthestPosition(), (LevelPosition{2, 4}));
    EXPECT_TRUE(loaded.GetFurthestPositionFlag());
    EXPECT_TRUE(loaded.IsGameUnderWay());
    EXPECT_FLOAT_EQ(loaded.GetSettings().musicVolume, 0.25f);
    EXPECT_FLOAT_EQ(loaded.GetSettings().soundVolume, 0.75f);
    EXPECT_FLOAT_EQ(loaded.GetTotalTime(), 12.5f);
    ASSERT_EQ(loaded.GetLevelResults().size(), 1u);
    EXPECT_EQ(loaded.extra, 9);
}

TEST_F(ProfileBaseTest, BestTimeIsKeptPerLevelAndCategory)
{
    TestProfile profile(&env.Log(), &env.Files(), env.UserFolder());
    profile.Create(L"Ann");
    profile.AddLevelResult({0, 1, 2, 40.0f});
    profile.AddLevelResult({0, 1, 2, 35.5f});
    profile.AddLevelResult({0, 1, 2, 50.0f});
    profile.AddLevelResult({1, 1, 2, 60.0f});

    ASSERT_EQ(profile.GetLevelResults().size(), 2u);
    EXPECT_FLOAT_EQ(profile.FindLevelResult(0, {1, 2})->timeSeconds, 35.5f);
    EXPECT_FLOAT_EQ(profile.FindLevelResult(1, {1, 2})->timeSeconds, 60.0f);
    EXPECT_FLOAT_EQ(profile.GetTotalTime(), 185.5f);

    TestProfile loaded(&env.Log(), &env.Files(), env.UserFolder());
    loaded.Load(profile.GetFileName());
    EXPECT_FLOAT_EQ(loaded.FindLevelResult(0, {1, 2})->timeSeconds, 35.5f);
}

TEST_F(ProfileBaseTest, FurthestPositionOnlyMovesForward)
{
    struct Case
    {
        LevelPosition to;
        bool flag;
        LevelPosition expected;
        bool expectedFlag;
    };
    const Case cases[] = {
        {{1, 2}, false, {1, 2}, false}, {{1, 1}, true, {1, 2}, false},  {{1, 2}, false, {1, 2}, false},
        {{1, 2}, true, {1, 2}, true},   {{2, 0}, false, {2, 0}, false}, {{1, 9}, true, {2, 0}, false},
    };
    TestProfile profile(&env.Log(), &env.Files(), env.UserFolder());
    profile.Create(L"Ann");
    for (const Case& c : cases) {
        profile.SetFurthestPosition(c.to, c.flag);
        EXPECT_EQ(profile.GetFurthestPosition(), c.expected) << c.to.stage << "," << c.to.level;
        EXPECT_EQ(profile.GetFurthestPositionFlag(), c.expectedFlag) << c.to.stage << "," << c.to.level;
    }
}

TEST_F(ProfileBaseTest, RenameKeepsTheFileAndTheFolder)
{
    TestProfile profile(&env.Log(), &env.Files(), env.UserFolder());
    profile.Create(L"Ann");
    const std::string fileName = profile.GetFileName();
    const std::string folder = profile.GetProfileFolder();
    profile.Rename(L"Bob");
    EXPECT_EQ(profile.GetFileName(), fileName);
    EXPECT_EQ(profile.GetProfileFolder(), folder);

    TestProfile loaded(&env.Log(), &env.Files(), env.UserFolder());
    loaded.Load(fileName);
    EXPECT_EQ(loaded.GetName(), L"Bob");
}

TEST_F(ProfileBaseTest, UnreadableFilesAreLoggedAndRefused)
{
    struct Case
    {
        const char* what;
        std::string bytes;
        const char* logged;
    };
    const Case cases[] = {
        {"older version", Headered("TWPRF", 103, Body(WideField(u"A"), 0, "")), "format version (103), current is 104"},
        {"other magic", Headered("FLPMF", 104, Body(WideField(u"A"), 0, "")), "file format"},
        {"result count past the end", Headered("TWPRF", 104, Body(WideField(u"A"), 0x10000000u, "")), "Count"},
        {"body cut short", Headered("TWPRF", 104, Body(WideField(u"A"), 0, "").substr(0, 20)), "Failed to read"},
    };
    for (const Case& c : cases) {
        FrameworkEnvironment fresh;
        FrameworkEnvironment::WriteAll(fresh.NativeUserFolder() + "/profiles/a.prf", c.bytes);
        TestProfile profile(&fresh.Log(), &fresh.Files(), fresh.UserFolder());
        EXPECT_THROW(profile.Load("a.prf"), OrrelayEngine::Error) << c.what;
        EXPECT_TRUE(fresh.LogContains(OrrelayEngine::MessageManager::kError, c.logged)) << c.what;
        EXPECT_TRUE(profile.GetLevelResults().empty()) << c.what;
    }
}

TEST_F(ProfileBaseTest, NameFieldsAreTakenAsTheyCome)
{
    struct Case
    {
        const char* what;
        std::string nameField;
        std::size_t expectedLength;
    };
    std::string unterminated(1, '\xFF');
    for (int i = 0; i < 255; ++i)
        unterminated += std::string("b\0", 2);
    const Case cases[] = {
        {"count of zero", std::string(1, '\0'), 0},
        {"no terminating zero", unterminated, 254},
        {"zero inside",
         std::string("\x04"
                     "a\0b\0\0\0c\0",
                     9),
         2},
    };
    for (const Case& c : cases) {
        FrameworkEnvironment fresh;
        FrameworkEnvironment::WriteAll(fresh.NativeUserFolder() + "/profiles/a.prf",
                                       Headered("TWPRF", 104, Body(c.nameField, 0, "")));
        TestProfile profile(&fresh.Log(), &fresh.Files(), fresh.UserFolder());
        ASSERT_NO_THROW(profile.Load("a.prf")) << c.what;
        EXPECT_EQ(profile.GetName().size(), c.expectedLength) << c.what;
        EXPECT_EQ(profile.extra, 0x5A) << c.what;
    }
}

TEST_F(ProfileBaseTest, FailedSaveIsLoggedAndKeepsTheOldFile)
{
    TestProfile profile(&env.Log(), &env.Files(), env.UserFolder());
    profile.Create(L"Ann");
    const std::string native = ProfilesNative() + "/" + profile.GetFileName();
    const std::string before = FrameworkEnvironment::ReadAll(native);

    // A folder where the temporary file must go makes the write fail.
    std::filesystem::create_directories(native + ".tmp/x");
    profile.SetTotalScore(99);
    EXPECT_FALSE(profile.Save());
    EXPECT_EQ(FrameworkEnvironment::ReadAll(native), before);
    EXPECT_TRUE(env.LogContains(OrrelayEngine::MessageManager::kError, "Profile not saved"));
}

} // namespace
