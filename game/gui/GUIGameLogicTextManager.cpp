#include "game/gui/GUIGameLogicTextManager.h"

#include <algorithm>
#include <string>

#include "engine/core/Engine.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "game/gui/GUIGameLogicText.h"
#include "game/gui/WideNumberText.h"

namespace Tansywell {

GUIGameLogicTextManager::GUIGameLogicTextManager(OrrelayEngine::Engine* engine, OrrelayEngine::GUIWindow* parent)
    : engine_(engine), guiManager_(engine->GetGUIManager())
{
    const OrrelayEngine::Vector2 screen(guiManager_->GetScreenWidth(), guiManager_->GetScreenHeight());
    window_ = guiManager_->CreateWindowFromModel(OrrelayEngine::GUIWindow::kFlagShown, OrrelayEngine::Vector2(), screen,
                                                 nullptr, parent);
    window_->SetDepthOrder(kDepthOrder);
}

GUIGameLogicTextManager::~GUIGameLogicTextManager()
{
    texts_.clear();
    guiManager_->DeleteWindow(window_);
}

void GUIGameLogicTextManager::AddText(std::uint32_t score, const OrrelayEngine::Vector2& position)
{
    std::wstring text = L"+";
    AppendUnsignedWide(text, score);
    texts_.push_back(std::make_unique<GUIGameLogicText>(engine_, position, text, window_));
}

void GUIGameLogicTextManager::Update()
{
    for (const std::unique_ptr<GUIGameLogicText>& text : texts_)
        text->Update();
    texts_.erase(std::remove_if(texts_.begin(), texts_.end(),
                                [](const std::unique_ptr<GUIGameLogicText>& text) { return !text->IsAlive(); }),
                 texts_.end());
}

} // namespace Tansywell
