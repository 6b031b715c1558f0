#include "tools/GUIGameCursorBase.h"

#include "engine/core/Config.h"
#include "engine/core/ConfigVariable.h"
#include "engine/core/Engine.h"
#include "engine/core/Window.h"
#include "engine/gui/GUICursor.h"
#include "engine/gui/GUIManager.h"
#include "engine/input/Controls.h"

namespace GameTools {

using namespace OrrelayEngine;

GUIGameCursorBase::GUIGameCursorBase(Engine* engine)
    : engine_(engine), log_(engine->GetMessageManager()), window_(engine->GetWindow()), config_(engine->GetConfig()),
      guiManager_(engine->GetGUIManager()), controls_(engine->GetControls())
{
    // A value read from the .ini file takes over at registration.
    config_->AddVariable(kCustomCursorVariable, kConfigBoolean, false, true, &customCursorSetting_, "1", true);
    customCursorInUse_ = customCursorSetting_;
    GUIGameCursorBase::SetVisible(false);
}

GUIGameCursorBase::~GUIGameCursorBase()
{
    for (auto& entry : cursors_) {
        guiManager_->DeleteCursor(entry.second.guiCursor);
    }
    // The storage goes with this object; the value lives on in the configuration.
    config_->SetReadOnly(kCustomCursorVariable);
    cursors_.clear();
    current_ = nullptr;
}

bool GUIGameCursorBase::Update()
{
    if (config_->IsChanged(kCustomCursorVariable)) {
        const bool visible = IsVisible();
        if (visible) {
            SetVisible(false);
        }
        customCursorInUse_ = customCursorSetting_;
        if (visible) {
            SetVisible(true);
        }
    }
    return IsVisible();
}

void GUIGameCursorBase::SetVisible(bool visible)
{
    if (customCursorInUse_ != 0 && current_ != nullptr) {
        current_->guiCursor->SetVisible(visible);
    } else {
        controls_->ShowCursor(visible);
    }
}

void GUIGameCursorBase::AddCursor(std::uint32_t id, std::uint32_t cursorResourceId, GUICursor* cursor)
{
    if (cursor == nullptr) {
        return;
    }
    cursor->SetVisible(false);
    CursorEntry& entry = cursors_[id];
    if (entry.guiCursor != nullptr && entry.guiCursor != cursor) {
        guiManager_->DeleteCursor(entry.guiCursor);
    }
    entry.systemCursor = window_->LoadCursor(cursorResourceId);
    entry.guiCursor = cursor;
}

void GUIGameCursorBase::SetCursor(std::uint32_t id)
{
    if (id == currentId_) {
        return;
    }
    currentId_ = id;
    const auto found = cursors_.find(id);
    if (found == cursors_.end()) {
        return;
    }
    CursorEntry* next = &found->second;
    if (current_ != nullptr && customCursorInUse_ != 0 && IsVisible()) {
        current_->guiCursor->SetVisible(false);
        next->guiCursor->SetVisible(true);
    }
    current_ = next;
    window_->SetCursor(next->systemCursor);
}

bool GUIGameCursorBase::IsVisible() const
{
    if (customCursorInUse_ != 0 && current_ != nullptr) {
        return current_->guiCursor->IsVisible();
    }
    return controls_->IsCursorVisible();
}

GUICursor* GUIGameCursorBase::GetCurrentGUICursor() const
{
    return current_ != nullptr ? current_->guiCursor : nullptr;
}

} // namespace GameTools
