// The one object through which the menu screens and the game reach the menu
// background, and the holder of the "free" flag that lets only one menu screen
// open or close at a time.
#pragma once

#include <string>

namespace Tansywell {

class GUIBackgroundWindow;

class GUIMenuWindowManager
{
public:
    // The background is borrowed.
    explicit GUIMenuWindowManager(GUIBackgroundWindow* background);
    virtual ~GUIMenuWindowManager();
    GUIMenuWindowManager(const GUIMenuWindowManager&) = delete;
    GUIMenuWindowManager& operator=(const GUIMenuWindowManager&) = delete;

    // Once per frame, after the background: frees the menus once it is ready.
    void Update();

    // No menu screen is opening or closing; written directly by the menu screens.
    bool free = false;

    GUIBackgroundWindow* GetBackground() const { return background_; }
    void ShowBackground();
    void ShowUpgradeScene();
    void StartPlaceAppearance();
    void UpdateReachedPlaces();
    bool IsTransitionDone() const;
    // The background has faded fully in, or fully out.
    bool IsFadeFinished() const;
    void RequestTitleArea(bool open);
    bool IsTitleAreaOpen() const;
    bool IsTitleAreaFreshlyOpened() const;
    void ClearTitleAreaOpened();
    bool IsTitleAreaClosed() const;
    void SetTitle(const std::wstring& text);
    void SetTextKey(const std::string& key);
    bool IsTextPrinted() const;
    void ClearText();

private:
    GUIBackgroundWindow* background_;
};

} // namespace Tansywell
