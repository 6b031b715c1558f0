#include "game/gui/GUIProfilesWindow.h"

#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIScroll.h"
#include "engine/gui/GUIWindow.h"
#include "engine/scene/Model.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "game/GameData.h"
#include "game/gui/GUIControl.h"
#include "game/gui/GUIMenuParts.h"

namespace Tansywell {

namespace {

using OrrelayEngine::Vector2;

constexpr std::uint32_t kFrameKind = 1;
constexpr float kFirstRowAbove = 153.0f;
constexpr float kRowStep = 22.0f;
constexpr std::uint32_t kFontRow = 3;
constexpr std::uint32_t kFontSelectedRow = 4;
constexpr std::uint32_t kFontRowUnderMouse = 5;
constexpr std::uint32_t kRowFonts[] = {kFontRow, kFontSelectedRow, kFontRowUnderMouse};
// Room left free at each end of a row.
constexpr float kRowTextInset = 4.0f;

const std::string kTitleKey = "PROFILES_TITLE";
const std::string kCaptionKeys[GUIProfilesWindow::kButtonCount] = {"PROFILES_NEW", "PROFILES_RENAME", "PROFILES_DELETE",
                                                                   "PROFILES_DONE"};
const std::wstring kNoName;

std::size_t RowFontSlot(std::uint32_t font)
{
    return font == kFontSelectedRow ? 1 : (font == kFontRowUnderMouse ? 2 : 0);
}

} // namespace

GUIProfilesWindow::GUIProfilesWindow(OrrelayEngine::Engine* engine, GameFramework::Mixer* mixer,
                                     GameFramework::ProfileManagerBase* profileManager, const GameData* data,
                                     GUIMenuWindowManager* manager, OrrelayEngine::GUIWindow* parent)
    : GUIProfilesWindowBase(engine, profileManager), GUIMenuWindow(engine, mixer, data, manager, kFrameKind, parent)
{
    const OrrelayEngine::Model* text = data->profiles.text;
    listArea_ =
        std::make_unique<GUIControl>(engine, data, GUIControl::kWindow, text, text, nullptr, text, frameWindow_);
    controls_.push_back(listArea_.get());
    scrollControl_ = std::make_unique<GUIControl>(engine, data, GUIControl::kScrollVertical, data->profiles.scroll,
                                                  data->controls.scrollV.scroll, nullptr, nullptr, frameWindow_);
    controls_.push_back(scrollControl_.get());
    scroll_ = scrollControl_->scroll;
    // Position 0 shows the top of the list.
    scroll_->SetInverted(true);
    for (std::uint32_t i = 0; i < kButtonCount; ++i) {
        buttons_[i] =
            GUIMenuParts::MakeButton(engine, data, data->profiles.button[i], data->controls.buttonSmall, frameWindow_);
        controls_.push_back(buttons_[i].get());
    }

    // Rows are laid out from the list area's world box: centred across it,
    // the first one 153 above its bottom edge.
    const OrrelayEngine::BoundingBox& box = text->box;
    const float x = box.worldMin.x + (box.halfSize.x * 2.0f - kRowWidth) / 2.0f;
    for (std::uint32_t i = 0; i < kRowCount; ++i) {
        const float y = box.worldMin.y + kFirstRowAbove - static_cast<float>(i) * kRowStep;
        rows_[i] = guiManager_->CreateButton(0, Vector2(x, y), Vector2(kRowWidth, kRowHeight), nullptr, frameWindow_);
    }
}

GUIProfilesWindow::~GUIProfilesWindow()
{
    for (OrrelayEngine::GUIButton* row : rows_)
        guiManager_->DeleteButton(row);
}

const std::wstring& GUIProfilesWindow::GetRowName(std::uint32_t row) const
{
    const std::size_t index = static_cast<std::size_t>(scroll_->GetPositionIndex()) + row;
    return index < names_.size() ? names_[index] : kNoName;
}

const std::wstring& GUIProfilesWindow::GetRowText(std::uint32_t row, std::uint32_t font) const
{
    const std::vector<std::wstring>& fitted = fittedNames_[RowFontSlot(font)];
    const std::size_t index = static_cast<std::size_t>(scroll_->GetPositionIndex()) + row;
    return index < fitted.size() ? fitted[index] : kNoName;
}

void GUIProfilesWindow::FitNames()
{
    OrrelayEngine::GUIFontManager* fonts = guiManager_->GetFontManager();
    for (std::uint32_t font : kRowFonts) {
        std::vector<std::wstring>& fitted = fittedNames_[RowFontSlot(font)];
        fitted.clear();
        for (const std::wstring& name : names_)
            fitted.push_back(GUIMenuParts::FitText(fonts->FindFont(font), name, kRowWidth - 2.0f * kRowTextInset));
    }
}

void GUIProfilesWindow::Show()
{
    GUIProfilesWindowBase::Show();
    SetShown(true);
    SetTitleKey(kTitleKey);

    names_.clear();
    const GameFramework::ProfileBase* current = profileManager_->GetCurrentProfile();
    if (current != nullptr)
        names_.push_back(current->GetName());
    const std::uint32_t count = profileManager_->GetProfileCount();
    for (std::uint32_t i = 0; i < count; ++i) {
        const GameFramework::ProfileBase* profile = profileManager_->GetProfile(i);
        if (profile != nullptr && profile != current)
            names_.push_back(profile->GetName());
    }
    FitNames();

    const auto listed = static_cast<std::uint32_t>(names_.size());
    for (std::uint32_t i = 0; i < kRowCount; ++i) {
        if (i < listed)
            rows_[i]->SetFlags(OrrelayEngine::GUIWindow::kFlagShown);
        else
            rows_[i]->ClearFlags(OrrelayEngine::GUIWindow::kFlagShown);
    }
    const bool scrolls = listed > kRowCount;
    scroll_->SetEnabled(scrolls);
    scroll_->SetPositionCount(scrolls ? listed - kRowCount + 1 : 2);
    scroll_->SetPosition(0u);
}

void GUIProfilesWindow::Hide()
{
    GUIProfilesWindowBase::Hide();
    SetShown(false);
}

void GUIProfilesWindow::Update()
{
    GUIProfilesWindowBase::Update();
    GUIMenuWindow::Update();
    if (!frameWindow_->IsVisible())
        return;
    UpdateRows();
    UpdateButtons();
}

void GUIProfilesWindow::UpdateRows()
{
    for (std::uint32_t i = 0; i < kRowCount && rows_[i]->IsVisible(); ++i) {
        OrrelayEngine::GUIButton* row = rows_[i];
        const std::wstring& name = GetRowName(i);
        if (row->IsClicked()) {
            if (GameFramework::ProfileBase* profile = profileManager_->FindProfile(name))
                profileManager_->SetCurrentProfile(profile, true);
        }
        const GameFramework::ProfileBase* current = profileManager_->GetCurrentProfile();
        const bool selected = current != nullptr && current->GetName() == name;
        row->SetEnabled(!selected);
        const std::uint32_t font = selected ? kFontSelectedRow : (row->IsMouseOver() ? kFontRowUnderMouse : kFontRow);
        row->PrintText(GUIMenuParts::kAlignCentred, font, Vector2(0.0f, 0.0f), color_, GetRowText(i, font));
    }
}

void GUIProfilesWindow::UpdateButtons()
{
    // Without a current profile (a damaged list) there is nothing to rename or delete.
    const GameFramework::ProfileBase* current = profileManager_->GetCurrentProfile();
    if (GUIMenuParts::WasClicked(*buttons_[kNew]))
        result_ = kResultNew;
    if (GUIMenuParts::WasClicked(*buttons_[kRename]) && current != nullptr) {
        result_ = kResultRename;
        selectedName_ = current->GetName();
    }
    if (GUIMenuParts::WasClicked(*buttons_[kDelete]) && current != nullptr) {
        result_ = kResultDelete;
        selectedName_ = current->GetName();
    }
    if (GUIMenuParts::WasClicked(*buttons_[kDone]))
        result_ = kResultBack;
    for (std::uint32_t i = 0; i < kButtonCount; ++i)
        GUIMenuParts::PrintCaption(*buttons_[i], kCaptionKeys[i], color_);
}

} // namespace Tansywell
