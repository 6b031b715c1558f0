// The whole game starting over a player's damaged files: it still reaches the
// welcome dialog or the main menu, reports in its log which file it could not
// read, keeps a damaged list or table beside itself as ".bak", leaves a
// damaged profile where it is, and touches no other file of the player.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "engine/core/EngineSettings.h"
#include "engine/core/FatalError.h"
#include "engine/core/FileError.h"
#include "framework/HighScoresTable.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "framework/gui/GUIMainMenuWindowBase.h"
#include "framework/gui/GUIWelcomeWindowBase.h"
#include "game/Game.h"
#include "game/GameLoader.h"
#include "game/gui/GUIMenuWindow.h"
#include "platform/Clock.h"
#include "support/ScratchFolder.h"
#include "tests/game/StartUpEnvironment.h"

namespace {

using GameTests::StartUpEnvironment;

constexpr std::uint64_t kSixtiethOfASecond = 16667;
const char kList[] = "profiles.pmf";
const char kTable[] = "high_scores.hsf";
const char kConfig[] = "Quillory.ini";

// The game, with what these tests read of it.
class HeadlessGame : public GameTests::HeadlessGame
{
public:
    GameFramework::ProfileManagerBase& Profiles() const { return *profileManager_; }
    GameFramework::HighScoresTable& Table() const { return *highScoresTable_; }
    bool OnWelcome() const { return IsActive(welcomeWindow_.get()); }
    bool OnMainMenu() const { return IsActive(mainMenuWindow_.get()); }

private:
    // Every screen of the game is one of its menu windows.
    template <typename Screen>
    static bool IsActive(Screen* screen)
    {
        const auto* window = dynamic_cast<const Tansywell::GUIMenuWindow*>(screen);
        return window != nullptr && window->IsActive();
    }
};

using Files = std::map<std::string, std::string>;

Files ReadFiles(const StartUpEnvironment& env, const std::vector<std::string>& names)
{
    Files files;
    for (const std::string& name : names)
        files[name] = TestSupport::ScratchFolder::ReadAll(env.UserPath(name));
    return files;
}

// What a player who has played a little keeps: Ada (current) and Bob, a
// high score of Ada's and the configuration the game wrote on its way out.
// Made once by the game itself.
struct SavedPlayer
{
    // The profiles' files under their folder, as the game named them.
    std::string ada;
    std::string bob;
    // Every file above and the configuration.
    Files files;

