// The body of the three yes-or-no questions asked over a level (restart,
// leave for the menu, quit the program): their yes and no buttons in the small
// window and the three lines of the question.
#pragma once

#include <vector>

namespace OrrelayEngine {
class Engine;
class GUIWindow;
struct Color;
} // namespace OrrelayEngine

namespace Tansywell {

class GameData;
class GUIControl;

class GUIGameLogicQuestion
{
public:
    static constexpr float kFirstLineY = 148.0f;
    static constexpr float kLineStepY = 23.0f;

    // The buttons are made under frameWindow and appended to controls.
    GUIGameLogicQuestion(OrrelayEngine::Engine* engine, const GameData* data, OrrelayEngine::GUIWindow* frameWindow,
                         std::vector<GUIControl*>& controls);
    ~GUIGameLogicQuestion();

    GUIGameLogicQuestion(const GUIGameLogicQuestion&) = delete;
    GUIGameLogicQuestion& operator=(const GUIGameLogicQuestion&) = delete;

    void PrintTexts(const OrrelayEngine::Color& colour) const;
    bool IsYesClicked() const;
    bool IsNoClicked() const;

    GUIControl* GetYes() const { return yes_; }
    GUIControl* GetNo() const { return no_; }

private:
    OrrelayEngine::GUIWindow* frameWindow_;
    GUIControl* yes_;
    GUIControl* no_;
};

} // namespace Tansywell
