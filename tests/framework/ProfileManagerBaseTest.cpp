#include <gtest/gtest.h>

#include <filesystem>

#include "engine/core/MessageManager.h"
#include "engine/core/Random.h"
#include "engine/core/TimerManager.h"
#include "engine/file/FileTextual.h"
#include "framework/LevelManagerBase.h"
#include "framework/LevelRecord.h"
#include "framework/Mixer.h"
#include "framework/StageRecord.h"
#include "support/LogSearch.h"
#include "support/ScopedLanguageLocale.h"
#include "tests/framework/FrameworkTestSupport.h"
#include "tests/framework/TestProfiles.h"

namespace {

using FrameworkTests::FrameworkEnvironment;
using FrameworkTests::Headered;
using FrameworkTests::TestProfile;
using FrameworkTests::TestProfileManager;
using FrameworkTests::U32;
using FrameworkTests::WideField;
using GameFramework::LevelPosition;
using GameFramework::ProfileBase;

class ProfileManagerBaseTest : public testing::Test
{
protected:
    ProfileManagerBaseTest() { OrrelayEngine::SetRandomSeed(777); }

    std::string ListNative() const { return env.NativeUserFolder() + "/profiles.pmf"; }

    // Profiles made the way the game makes them, then a fresh manager that finds them.
    void MakeProfiles(const std::vector<std::wstring>& names)
    {
        TestProfileManager maker(&env.Log(), &env.Files(), nullptr, env.UserFolder());
        for (const std::wstring& name : names)
            maker.AddProfile(name);
    }

    std::unique_ptr<TestProfileManager> LoadManager(const GameFramework::LevelManagerBase* campaign = nullptr)
    {
        auto manager =
            std::make_unique<TestProfileManager>(&env.Log(), &env.Files(), nullptr, env.UserFolder(), campaign);
        manager->Load();
        return manager;
    }

    static std::vector<std::wstring> Names(const GameFramework::ProfileManagerBase& manager)
    {
        std::vector<std::wstring> names;
        for (std::uint32_t i = 0; i < manager.GetProfileCount(); ++i)
            names.push_back(manager.GetProfile(i)->GetName());
        return names;
    }

