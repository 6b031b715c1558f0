// The form the welcome, new-profile and rename dialogs share: the name edit
// box, the confirming button on the small window's first button place and the
// other button on the second, and the rule that confirms a name. The name is
// the typed text without the blanks around it; it is trimmed again only when
// the typed text changes, so that an open dialog allocates nothing per frame.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/core/Color.h"

namespace OrrelayEngine {
class Controls;
class Engine;
class GUIWindow;
} // namespace OrrelayEngine

namespace Tansywell {

class GameData;
class GUIControl;

class ProfileNameForm
{
public:
    // Appends the edit box and the two buttons to controls, in that order.
    ProfileNameForm(OrrelayEngine::Engine* engine, const GameData* data, OrrelayEngine::GUIWindow* frameWindow,
                    std::vector<GUIControl*>& controls);
    ~ProfileNameForm();

    ProfileNameForm(const ProfileNameForm&) = delete;
    ProfileNameForm& operator=(const ProfileNameForm&) = delete;

    void SetText(const std::wstring& text);
    // The typed text, trimmed.
    const std::wstring& GetName();

    // Enables the confirming button exactly while the name is not blank; true
    // when it was clicked, or ENTER went down this frame while it is enabled.
    bool UpdateConfirm();
    bool WasOtherClicked() const;
    // The prompt and both captions (the confirming one reads "OK").
    void PrintTexts(OrrelayEngine::GUIWindow* frameWindow, const std::string& otherCaptionKey,
                    const OrrelayEngine::Color& colour) const;

    GUIControl* GetEditControl() const { return edit_.get(); }
    GUIControl* GetConfirmControl() const { return confirm_.get(); }
    GUIControl* GetOtherControl() const { return other_.get(); }

private:
    OrrelayEngine::Controls* input_;
    std::unique_ptr<GUIControl> edit_;
    std::unique_ptr<GUIControl> confirm_;
    std::unique_ptr<GUIControl> other_;
    std::wstring typed_;
    std::wstring name_;
};

} // namespace Tansywell