    std::vector<std::string> PlayerFiles() const { return {ada, bob, kList, kTable}; }
};

const SavedPlayer& Saved()
{
    static const SavedPlayer saved = [] {
        TestSupport::ScratchFolder installation;
        StartUpEnvironment env(GameTests::InstallBuiltDataSet(installation));
        SavedPlayer made;
        {
            HeadlessGame game;
            GameFramework::ProfileBase* ada = game.Profiles().AddProfile(L"Ada");
            made.ada = "profiles/" + ada->GetFileName();
            made.bob = "profiles/" + game.Profiles().AddProfile(L"Bob")->GetFileName();
            game.Profiles().SetCurrentProfile(ada, true);
            game.Table().Insert(L"Ada", 0, 1234);
        }
        std::vector<std::string> names = made.PlayerFiles();
        names.push_back(kConfig);
        made.files = ReadFiles(env, names);
        return made;
    }();
    return saved;
}

// The kinds of damage, each applied to a file's saved bytes; countOffset is
// where the file's first count lies.
struct Damage
{
    const char* name;
    std::function<std::string(const std::string& bytes, std::size_t countOffset)> apply;
};

std::string RandomBytes(std::size_t size)
{
    std::mt19937 generator(20261209);
    std::string bytes(size, '\0');
    for (char& byte : bytes)
        byte = static_cast<char>(generator() & 0xFF);
    return bytes;
}

const Damage kDamages[] = {
    {"truncated by one byte", [](const std::string& b, std::size_t) { return b.substr(0, b.size() - 1); }},
    {"emptied", [](const std::string&, std::size_t) { return std::string(); }},
    {"wrong magic", [](const std::string& b, std::size_t) { return b.substr(0, 4) + "XXXXX" + b.substr(9); }},
    {"count of 0xFFFFFFFF",
     [](const std::string& b, std::size_t offset) {
         return b.substr(0, offset) + "\xFF\xFF\xFF\xFF" + b.substr(offset + 4);
     }},
    {"random bytes after a valid header",
     [](const std::string& b, std::size_t) { return b.substr(0, 13) + RandomBytes(b.size() - 13); }},
};

struct Outcome
{
    bool onWelcome = false;
    bool onMainMenu = false;
    std::wstring current;
    Files after;
    std::string log;
};

// Starts the game over the saved files with one of them replaced, and runs it
// until it waits on the welcome dialog or the main menu.
Outcome StartOver(const std::string& damaged, const std::string& bytes)
{
    TestSupport::ScratchFolder installation;
    StartUpEnvironment env(GameTests::InstallBuiltDataSet(installation));
    for (const auto& [name, saved] : Saved().files)
        env.folder.Write("userdata/Quorvane Games/Quillory/" + name, name == damaged ? bytes : saved);

    Outcome outcome;
    {
        std::unique_ptr<HeadlessGame> game;
        try {
            game = std::make_unique<HeadlessGame>();
            for (std::uint32_t frame = 0; frame < 3600 && !game->OnWelcome() && !game->OnMainMenu(); ++frame) {
                Platform::AdvanceManualClock(kSixtiethOfASecond);
                game->Frame();
            }
        } catch (const OrrelayEngine::FatalError& error) {
            ADD_FAILURE() << error.GetMessage();
            return outcome;
        } catch (const OrrelayEngine::FileError& error) {
            ADD_FAILURE() << error.GetMessage();
            return outcome;
        }
        outcome.onWelcome = game->OnWelcome();
        outcome.onMainMenu = game->OnMainMenu();
        const GameFramework::ProfileBase* current = game->Profiles().GetCurrentProfile();
        outcome.current = current != nullptr ? current->GetName() : L"";
        std::vector<std::string> names = Saved().PlayerFiles();
        names.push_back(damaged + ".bak");
        outcome.after = ReadFiles(env, names);
    }
    outcome.log = TestSupport::ScratchFolder::ReadAll(env.UserPath("Quillory.html"));
    return outcome;
}

// The log's lines (it is one line of HTML, broken by <BR>) that report an
// error and name the file.
std::uint32_t CountErrorsNaming(const std::string& log, const std::string& fileName)
{
    std::uint32_t count = 0;
    std::size_t start = 0;
    while (start < log.size()) {
        std::size_t end = log.find("<BR>", start);
        if (end == std::string::npos)
            end = log.size();
        const std::string line = log.substr(start, end - start);
        const std::size_t error = line.find("Error: ");
        if (error != std::string::npos && line.find(fileName, error) != std::string::npos)
            ++count;
        start = end + 4;
    }
    return count;
}

// One damage of one file; what the game shows and makes current, and which
// other file it may rewrite.
void CheckDamagedFile(const Damage& damage, const std::string& file, std::size_t countOffset, bool setAside,
                      const std::wstring& current, const std::string& mayChange)
{
    const Files& saved = Saved().files;
    const std::string fileName = file.substr(file.rfind('/') + 1);
    {
        SCOPED_TRACE(file + " " + damage.name);
        const std::string bytes = damage.apply(saved.at(file), countOffset);
        const Outcome outcome = StartOver(file, bytes);
        EXPECT_TRUE(outcome.onMainMenu) << (outcome.onWelcome ? "on the welcome dialog" : "on no menu");
        EXPECT_EQ(current, outcome.current);
        EXPECT_EQ(1u, CountErrorsNaming(outcome.log, fileName));
        for (const std::string& other : Saved().PlayerFiles()) {
            if (other != file && other != mayChange) {
                EXPECT_EQ(saved.at(other), outcome.after.at(other)) << other << " changed";
            }
        }
        if (setAside) {
            EXPECT_EQ(bytes, outcome.after.at(file + ".bak"));
            EXPECT_FALSE(outcome.after.at(file).empty()) << "a new one is written";
        } else {
            EXPECT_EQ(bytes, outcome.after.at(file)) << "the damaged profile stays as it was";
            EXPECT_TRUE(outcome.after.at(file + ".bak").empty());
        }
    }
}

// A wide name field: its count byte and 16-bit units.
std::size_t NameFieldBytes(const std::string& name)
{
    return 1 + 2 * name.size();
}

// One game start per test, so that each stays short.
class DamagedFiles : public testing::TestWithParam<std::size_t>
{
protected:
    const Damage& GetDamage() const { return kDamages[GetParam()]; }
};

TEST_P(DamagedFiles, ADamagedProfileIsLeftWhereItIsAndTheNextPlayerBecomesCurrent)
{
    // Name, then seven u32 and a u8 before the count of level results.
    CheckDamagedFile(GetDamage(), Saved().ada, 13 + NameFieldBytes("Ada") + 29, false, L"Bob", kList);
}

TEST_P(DamagedFiles, ADamagedProfileListIsKeptAsBakAndRebuiltFromTheProfiles)
{
    CheckDamagedFile(GetDamage(), kList, 13 + NameFieldBytes("Ada"), true, L"Ada", "");
}

TEST_P(DamagedFiles, ADamagedHighScoreTableIsKeptAsBakAndStartsEmpty)
{
    CheckDamagedFile(GetDamage(), kTable, 13 + 4, true, L"Ada", "");
}

INSTANTIATE_TEST_SUITE_P(EveryDamage, DamagedFiles, testing::Range<std::size_t>(0, std::size(kDamages)),
                         [](const testing::TestParamInfo<std::size_t>& info) {
                             std::string name;
                             for (const char* c = kDamages[info.param].name; *c != '\0'; ++c)
                                 if (std::isalnum(static_cast<unsigned char>(*c)))
                                     name += *c;
                             return name;
                         });

TEST(DamagedConfiguration, KeepsItsDefaultsSilently)
{
    const Files& saved = Saved().files;
    const std::string cases[] = {std::string(), RandomBytes(saved.at(kConfig).size())};
    for (const std::string& bytes : cases) {
        SCOPED_TRACE(bytes.empty() ? "emptied" : "random bytes");
        const Outcome outcome = StartOver(kConfig, bytes);
        EXPECT_TRUE(outcome.onMainMenu);
        EXPECT_EQ(L"Ada", outcome.current);
        EXPECT_EQ(0u, CountErrorsNaming(outcome.log, kConfig));
        for (const std::string& file : Saved().PlayerFiles()) {
            EXPECT_EQ(0u, CountErrorsNaming(outcome.log, file.substr(file.rfind('/') + 1)));
            EXPECT_EQ(saved.at(file), outcome.after.at(file)) << file << " changed";
        }
    }
}

} // namespace
