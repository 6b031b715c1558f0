// The short wait before a level: once the menu background is ready it prints
// "LOADING" in its text panel; once the background has come in and the word
// is fully printed, the next frame loads the level's resource set and answers 1.
#pragma once

#include "framework/gui/GUILoadingWindowBase.h"

namespace Tansywell {

class GUIMenuWindowManager;

class GUIGameLogicLoadingWindow : public GameFramework::GUILoadingWindowBase
{
public:
    static constexpr std::uint32_t kResultLoaded = 1;

    GUIGameLogicLoadingWindow(OrrelayEngine::Engine* engine, GUIMenuWindowManager* manager);
    ~GUIGameLogicLoadingWindow() override;

    void Update() override;
    void Show(GameFramework::DataKeeper* dataKeeper) override;
    void Hide() override;

    bool IsTextAsked() const { return textAsked_; }

private:
    GUIMenuWindowManager* manager_;
    bool shown_ = false;
    bool textAsked_ = false;
    bool loadNext_ = false;
};

} // namespace Tansywell