    FrameworkEnvironment env;
};

TEST_F(ProfileManagerBaseTest, WithoutProfilesTheListHoldsAnEmptyNameAndNoEntries)
{
    auto manager = LoadManager();
    EXPECT_EQ(manager->GetCurrentProfile(), nullptr);
    EXPECT_EQ(FrameworkEnvironment::ReadAll(ListNative()), Headered("FLPMF", 100, WideField(u"") + U32(0)));

    auto again = LoadManager();
    EXPECT_EQ(again->GetCurrentProfile(), nullptr);
    EXPECT_FALSE(std::filesystem::exists(ListNative() + ".bak"));
    EXPECT_EQ(0u, TestSupport::CountLogged(env.Log(), "", TestSupport::LogMatch::kPart,
                                           OrrelayEngine::MessageManager::kError));
}

TEST_F(ProfileManagerBaseTest, ProfilesStandInCaseInsensitiveOrderAcrossScripts)
{
    const TestSupport::ScopedLanguageLocale locale;
    MakeProfiles({L"bob", L"Alice", L"carl", L"\u0432\u0438\u043a\u0442\u043e\u0440", L"\u0410\u043d\u043d\u0430"});
    auto manager = LoadManager();
    const std::vector<std::wstring> expected = {L"Alice", L"bob", L"carl", L"\u0410\u043d\u043d\u0430",
                                                L"\u0432\u0438\u043a\u0442\u043e\u0440"};
    EXPECT_EQ(Names(*manager), expected);

    EXPECT_EQ(manager->FindProfile(L"\u0410\u041d\u041d\u0410"), manager->GetProfile(3));
    EXPECT_EQ(manager->FindProfile(L"ALICE"), manager->GetProfile(0));
    EXPECT_EQ(manager->FindProfile(L"Alic"), nullptr);
}

TEST_F(ProfileManagerBaseTest, AddingAnExistingNameReturnsThatProfile)
{
    const TestSupport::ScopedLanguageLocale locale;
    TestProfileManager manager(&env.Log(), &env.Files(), nullptr, env.UserFolder());
    manager.Load();
    ProfileBase* anna = manager.AddProfile(L"anna");
    EXPECT_EQ(manager.AddProfile(L"Anna"), anna);
    EXPECT_EQ(manager.GetProfileCount(), 1u);
    EXPECT_EQ(manager.GetCurrentProfile(), nullptr);
    EXPECT_EQ(manager.AddProfile(L"\u0410\u043d\u043d\u0430"), manager.AddProfile(L"\u0430\u043d\u043d\u0430"));
    EXPECT_EQ(manager.GetProfileCount(), 2u);
}

TEST_F(ProfileManagerBaseTest, CurrentProfileIsRememberedByName)
{
    MakeProfiles({L"bob", L"Alice"});
    {
        auto manager = LoadManager();
        EXPECT_EQ(manager->GetCurrentProfile()->GetName(), L"Alice");
        manager->SetCurrentProfile(manager->FindProfile(L"bob"), true);
    }
    auto manager = LoadManager();
    EXPECT_EQ(manager->GetCurrentProfile()->GetName(), L"bob");
}

TEST_F(ProfileManagerBaseTest, ListNamingAMissingProfileFallsBackToTheFirst)
{
    MakeProfiles({L"bob", L"Alice"});
    {
        auto manager = LoadManager();
        manager->SetCurrentProfile(manager->FindProfile(L"bob"), true);
        std::filesystem::remove(env.NativeUserFolder() + "/profiles/" + manager->FindProfile(L"bob")->GetFileName());
    }
    auto manager = LoadManager();
    ASSERT_EQ(manager->GetProfileCount(), 1u);
    EXPECT_EQ(manager->GetCurrentProfile()->GetName(), L"Alice");
    EXPECT_EQ(FrameworkEnvironment::ReadAll(ListNative()), Headered("FLPMF", 100, WideField(u"Alice") + U32(0)));
}

TEST_F(ProfileManagerBaseTest, DeletingTheCurrentProfileRemovesItsFilesAndMakesTheFirstCurrent)
{
    MakeProfiles({L"bob", L"Alice", L"carl"});
    auto manager = LoadManager();
    ProfileBase* alice = manager->FindProfile(L"Alice");
    const std::string aliceFile = env.NativeUserFolder() + "/profiles/" + alice->GetFileName();
    const std::string aliceFolder = aliceFile.substr(0, aliceFile.size() - 4);
    std::filesystem::create_directories(aliceFolder + "/shots");
    const std::string bobFile = env.NativeUserFolder() + "/profiles/" + manager->FindProfile(L"bob")->GetFileName();

    manager->DeleteProfile(L"ALICE");
    EXPECT_FALSE(std::filesystem::exists(aliceFile));
    EXPECT_FALSE(std::filesystem::exists(aliceFolder));
    EXPECT_TRUE(std::filesystem::exists(bobFile));
    EXPECT_TRUE(std::filesystem::is_directory(env.NativeUserFolder() + "/profiles"));
    EXPECT_EQ(manager->GetCurrentProfile()->GetName(), L"bob");
    EXPECT_EQ(FrameworkEnvironment::ReadAll(ListNative()), Headered("FLPMF", 100, WideField(u"bob") + U32(0)));

    manager->DeleteProfile(L"bob");
    manager->DeleteProfile(L"carl");
    manager->DeleteProfile(L"nobody");
    EXPECT_EQ(manager->GetCurrentProfile(), nullptr);
    EXPECT_EQ(manager->GetProfileCount(), 0u);
}

TEST_F(ProfileManagerBaseTest, FilesThatAreNoProfileAreLeftOutAndNeverDeleteTheFolder)
{
    MakeProfiles({L"bob"});
    FrameworkEnvironment::WriteAll(env.NativeUserFolder() + "/profiles/.prf",
                                   Headered("TWPRF", 104, std::string(60, '\0')));
    FrameworkEnvironment::WriteAll(env.NativeUserFolder() + "/profiles/old.prf", Headered("TWPRF", 103, "x"));
    auto manager = LoadManager();
    EXPECT_EQ(Names(*manager), std::vector<std::wstring>{L"bob"});
    EXPECT_TRUE(env.LogContains(OrrelayEngine::MessageManager::kWarning, "has no name"));
    EXPECT_TRUE(env.LogContains(OrrelayEngine::MessageManager::kError, "format version (103)"));

    manager->DeleteProfile(L"bob");
    EXPECT_TRUE(std::filesystem::exists(env.NativeUserFolder() + "/profiles/.prf"));
}

TEST_F(ProfileManagerBaseTest, DamagedListIsKeptAsBakBeforeANewOneIsWritten)
{
    MakeProfiles({L"bob"});
    struct Case
    {
        const char* what;
        std::string bytes;
    };
    const Case cases[] = {
        {"garbage", "not a list"},
        {"older version", Headered("FLPMF", 99, WideField(u"bob") + U32(0))},
        {"entry count past the end", Headered("FLPMF", 100, WideField(u"bob") + U32(0x7FFFFFFF))},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(ListNative() + ".bak");
        FrameworkEnvironment::WriteAll(ListNative(), c.bytes);
        const std::uint32_t errors =
            TestSupport::CountLogged(env.Log(), "profiles.pmf\" is damaged", TestSupport::LogMatch::kPart,
                                     OrrelayEngine::MessageManager::kError);
        auto manager = LoadManager();
        EXPECT_EQ(errors + 1,
                  TestSupport::CountLogged(env.Log(), "profiles.pmf\" is damaged", TestSupport::LogMatch::kPart,
                                           OrrelayEngine::MessageManager::kError))
            << c.what;
        EXPECT_EQ(FrameworkEnvironment::ReadAll(ListNative() + ".bak"), c.bytes) << c.what;
        EXPECT_TRUE(manager->GetEntries().empty()) << c.what;
        EXPECT_EQ(manager->GetCurrentProfile()->GetName(), L"bob") << c.what;
        EXPECT_EQ(FrameworkEnvironment::ReadAll(ListNative()), Headered("FLPMF", 100, WideField(u"bob") + U32(0)))
            << c.what;
    }
}

TEST_F(ProfileManagerBaseTest, EntriesOfTheListAreWrittenBackUnchanged)
{
    MakeProfiles({L"bob"});
    const std::string entries =
        U32(2) + U32(7) + U32(8) + WideField(u"x\u00e9") + U32(0x40490FDB) + U32(1) + U32(2) + WideField(u"") + U32(0);
    FrameworkEnvironment::WriteAll(ListNative(), Headered("FLPMF", 100, WideField(u"BOB") + entries));
    auto manager = LoadManager();
    ASSERT_EQ(manager->GetEntries().size(), 2u);
    EXPECT_EQ(manager->GetEntries()[0]->text, L"x\u00e9");
    manager->Save();
    EXPECT_EQ(FrameworkEnvironment::ReadAll(ListNative()), Headered("FLPMF", 100, WideField(u"bob") + entries));
}

TEST_F(ProfileManagerBaseTest, RenameKeepsNamesUniqueAndTheOrderSorted)
{
    MakeProfiles({L"bob", L"Alice"});
    auto manager = LoadManager();
    manager->RenameProfile(L"bob", L"ALICE");
    EXPECT_EQ(Names(*manager), (std::vector<std::wstring>{L"Alice", L"bob"}));
    manager->RenameProfile(L"bob", L"Aaron");
    EXPECT_EQ(Names(*manager), (std::vector<std::wstring>{L"Aaron", L"Alice"}));
}

TEST_F(ProfileManagerBaseTest, VolumesMoveBetweenTheMixerAndTheCurrentProfile)
{
    OrrelayEngine::TimerManager timers;
    GameFramework::Mixer mixer(&env.Log(), nullptr, nullptr, &timers, 0.37f, 0.48f);
    TestProfileManager manager(&env.Log(), &env.Files(), &mixer, env.UserFolder());
    manager.Load();
    ProfileBase* ann = manager.AddProfile(L"Ann");
    EXPECT_FLOAT_EQ(ann->GetSettings().musicVolume, 0.37f);
    EXPECT_FLOAT_EQ(ann->GetSettings().soundVolume, 0.48f);

    ann->GetSettings().musicVolume = 0.1f;
    ann->GetSettings().soundVolume = 0.9f;
    manager.ApplyProfileSettings();
    EXPECT_FLOAT_EQ(mixer.GetMusicVolume(), 0.37f);
    manager.SetCurrentProfile(ann, false);
    manager.ApplyProfileSettings();
    EXPECT_FLOAT_EQ(mixer.GetMusicVolume(), 0.1f);
    EXPECT_FLOAT_EQ(mixer.GetSoundVolume(), 0.9f);
}

// One level per word of each stage file.
class TinyCampaign : public GameFramework::LevelManagerBase
{
public:
    using LevelManagerBase::LevelManagerBase;
    std::string GetStageFileName(std::uint32_t i) override { return "s" + std::to_string(i) + ".ini"; }

protected:
    std::unique_ptr<GameFramework::StageRecord> CreateStage() override
    {
        return std::make_unique<GameFramework::StageRecord>();
    }
    std::unique_ptr<GameFramework::LevelRecord> CreateLevel() override
    {
        return std::make_unique<GameFramework::LevelRecord>();
    }
    void ReadLevel(GameFramework::LevelRecord&, OrrelayEngine::FileTextual& file) override
    {
        std::string word;
        file.ReadWord(word);
    }
};

TEST_F(ProfileManagerBaseTest, LoadedPositionsOutsideTheCampaignAreClamped)
{
    {
        TestProfileManager maker(&env.Log(), &env.Files(), nullptr, env.UserFolder());
        ProfileBase* ann = maker.AddProfile(L"Ann");
        ann->SetCurrentPosition({4, 0});
        ann->SetFurthestPosition({0, 9}, false);
    }
    env.Write("data/levels/stages_info.ini", "2");
    env.Write("data/levels/s0.ini", "2 a b");
    env.Write("data/levels/s1.ini", "3 c d e");
    TinyCampaign campaign(&env.Log(), &env.Files());
    campaign.Load();

    auto manager = LoadManager(&campaign);
    EXPECT_EQ(manager->GetCurrentProfile()->GetCurrentPosition(), (LevelPosition{1, 2}));
    EXPECT_EQ(manager->GetCurrentProfile()->GetFurthestPosition(), (LevelPosition{0, 1}));
}

} // namespace
