#include "game/gui/GUIGameLoadingWindow.h"

#include "engine/core/Engine.h"
#include "game/GameData.h"
#include "game/gui/GUIBackgroundWindow.h"
#include "game/gui/GUIGameCursor.h"

namespace Tansywell {

GUIGameLoadingWindow::GUIGameLoadingWindow(OrrelayEngine::Engine* engine, GUIGameCursor* cursor,
                                           GUIBackgroundWindow* background)
    : GUILoadingWindowBase(engine), guiManager_(engine->GetGUIManager()), cursor_(cursor), background_(background)
{}

GUIGameLoadingWindow::~GUIGameLoadingWindow() = default;

void GUIGameLoadingWindow::Update()
{
    GUILoadingWindowBase::Update();
    if (background_ == nullptr || !background_->IsWaitingForLoad()) {
        return;
    }
    Run();
    const auto* data = dynamic_cast<const GameData*>(dataKeeper_);
    if (cursor_ != nullptr && data != nullptr) {
        cursor_->SetParticleSystems(data);
    }
    background_->SetResourceSet(data);
    SetResult(1);
}

} // namespace Tansywell
