#include "game/gui/GUILogosWindow.h"

#include <algorithm>
#include <string>

#include "engine/core/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/file/FileManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/ShaderDescriptor.h"
#include "game/gui/GUIControl.h"

namespace Tansywell {

using OrrelayEngine::GUIWindow;
using OrrelayEngine::Vector2;

namespace {

constexpr float kEpsilon = 0.0001f;
// Shown, middle depth layer, coloured vertices.
constexpr std::uint32_t kPictureFlags = 0xB;
// An 800 x 600 picture in a 1024 x 1024 texture.
const Vector2 kPictureSize(800.0f, 600.0f);
const Vector2 kPictureExtent(0.78125f, 0.5859375f);

std::string PictureName(int index)
{
    return "ui\\menus\\textures\\publisher_" + std::to_string(index) + "_logo_big.jpg";
}

} // namespace

GUILogosWindow::GUILogosWindow(OrrelayEngine::Engine* engine)
    : GUILogosWindowBase(engine), fileManager_(engine->GetFileManager()), guiManager_(engine->GetGUIManager())
{
    first_ = CreatePicture(0);
    second_ = CreatePicture(1);
    if (first_ == nullptr) {
        std::swap(first_, second_);
    }
    if (second_ != nullptr) {
        // The first is drawn over the second.
        first_->SetParent(second_);
    }
}

GUIWindow* GUILogosWindow::CreatePicture(int index) const
{
    if (!fileManager_->Exists("data\\" + PictureName(index))) {
        return nullptr;
    }
    const OrrelayEngine::ShaderDescriptor texture =
        OrrelayEngine::MakeSingleTextureShaderDescriptor(PictureName(index), "32bit", true);
    return guiManager_->CreateQuadWindow(kPictureFlags, Vector2(), kPictureSize, texture, nullptr, kPictureExtent);
}

GUILogosWindow::~GUILogosWindow()
{
    DeleteWindows();
}

void GUILogosWindow::DeleteWindows()
{
    guiManager_->DeleteWindow(first_);
    guiManager_->DeleteWindow(second_);
    first_ = nullptr;
    second_ = nullptr;
}

void GUILogosWindow::Show()
{
    GUILogosWindowBase::Show();
    running_ = true;
}

void GUILogosWindow::Hide()
{
    GUILogosWindowBase::Hide();
    running_ = false;
    DeleteWindows();
}

bool GUILogosWindow::FadeOut(GUIWindow* window)
{
    if (!GUIControl::IsWindowShown(window)) {
        return true;
    }
    const float alpha = std::max(0.0f, 1.0f - std::max(0.0f, timer_ - kHoldSeconds));
    window->SetColor(OrrelayEngine::Color(1, 1, 1, alpha));
    if (alpha < kEpsilon) {
        timer_ = 0.0f;
        GUIControl::SetWindowShown(window, false);
        return true;
    }
    return false;
}

void GUILogosWindow::Update()
{
    GUILogosWindowBase::Update();
    if (!running_) {
        return;
    }
    if (first_ == nullptr) {
        SetResult(1);
        return;
    }
    timer_ += timers_->GetFrameTime();
    if (!FadeOut(first_)) {
        return;
    }
    if (second_ == nullptr || FadeOut(second_)) {
        SetResult(1);
    }
}

} // namespace Tansywell
