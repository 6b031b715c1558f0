// The whole game, every screen of its own, drawn by OpenGL into the offscreen
// video driver's window at a chosen size, with its screens and flow helpers
// open to the screenshot tests, a hook that runs once the screens have queued
// the frame's texts (before the frame renders them), and the frame drawn
// again into pictures with and without its texts.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "engine/core/Engine.h"
#include "engine/core/EngineSettings.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/render/Image.h"
#include "engine/render/RenderSystem.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelManager.h"
#include "game/Game.h"
#include "game/GameLoader.h"
#include "game/gui/GUIMenuWindow.h"
#include "tests/game/screens/ScreenLayoutFacts.h"

namespace ScreenTests {

class ScreenshotGame : public Tansywell::Game
{
public:
    using GameBase::continueGameLogicWindow_;
    using GameBase::deleteProfileWindow_;
    using GameBase::exitWindow_;
    using GameBase::gameCompleteWindow_;
    using GameBase::gameLogic_;
    using GameBase::gameLogicGameExitWindow_;
    using GameBase::gameLogicMenuExitWindow_;
    using GameBase::gameLogicMenuWindow_;
    using GameBase::gameLogicPauseWindow_;
    using GameBase::gameLogicRestartWindow_;
    using GameBase::gameLogicWindow_;
    using GameBase::gameOverWindow_;
    using GameBase::helpWindow_;
    using GameBase::highScoresTable_;
    using GameBase::highScoresWindow_;
    using GameBase::levelCompleteWindow_;
    using GameBase::loadingWindow_;
    using GameBase::mainMenuWindow_;
    using GameBase::newProfileWindow_;
    using GameBase::optionsWindow_;
    using GameBase::profileManager_;
    using GameBase::profileNameConflictWindow_;
    using GameBase::profilesWindow_;
    using GameBase::renameProfileWindow_;
    using GameBase::startGameLogicWindow_;
    using GameBase::welcomeWindow_;

    using GameBase::CloseLevel;
    using GameBase::PauseLevel;
    using GameBase::ShowHighScoresAfterGame;
    using GameBase::StartLevel;

    ScreenshotGame(std::uint32_t width, std::uint32_t height)
        : Game(Tansywell::GameLoader::kMakerName, Tansywell::GameLoader::kProductName, 104, InitLater{}),
          videoMode_(std::to_string(width) + "x" + std::to_string(height) + "x32")
    {
        Init();
    }

    void FillEngineSettings(OrrelayEngine::EngineSettings& settings) override
    {
        Game::FillEngineSettings(settings);
        settings.videoMode = videoMode_;
        settings.forceVideoMode = true;
        // Full screen, as the game starts: a window may not be as large as the desktop.
        settings.fullscreenDefault = true;
        settings.minimizeOnFocusLoss = false;
    }

    void UpdateWindows() override
    {
        Game::UpdateWindows();
        if (afterWindowsUpdate) {
            afterWindowsUpdate();
        }
    }

    // The last frame drawn again, its texts left out when asked; the
    // picture's rows top first.
    ScreenLayoutFacts::Picture Draw(bool withTexts)
    {
        OrrelayEngine::GUIFontManager* fonts = engine_->GetGUIManager()->GetFontManager();
        std::vector<OrrelayEngine::Model*> hidden;
        for (std::uint32_t i = 0; !withTexts && i < fonts->GetBatchCount(); ++i) {
            OrrelayEngine::Model* model = fonts->GetBatch(i)->GetModel();
            if ((model->GetFlags() & OrrelayEngine::Model::kFlagVisible) != 0) {
                model->ClearFlags(OrrelayEngine::Model::kFlagVisible);
                hidden.push_back(model);
            }
        }
        engine_->GetModelManager()->RenderAll();
        for (OrrelayEngine::Model* model : hidden) {
            model->SetFlags(OrrelayEngine::Model::kFlagVisible);
        }
        OrrelayEngine::Image image;
        engine_->GetRenderSystem()->CopyScreenToImage(image);
        ScreenLayoutFacts::Picture picture;
        picture.width = image.GetWidth();
        picture.height = image.GetHeight();
        picture.rgb.resize(static_cast<std::size_t>(picture.width) * picture.height * 3);
        const std::uint32_t bytes = image.GetBitsPerPixel() / 8;
        for (std::uint32_t row = 0; row < picture.height; ++row) {
            const std::uint8_t* from =
                image.GetData() + static_cast<std::size_t>(picture.height - 1 - row) * picture.width * bytes;
            std::uint8_t* to = picture.rgb.data() + static_cast<std::size_t>(row) * picture.width * 3;
            for (std::uint32_t x = 0; x < picture.width; ++x) {
                to[x * 3 + 0] = from[x * bytes + 0];
                to[x * 3 + 1] = from[x * bytes + 1];
                to[x * 3 + 2] = from[x * bytes + 2];
            }
        }
        return picture;
    }

    // Runs once per frame between the screens' updates and the render.
    std::function<void()> afterWindowsUpdate;

private:
    std::string videoMode_;
};

// The menu base's state the screens keep to themselves.
struct MenuWindowView : Tansywell::GUIMenuWindow
{
    static OrrelayEngine::GUIWindow* Frame(const Tansywell::GUIMenuWindow& screen)
    {
        return screen.*(&MenuWindowView::frameWindow_);
    }
    // Open, faded in and no control still animating.
    static bool IsOpen(const Tansywell::GUIMenuWindow& screen)
    {
        return screen.IsActive() && (screen.*(&MenuWindowView::color_)).a >= 1.0f && !screen.AnyControlAnimating();
    }
};

} // namespace ScreenTests
