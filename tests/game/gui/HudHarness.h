// The head-up display, the in-game screens and the result screens over the
// menu harness: every model they read is a quad of its own (buttons placed by
// their layout quads, their looks centred on the origin, so a button's centre
// is its layout quad's centre), the two particle templates are made in code,
// and a level of one column of four cells (kinds 0 0 1 0, one swap clears a
// layer) can be played.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/gui/GUIButton.h"
#include "engine/scene/ParticleSystem.h"
// The menu harness holds sound buffers by unique_ptr; GCC wants them complete.
#include "engine/sound/SoundBuffer.h"
#include "framework/StageRecord.h"
#include "game/CellRecord.h"
#include "game/GameLevelRecord.h"
#include "game/GameLogicData.h"
#include "game/gui/GUIControl.h"
#include "game/logic/Board.h"
#include "game/logic/BoardItem.h"
#include "game/logic/BoardItemPoolNull.h"
#include "game/logic/Cell.h"
#include "game/logic/GameLogic.h"
#include "game/logic/ItemManager.h"
#include "platform/InputDevice.h"
#include "tests/game/gui/MenuHarness.h"

namespace HudTests {

using OrrelayEngine::Vector2;

class HudHarness : public MenuTests::MenuHarness
{
public:
    HudHarness()
    {
        Tansywell::GameData& data = t.data;
        auto quad = [this](const char* name, float x0, float y0, float x1, float y1, std::uint32_t frames = 1) {
            return Template(name, MenuTests::MakeQuad(x0, y0, x1, y1, frames));
        };
        // Looks and their areas are centred on the origin.
        auto look = [&quad](const char* name, Tansywell::GameData::ButtonLook& button) {
            button.look = quad(name, -40, -15, 40, 15);
            button.selectionArea = button.look;
            button.textArea = button.look;
        };
        look("button_big", data.controls.buttonBig);
        look("button_small", data.controls.buttonSmall);
        look("button_mode", data.controls.buttonGameLogicMode);
        look("button_minimize", data.controls.buttonGameLogicMinimize);
        look("button_maximize", data.controls.buttonGameLogicMaximize);
        look("button_close", data.controls.buttonGameLogicClose);
        data.controls.checkBox = quad("check_box", -10, -10, 10, 10);
        data.controls.upgrade = quad("upgrade_look", 0, 0, 100, 100, 8);
        data.controls.scrollH.scroll = quad("scroll_h", 300, 300, 500, 320);
        data.controls.scrollH.toddler = quad("toddler", 300, 300, 310, 320);
        data.controls.scrollH.toddlerMin = data.controls.scrollH.toddler;
        data.controls.scrollH.toddlerMax = quad("toddler_max", 490, 300, 500, 320);

        for (auto* window : {&data.smallWindow.window, &data.bigWindow.window})
            *window = quad("window", 100, 100, 700, 500);
        data.smallWindow.windowArea = data.smallWindow.window;
        data.bigWindow.windowArea = data.bigWindow.window;
        data.smallWindow.button[0] = quad("small_0", 150, 120, 250, 160);
        data.smallWindow.button[1] = quad("small_1", 450, 120, 550, 160);
        data.bigWindow.button[0] = quad("big_0", 150, 170, 250, 210);
        data.bigWindow.button[1] = quad("big_1", 350, 170, 450, 210);
        data.bigWindow.button[2] = quad("big_2", 550, 170, 650, 210);
        data.gameLogicMenu.sliderSound = data.controls.scrollH.scroll;
        data.gameLogicMenu.sliderMusic = quad("slider_music", 300, 350, 500, 370);
        data.gameLogicMenu.fullscreenCheckBox = quad("fullscreen_box", 290, 400, 310, 420);
        data.gameLogicMenu.relaxCheckBox = quad("relax_box", 290, 430, 310, 450);

        auto& hud = data.gameLogic;
        hud.background = quad("hud_background", 0, 0, 800, 600);
        hud.menuButton = quad("menu_button", 10, 560, 90, 590);
        hud.modeButton = quad("mode_button", 100, 560, 180, 590);
        hud.minimizeButton = quad("minimize_button", 600, 560, 680, 590);
        hud.maximizeWindowButton = quad("to_window", 690, 560, 740, 590);
        hud.maximizeFullscreenButton = quad("to_fullscreen", 690, 520, 740, 550);
        hud.closeButton = quad("close_button", 750, 560, 790, 590);
        hud.levelName = quad("level_name", 200, 560, 300, 590);
        hud.levelNameTextArea = hud.levelName;
        hud.levelNameTitleTextArea = quad("level_title", 200, 590, 300, 600);
        hud.score = quad("score", 310, 560, 410, 590);
        hud.scoreTextArea = hud.score;
        hud.scoreTitleTextArea = quad("score_title", 310, 590, 410, 600);
        hud.manaBackground = quad("mana_background", 10, 100, 40, 500);
        hud.mana = quad("mana", 15, 105, 35, 495, 2);
        hud.manaTextArea = quad("mana_text", 10, 60, 40, 100);
        hud.energyBackground = quad("energy_background", 760, 100, 790, 500);
        hud.energy = quad("energy", 765, 105, 785, 495, 2);
        hud.energyTextArea = quad("energy_text", 760, 60, 790, 100);

        auto& results = data.levelComplete;
        results.frame = quad("level_complete_frame", 120, 120, 680, 480);
        results.upgrade = quad("level_complete_upgrade", 300, 300, 400, 400);
        results.manaBackground = quad("results_mana_background", 200, 250, 600, 280);
        results.mana = quad("results_mana", 205, 255, 595, 275, 2);
        results.manaTextArea = quad("results_mana_text", 200, 280, 600, 300);

        manaProgress.reset(t.engine->GetParticleSystemManager()->CreateSelfMade(nullptr));
        manaToProgress.reset(t.engine->GetParticleSystemManager()->CreateSelfMade(nullptr));
        data.manaProgress = manaProgress.get();
        data.manaToProgress = manaToProgress.get();
    }

