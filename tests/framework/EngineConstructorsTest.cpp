#include <gtest/gtest.h>

#include <filesystem>

#include "engine/core/Config.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringHelpers.h"
#include "engine/core/TimerManager.h"
#include "engine/file/FileManager.h"
#include "engine/sound/SoundManager.h"
#include "framework/FadingSound.h"
#include "framework/GameLogicBase.h"
#include "framework/HeaderedFile.h"
#include "framework/HighScoresTable.h"
#include "framework/LevelManagerBase.h"
#include "framework/LevelRecord.h"
#include "framework/Mixer.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "framework/StageRecord.h"
#include "tests/engine/core/NullEngine.h"
#include "tools/XMLNode.h"
#include "tools/XMLParser.h"

namespace {

using namespace GameFramework;
using OrrelayEngine::Engine;

class EngineLogic : public GameLogicBase
{
public:
    using GameLogicBase::controls_;
    using GameLogicBase::GameLogicBase;
    using GameLogicBase::log_;
    using GameLogicBase::modelManager_;
    using GameLogicBase::timers_;
};

class EngineLevels : public LevelManagerBase
{
public:
    using LevelManagerBase::LevelManagerBase;

protected:
    std::unique_ptr<StageRecord> CreateStage() override { return std::make_unique<StageRecord>(); }
    std::unique_ptr<LevelRecord> CreateLevel() override { return std::make_unique<LevelRecord>(); }
};

class EngineProfile : public ProfileBase
{
public:
    EngineProfile(Engine* engine, const std::wstring& name, const std::string& folder)
        : ProfileBase(engine, name, folder, "TWPRF", 104)
    {
        Create(name);
    }
    EngineProfile(Engine* engine, const std::string& fileName, const std::string& folder)
        : ProfileBase(engine, fileName, folder, "TWPRF", 104)
    {
        Load(fileName);
    }
};

class EngineProfiles : public ProfileManagerBase
{
public:
    EngineProfiles(Engine* engine, Mixer* mixer, const std::string& folder)
        : ProfileManagerBase(engine, mixer, folder, "FLPMF", 100), engine_(engine), folder_(folder)
    {}
    std::unique_ptr<ProfileBase> LoadProfile(const std::string& fileName) override
    {
        return std::make_unique<EngineProfile>(engine_, fileName, folder_);
    }
    std::unique_ptr<ProfileBase> CreateProfile(const std::wstring& name) override
    {
        return std::make_unique<EngineProfile>(engine_, name, folder_);
    }

private:
    Engine* engine_;
    std::string folder_;
};

bool ExistsAt(Engine& engine, const std::string& enginePath)
{
    return std::filesystem::exists(engine.GetFileManager()->GetNativePath(enginePath));
}

// Each class, made through an engine, works with the engine's own services.
TEST(EngineConstructors, EveryFrameworkClassTakesTheEnginesServices)
{
    EngineTests::NullEngine harness;
    Engine& engine = harness.Start();
    const std::string folder = harness.settings.logFolder;

    StageRecord stage;
    LevelRecord level;
    const EngineLogic logic(&engine, nullptr, &stage, &level, 7);
    EXPECT_EQ(engine.GetMessageManager(), logic.log_);
    EXPECT_EQ(engine.GetTimerManager(), logic.timers_);
    EXPECT_EQ(engine.GetModelManager(), logic.modelManager_);
    EXPECT_EQ(engine.GetControls(), logic.controls_);

    Mixer mixer(&engine, 0.25f, 0.75f);
    EXPECT_FLOAT_EQ(0.25f, OrrelayEngine::StringToFloat(engine.GetConfig()->GetValue(Mixer::kMusicVolumeVariable)));

    const std::uint32_t soundsBefore = engine.GetSoundManager()->GetSoundCount();
    const FadingSound track(&engine, "music.ogg", true, 1);
    EXPECT_EQ(soundsBefore + 1, engine.GetSoundManager()->GetSoundCount());

    HeaderedFile file(&engine, "GFTST", 1);
    EXPECT_TRUE(file.Save(
        folder + "\\headered.bin", [](OrrelayEngine::FileBinary&) {}, engine.GetMessageManager(), "test file"));
    EXPECT_TRUE(ExistsAt(engine, folder + "\\headered.bin"));

    harness.folder.Write("data/levels/stages_info.ini", "1\n");
    harness.folder.Write("data/levels/stage0/levels_info.ini", "1\n");
    EngineLevels levels(&engine);
    levels.Load();
    EXPECT_EQ(1u, levels.GetTotalLevelCount());

    EngineProfiles profiles(&engine, &mixer, folder);
    ProfileBase* made = profiles.AddProfile(L"Ann");
    ASSERT_NE(nullptr, made);
    EXPECT_TRUE(profiles.Save());
    EngineProfiles reread(&engine, &mixer, folder);
    reread.Load();
    EXPECT_NE(nullptr, reread.FindProfile(L"Ann")) << "read back by its file name";

    HighScoresTable scores(&engine, 10, folder);
    EXPECT_NE(nullptr, scores.Insert(L"Ann", 0, 100));
    EXPECT_TRUE(ExistsAt(engine, scores.GetFilePath()));

    harness.folder.Write("data/list.xml",
                         "<?xml version=\"1.0\"?>\r\n<resources>\r\n<model name=\"leaf\" />\r\n</resources>\r\n");
    GameTools::XMLParser parser(&engine);
    GameTools::XMLNode* root = nullptr;
    parser.Parse(root, "data\\list.xml");
    ASSERT_NE(nullptr, root);
    EXPECT_EQ("resources", root->GetName());
    delete root;
}

} // namespace
