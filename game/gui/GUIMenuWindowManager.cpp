#include "game/gui/GUIMenuWindowManager.h"

#include "game/gui/GUIBackgroundWindow.h"

namespace Tansywell {

GUIMenuWindowManager::GUIMenuWindowManager(GUIBackgroundWindow* background) : background_(background)
{}

GUIMenuWindowManager::~GUIMenuWindowManager() = default;

void GUIMenuWindowManager::Update()
{
    if (background_->IsWaitingForMenus()) {
        free = true;
        background_->AcknowledgeReady();
    }
}

void GUIMenuWindowManager::ShowBackground()
{
    background_->ShowBackground();
}

void GUIMenuWindowManager::ShowUpgradeScene()
{
    background_->ShowUpgradeScene();
}

void GUIMenuWindowManager::StartPlaceAppearance()
{
    background_->StartPlaceAppearance();
}

void GUIMenuWindowManager::UpdateReachedPlaces()
{
    background_->UpdateReachedPlaces();
}

bool GUIMenuWindowManager::IsTransitionDone() const
{
    return background_->IsTransitionDone();
}

bool GUIMenuWindowManager::IsFadeFinished() const
{
    return background_->IsFadeFinished();
}

void GUIMenuWindowManager::RequestTitleArea(bool open)
{
    background_->RequestTitleArea(open);
}

bool GUIMenuWindowManager::IsTitleAreaOpen() const
{
    return background_->IsTitleAreaOpen();
}

bool GUIMenuWindowManager::IsTitleAreaFreshlyOpened() const
{
    return background_->IsTitleAreaFreshlyOpened();
}

void GUIMenuWindowManager::ClearTitleAreaOpened()
{
    background_->ClearTitleAreaOpened();
}

bool GUIMenuWindowManager::IsTitleAreaClosed() const
{
    return background_->IsTitleAreaClosed();
}

void GUIMenuWindowManager::SetTitle(const std::wstring& text)
{
    background_->SetTitle(text);
}

void GUIMenuWindowManager::SetTextKey(const std::string& key)
{
    background_->SetTextKey(key);
}

bool GUIMenuWindowManager::IsTextPrinted() const
{
    return background_->IsTextPrinted();
}

void GUIMenuWindowManager::ClearText()
{
    background_->ClearText();
}

} // namespace Tansywell
