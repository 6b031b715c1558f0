// The question put to a player with a game under way: continue it (14), start
// a new one (13) or go back (3). It shows the level and the total score of
// the game under way, taken from the current profile at Show.
#pragma once

#include <string>

#include "framework/LevelPosition.h"
#include "framework/gui/GUIContinueGameLogicWindowBase.h"
#include "game/gui/GUIMenuWindow.h"

namespace GameFramework {
class ProfileManagerBase;
} // namespace GameFramework

namespace Tansywell {

class GUIContinueGameLogicWindow : public GameFramework::GUIContinueGameLogicWindowBase, public GUIMenuWindow
{
public:
    static constexpr std::uint32_t kResultContinue = 14;
    static constexpr std::uint32_t kResultNewGame = 13;
    static constexpr std::uint32_t kResultCancel = 3;

    GUIContinueGameLogicWindow(OrrelayEngine::Engine* engine, GameFramework::Mixer* mixer, const GameData* data,
                               GameFramework::ProfileManagerBase* profileManager, GUIMenuWindowManager* manager,
                               OrrelayEngine::GUIWindow* parent);
    ~GUIContinueGameLogicWindow() override;

    void Update() override;
    void Show() override;
    void Hide() override;

    GUIControl* GetContinue() const { return continue_; }
    GUIControl* GetNewGame() const { return newGame_; }
    GUIControl* GetCancel() const { return cancel_; }
    std::uint32_t GetScore() const { return score_; }
    const GameFramework::LevelPosition& GetPosition() const { return position_; }

private:
    void PrintTexts();

    GameFramework::ProfileManagerBase* profileManager_;
    GUIControl* continue_;
    GUIControl* newGame_;
    GUIControl* cancel_;
    OrrelayEngine::GUIWindow* labels_;
    OrrelayEngine::GUIWindow* values_;
    std::uint32_t score_ = 0;
    GameFramework::LevelPosition position_;
    std::wstring line_;
};

} // namespace Tansywell