    ~HudHarness()
    {
        t.data.manaProgress = nullptr;
        t.data.manaToProgress = nullptr;
    }

    // The centre of a layout quad.
    static Vector2 Centre(const OrrelayEngine::Model* layout) { return Tansywell::GUIControl::ModelPosition(layout); }

    // The mouse pressed over the point in one frame and released in the
    // next, in which the screens see the click.
    void ClickAt(const Vector2& point)
    {
        PointAt(point.x, point.y);
        Click();
    }

    // A key goes down before a frame and comes up after it.
    void Key(std::uint16_t code)
    {
        Deliver(code, true);
        Step();
        Deliver(code, false);
        Step();
    }
    static void Deliver(std::uint16_t code, bool down)
    {
        Platform::InputDevice::Deliver(
            Platform::InputEvent{Platform::InputDeviceKind::Keyboard, code, down ? Platform::kInputDownFlag : 0});
    }

    // The level: one column of cells at y = 0, 2, 4, 6 holding kinds 0 0 1 0.
    Tansywell::GameLogic& StartLevel(std::uint32_t lastLayers = 1, std::uint32_t levelIndex = 0)
    {
        level.kindCount = 2;
        level.energyFactor = 1.0f;
        level.stageIndex = 1;
        level.levelIndex = levelIndex;
        // The level's board camera: flat and tilted heights and shifts, tilted distance.
        level.cameraName = "hud_camera";
        WriteText("data/boards/hud_camera.ini", "100 10 300 20 400\n");
        Tansywell::GameLogicData::Board board;
        board.width = 1;
        board.height = 7;
        for (std::uint32_t i = 0; i < 4; ++i) {
            Tansywell::CellRecord cell;
            cell.y = 2 * i;
            cell.layerCount = i == 3 ? lastLayers : 1;
            cell.firstTranslation = OrrelayEngine::Vector3(0.0f, 10.0f * static_cast<float>(i), 0.0f);
            board.cells.push_back(cell);
        }
        levelData = std::make_unique<Tansywell::GameLogicData>(t.engine, GameTests::GameDataTestEngine::MakeLanguage(),
                                                               &stage, &level);
        levelData->SetBoard(board);
        logic = std::make_unique<Tansywell::GameLogic>(t.engine, profiles.get(), nullptr, &t.data, levelData.get(),
                                                       &stage, &level, 0, nullptr);
        Tansywell::Board& b = *logic->GetBoard();
        const std::uint32_t kinds[] = {0, 0, 1, 0};
        for (std::uint32_t i = 0; i < 4; ++i) {
            Tansywell::Cell* cell = b.GetCellAt(i);
            logic->GetItemManager()->DestroyItem(b.GetItem(cell));
            Tansywell::BoardItem* item = logic->GetItemManager()->GetItem(kinds[i]);
            item->SetHome(cell->GetTopPosition());
            item->Spawn();
            b.SetItem(cell, item);
        }
        logic->GetItemManager()->Update();
        b.ListMoves();
        return *logic;
    }

    // The player swaps the last two cells; the level resolves the group in
    // the following frames.
    void Swap()
    {
        Tansywell::Board& b = *logic->GetBoard();
        b.Step(b.GetCellAt(2), true, false);
        b.Step(b.GetCellAt(3), true, false);
    }

    std::unique_ptr<OrrelayEngine::ParticleSystem> manaProgress;
    std::unique_ptr<OrrelayEngine::ParticleSystem> manaToProgress;
    GameFramework::StageRecord stage;
    Tansywell::GameLevelRecord level;
    std::unique_ptr<Tansywell::GameLogicData> levelData;
    std::unique_ptr<Tansywell::GameLogic> logic;
};

} // namespace HudTests
