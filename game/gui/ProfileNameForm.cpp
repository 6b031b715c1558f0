#include "game/gui/ProfileNameForm.h"

#include "engine/core/Engine.h"
#include "engine/core/StringHelpers.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIEditBox.h"
#include "engine/input/Controls.h"
#include "game/GameData.h"
#include "game/gui/GUIControl.h"
#include "game/gui/GUIMenuParts.h"

namespace Tansywell {

namespace {

const std::string kEnterKey = "ENTER";
const std::string kPromptKey = "ENTER_YOUR_NAME";
const std::string kConfirmCaptionKey = "OK";
constexpr float kPromptY = 157.0f;

} // namespace

ProfileNameForm::ProfileNameForm(OrrelayEngine::Engine* engine, const GameData* data,
                                 OrrelayEngine::GUIWindow* frameWindow, std::vector<GUIControl*>& controls)
    : input_(engine->GetControls())
{
    edit_ = GUIMenuParts::MakeNameEditBox(engine, data, frameWindow);
    controls.push_back(edit_.get());
    confirm_ = GUIMenuParts::MakeBigButton(engine, data, data->smallWindow.button[0], frameWindow);
    controls.push_back(confirm_.get());
    other_ = GUIMenuParts::MakeBigButton(engine, data, data->smallWindow.button[1], frameWindow);
    controls.push_back(other_.get());
}

ProfileNameForm::~ProfileNameForm() = default;

void ProfileNameForm::SetText(const std::wstring& text)
{
    edit_->editBox->SetText(text);
}

const std::wstring& ProfileNameForm::GetName()
{
    const std::wstring& text = edit_->editBox->GetText();
    if (text != typed_) {
        typed_ = text;
        name_ = OrrelayEngine::TrimWide(text);
    }
    return name_;
}

bool ProfileNameForm::UpdateConfirm()
{
    OrrelayEngine::GUIButton* button = confirm_->button;
    button->SetEnabled(!GetName().empty());
    if (button->IsClicked())
        return true;
    return button->IsEnabled() && input_->WasKeyPressed(kEnterKey);
}

bool ProfileNameForm::WasOtherClicked() const
{
    return GUIMenuParts::WasClicked(*other_);
}

void ProfileNameForm::PrintTexts(OrrelayEngine::GUIWindow* frameWindow, const std::string& otherCaptionKey,
                                 const OrrelayEngine::Color& colour) const
{
    GUIMenuParts::PrintLine(frameWindow, kPromptKey, -1, kPromptY, colour);
    GUIMenuParts::PrintCaption(*confirm_, kConfirmCaptionKey, colour);
    GUIMenuParts::PrintCaption(*other_, otherCaptionKey, colour);
}

} // namespace Tansywell
