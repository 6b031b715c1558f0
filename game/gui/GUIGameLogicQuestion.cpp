#include "game/gui/GUIGameLogicQuestion.h"

#include <string>

#include "engine/core/Color.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIWindow.h"
#include "game/GameData.h"
#include "game/gui/BigButton.h"
#include "game/gui/GUIControl.h"

namespace Tansywell {

namespace {

const std::string kTextLine = "GAME_LOGIC_EXIT_TEXT_";
const std::string kTextYes = "GAME_LOGIC_EXIT_OK";
const std::string kTextNo = "NO";

} // namespace

GUIGameLogicQuestion::GUIGameLogicQuestion(OrrelayEngine::Engine* engine, const GameData* data,
                                           OrrelayEngine::GUIWindow* frameWindow, std::vector<GUIControl*>& controls)
    : frameWindow_(frameWindow), yes_(CreateBigButton(engine, data, data->smallWindow.button[1], frameWindow)),
      no_(CreateBigButton(engine, data, data->smallWindow.button[0], frameWindow))
{
    controls.push_back(yes_);
    controls.push_back(no_);
}

GUIGameLogicQuestion::~GUIGameLogicQuestion()
{
    delete yes_;
    delete no_;
}

void GUIGameLogicQuestion::PrintTexts(const OrrelayEngine::Color& colour) const
{
    for (std::int32_t line = 0; line < 3; ++line) {
        const OrrelayEngine::Vector2 offset(0.0f, kFirstLineY - kLineStepY * static_cast<float>(line));
        frameWindow_->PrintTextKey(1, 2, offset, colour, kTextLine, line);
    }
    yes_->button->PrintTextKey(3, 1, OrrelayEngine::Vector2(), colour, kTextYes);
    no_->button->PrintTextKey(3, 1, OrrelayEngine::Vector2(), colour, kTextNo);
}

bool GUIGameLogicQuestion::IsYesClicked() const
{
    return yes_->button->IsClicked();
}

bool GUIGameLogicQuestion::IsNoClicked() const
{
    return no_->button->IsClicked();
}

} // namespace Tansywell
