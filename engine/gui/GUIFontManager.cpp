#include "engine/gui/GUIFontManager.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIWindow.h"

namespace OrrelayEngine {

namespace {

constexpr float kDepthTolerance = 0.0001f;

} // namespace

GUIFontManager::GUIFontManager(MessageManager* log, FileManager* fileManager, ShaderManager* shaderManager,
                               ModelManager* modelManager, Camera* guiCamera)
    : log_(log), fileManager_(fileManager), shaderManager_(shaderManager), modelManager_(modelManager),
      guiCamera_(guiCamera)
{
    spares_.reserve(kSpareBatches);
}

GUIFontManager::~GUIFontManager()
{
    // Batches read their sources' tables; they go first.
    batches_.clear();
    spares_.clear();
    fonts_.clear();
}

void GUIFontManager::WaitForTextures() const
{
    if (textureQueue_.valid())
        textureQueue_.wait();
}

GUIFont* GUIFontManager::LoadFont(std::uint32_t fontId, const ShaderDescriptor& textureDescriptor,
                                  const std::string& fileName)
{
    auto font = std::make_unique<GUIFont>(log_, fileManager_, shaderManager_, modelManager_, guiCamera_,
                                          textureDescriptor, fileName, &textureQueue_);
    std::unique_ptr<GUIFont>& slot = fonts_[fontId];
    if (slot != nullptr) {
        const GUIFont* old = slot.get();
        const auto ofOld = [old](const std::unique_ptr<GUIFont>& batch) { return batch->GetSource() == old; };
        batches_.erase(std::remove_if(batches_.begin(), batches_.end(), ofOld), batches_.end());
        spares_.erase(std::remove_if(spares_.begin(), spares_.end(), ofOld), spares_.end());
    }
    slot = std::move(font);
    return slot.get();
}

GUIFont* GUIFontManager::FindFont(std::uint32_t fontId) const
{
    const auto found = fonts_.find(fontId);
    return found != fonts_.end() ? found->second.get() : nullptr;
}

void GUIFontManager::GetTextPosition(Vector2& out, std::uint32_t alignFlags, std::uint32_t fontId,
                                     const GUIWindow* window, const Vector2& offset, float angle,
                                     const std::wstring& text)
{
    out = Vector2();
    const GUIFont* font = FindFont(fontId);
    if (font == nullptr) {
        return;
    }
    Vector2 corner;
    Vector2 area;
    if (window != nullptr) {
        corner = window->GetAbsolutePosition();
        area = window->GetSize();
        if (window->HasTextArea()) {
            corner += window->GetTextAreaOffset();
            area = window->GetTextAreaSize();
        }
    }
    Vector2 extent;
    font->MeasureText(extent, text, angle, font->GetSize());
    const float cosine = std::cos(angle);
    const float sine = std::sin(angle);

    if ((alignFlags & (kAlignCentreX | kAlignLeft | kAlignRight)) == 0) {
        out.x = corner.x + offset.x;
    } else {
        if ((alignFlags & kAlignCentreX) != 0) {
            out.x = corner.x + (area.x - extent.x) * 0.5f;
        } else if ((alignFlags & kAlignLeft) != 0) {
            out.x = corner.x;
        } else {
            out.x = corner.x + area.x - extent.x;
        }
        // A line running leftwards starts at its box's right side.
        if (cosine < 0.0f) {
            out.x += extent.x;
        }
    }
    if ((alignFlags & (kAlignCentreY | kAlignBottom | kAlignTop)) == 0) {
        out.y = corner.y + offset.y;
    } else {
        if ((alignFlags & kAlignCentreY) != 0) {
            out.y = corner.y + (area.y - extent.y) * 0.5f;
        } else if ((alignFlags & kAlignBottom) != 0) {
            out.y = corner.y + area.y - extent.y;
        } else {
            out.y = corner.y;
        }
        if (sine < 0.0f) {
            out.y += extent.y;
        }
    }
}

GUIFont* GUIFontManager::GetWindowBatch(std::uint32_t fontId, const GUIWindow* window)
{
    GUIFont* font = FindFont(fontId);
    if (font == nullptr || window == nullptr) {
        return nullptr;
    }
    const float depth = window->GetDepth() - kBatchDepthOffset;
    for (const std::unique_ptr<GUIFont>& batch : batches_) {
        if (batch->GetSource() == font && std::fabs(batch->GetDepth() - depth) <= kDepthTolerance) {
            return batch.get();
        }
    }
    const auto spare = std::find_if(spares_.begin(), spares_.end(), [font](const std::unique_ptr<GUIFont>& batch) {
        return batch->GetSource() == font;
    });
    if (spare != spares_.end()) {
        batches_.push_back(std::move(*spare));
        spares_.erase(spare);
        batches_.back()->SetDepth(depth);
    } else {
        batches_.push_back(std::make_unique<GUIFont>(*font, depth));
    }
    return batches_.back().get();
}

void GUIFontManager::PrintText(std::uint32_t alignFlags, std::uint32_t fontId, float angle, const GUIWindow* window,
                               const Vector2& offset, const Color& colour, const std::wstring& text)
{
    if (window == nullptr || !window->IsVisible()) {
        return;
    }
    GUIFont* batch = GetWindowBatch(fontId, window);
    if (batch == nullptr) {
        return;
    }
    Vector2 position;
    GetTextPosition(position, alignFlags, fontId, window, offset, angle, text);
    batch->Print(position, angle, colour, text);
}

void GUIFontManager::Flush()
{
    for (std::unique_ptr<GUIFont>& batch : batches_) {
        if (batch->GetGlyphCount() != 0)
            continue;
        // Hidden until a text needs it again.
        batch->ResetBatch();
        if (spares_.size() < kSpareBatches)
            spares_.push_back(std::move(batch));
        else
            batch.reset();
    }
    batches_.erase(std::remove(batches_.begin(), batches_.end(), nullptr), batches_.end());
    for (auto& font : fonts_) {
        font.second->ResetBatch();
    }
    for (const std::unique_ptr<GUIFont>& batch : batches_) {
        batch->ResetBatch();
    }
}

} // namespace OrrelayEngine
