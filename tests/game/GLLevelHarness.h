// A shipped level in play on the real engine over OpenGL (the offscreen video
// driver, 1024 x 768), installed where the build put the data set: the game's
// assets, the campaign, the level's board and scenery, and its game logic
// without profiles or character. For the scene picture test and the scene
// benchmark; Ready says whether a GL context and the level were had.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "engine/core/Config.h"
#include "engine/core/Engine.h"
#include "engine/gui/GUIManager.h"
#include "engine/render/RenderSystem.h"
#include "framework/LanguageInfo.h"
#include "game/GameData.h"
#include "game/GameLevelRecord.h"
#include "game/GameLogicData.h"
#include "game/LevelManager.h"
#include "game/logic/GameLogic.h"
#include "platform/Clock.h"
#include "platform/InputDevice.h"
#include "tests/engine/core/NullEngine.h"

namespace GameTests {

class GLLevelHarness
{
public:
    // The level that plays the named board.
    explicit GLLevelHarness(const std::string& boardName)
    {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        Platform::SetOpenGlWindows(true);
        harness_.factories = OrrelayEngine::EngineFactories();
        harness_.settings.installFolder = QUILLORY_BUILD_DIR;
        // Full screen, as the game starts: a window must stay smaller than the desktop.
        harness_.settings.videoMode = "1024x768x32";
        harness_.settings.fullscreenDefault = true;
        engine = &harness_.Start();
        engine->GetRenderSystem()->Refresh();
        if (!engine->GetRenderSystem()->IsDeviceReady()) {
            problem = "no OpenGL device";
            return;
        }
        engine->GetGUIManager()->SetScreenSize(800.0f, 600.0f);
        // The board camera reads what the game registers.
        OrrelayEngine::Config* config = engine->GetConfig();
        config->AddVariable("g_camera_type", OrrelayEngine::kConfigInteger, false, true, &cameraType_, "1", false);
        config->AddVariable("g_camera_value", OrrelayEngine::kConfigFloat, false, true, &cameraValue_, "1", false);

        gameData = std::make_unique<Tansywell::GameData>(engine, English());
        gameData->Load();
        gameData->WaitForLoad();
        campaign = std::make_unique<Tansywell::LevelManager>(engine);
        for (std::uint32_t s = 0; s < campaign->GetStageCount(); ++s) {
            for (std::uint32_t l = 0; l < campaign->GetLevelCount(s); ++l) {
                auto* record = static_cast<Tansywell::GameLevelRecord*>(campaign->GetLevel(s, l));
                if (record->boardName == boardName) {
                    stage = campaign->GetStage(s);
                    level = record;
                }
            }
        }
        if (level == nullptr) {
            problem = "no level plays " + boardName;
            return;
        }
        logicData = std::make_unique<Tansywell::GameLogicData>(engine, English(), stage, level);
        logicData->LoadResources();
        logic = std::make_unique<Tansywell::GameLogic>(engine, nullptr, nullptr, gameData.get(), logicData.get(), stage,
                                                       level, 0, nullptr);
    }

    ~GLLevelHarness()
    {
        logic.reset();
        logicData.reset();
        campaign.reset();
        gameData.reset();
        harness_.engine.reset();
    }

    GLLevelHarness(const GLLevelHarness&) = delete;
    GLLevelHarness& operator=(const GLLevelHarness&) = delete;

    bool Ready() const { return logic != nullptr; }

    // One frame as the game runs it, drawn and presented; on the manual
    // clock it first advances the clock by the given time.
    void Frame(std::uint64_t microseconds = 0)
    {
        if (microseconds != 0)
            Platform::AdvanceManualClock(microseconds);
        engine->PreFrame();
        logic->Update();
        engine->Frame(0);
    }

    // Why the level is not ready.
    std::string problem;
    std::string LogText() const { return harness_.LogText(); }

    // The scene drawn again as it stands, without stepping the level, with a
    // screenshot when asked.
    void Draw(bool screenshot)
    {
        if (screenshot) {
            Platform::InputDevice::Deliver(
                Platform::InputEvent{Platform::InputDeviceKind::Keyboard, kPrintScreenCode, Platform::kInputDownFlag});
        }
        engine->PreFrame();
        engine->Frame(0);
        if (screenshot) {
            Platform::InputDevice::Deliver(
                Platform::InputEvent{Platform::InputDeviceKind::Keyboard, kPrintScreenCode, 0});
        }
    }

    // The numbered screenshot the engine wrote, as the operating system names it.
    std::string CapturePath(std::uint32_t number) const
    {
        char name[32];
        std::snprintf(name, sizeof(name), "ScreenCaptures/picture%03u.bmp", number);
        return harness_.Native(name);
    }

    static GameFramework::LanguageInfo English()
    {
        GameFramework::LanguageInfo language;
        language.code = "en";
        language.name = "english";
        return language;
    }

private:
    static constexpr std::uint8_t kPrintScreenCode = 0xB7;

    EngineTests::NullEngine harness_;
    std::int32_t cameraType_ = 1;
    float cameraValue_ = 1.0f;

public:
    OrrelayEngine::Engine* engine = nullptr;
    std::unique_ptr<Tansywell::GameData> gameData;
    std::unique_ptr<Tansywell::LevelManager> campaign;
    GameFramework::StageRecord* stage = nullptr;
    Tansywell::GameLevelRecord* level = nullptr;
    std::unique_ptr<Tansywell::GameLogicData> logicData;
    std::unique_ptr<Tansywell::GameLogic> logic;
};

} // namespace GameTests
