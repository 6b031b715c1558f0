// Keeps the loaded fonts under small integer ids, places a text inside a
// window by the alignment flags, and collects each frame's texts in batches:
// one copy of a font per window depth, drawn just in front of the windows that
// print with it. Flush ends the frame: batches that got no quad go, the rest
// are reset for the next frame. A few that went are kept hidden and serve the
// next new depth of their font, so that a text coming and going (a speech
// bubble, a line typed after another) makes no model each time.
//
// Alignment flags: 1 centre horizontally, 4 left edge, 8 right edge; 2 centre
// vertically, 16 y = top of the area minus the text's height, 32 y = the
// area's bottom (y grows upwards). On each axis the first flag set in that
// order wins; an axis without a flag takes the offset from the area's corner.
#pragma once

#include <cstddef>
#include <cstdint>
#include <future>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/Color.h"
#include "engine/core/Vector2.h"

namespace OrrelayEngine {

class Camera;
class FileManager;
class GUIFont;
class GUIWindow;
class MessageManager;
class ModelManager;
class ShaderDescriptor;
class ShaderManager;
class ShaderUser;

class GUIFontManager
{
public:
    static constexpr std::uint32_t kAlignCentreX = 1;
    static constexpr std::uint32_t kAlignCentreY = 2;
    static constexpr std::uint32_t kAlignLeft = 4;
    static constexpr std::uint32_t kAlignRight = 8;
    static constexpr std::uint32_t kAlignBottom = 16;
    static constexpr std::uint32_t kAlignTop = 32;
    // How far in front of its windows a batch is drawn.
    static constexpr float kBatchDepthOffset = 0.005f;
    // Emptied batches kept for reuse, at most.
    static constexpr std::size_t kSpareBatches = 8;

    GUIFontManager(MessageManager* log, FileManager* fileManager, ShaderManager* shaderManager,
                   ModelManager* modelManager, Camera* guiCamera);
    GUIFontManager(const GUIFontManager&) = delete;
    GUIFontManager& operator=(const GUIFontManager&) = delete;
    virtual ~GUIFontManager();

    // Files the font under the id. A font already under that id is replaced
    // only once the new one has loaded: a bad file throws FileError and keeps
    // the old font; a replaced font goes with its batches. The texture loads
    // on a helper thread after those of the fonts loaded before (see GUIFont).
    GUIFont* LoadFont(std::uint32_t fontId, const ShaderDescriptor& textureDescriptor, const std::string& fileName);
    // Returns once every font texture queued on a helper thread has loaded,
    // so what those loads logged stands in the log from here on.
    void WaitForTextures() const;
    GUIFont* FindFont(std::uint32_t fontId) const;

    // Where the text's first glyph goes in the window (its text area when it
    // has one); (0, 0) for an unknown font. Allocates nothing.
    void GetTextPosition(Vector2& out, std::uint32_t alignFlags, std::uint32_t fontId, const GUIWindow* window,
                         const Vector2& offset, float angle, const std::wstring& text);
    // The batch of the font for the window's depth, made on first use; null
    // for an unknown font.
    GUIFont* GetWindowBatch(std::uint32_t fontId, const GUIWindow* window);
    // Nothing for an invisible window or an unknown font.
    void PrintText(std::uint32_t alignFlags, std::uint32_t fontId, float angle, const GUIWindow* window,
                   const Vector2& offset, const Color& colour, const std::wstring& text);
    void Flush();

    std::uint32_t GetBatchCount() const { return static_cast<std::uint32_t>(batches_.size()); }
    std::uint32_t GetSpareBatchCount() const { return static_cast<std::uint32_t>(spares_.size()); }
    GUIFont* GetBatch(std::uint32_t index) const { return batches_[index].get(); }

private:
    MessageManager* log_;
    FileManager* fileManager_;
    ShaderManager* shaderManager_;
    ModelManager* modelManager_;
    Camera* guiCamera_;
    std::vector<std::unique_ptr<GUIFont>> batches_;
    std::vector<std::unique_ptr<GUIFont>> spares_;
    std::map<std::uint32_t, std::unique_ptr<GUIFont>> fonts_;
    // The last font texture queued on a helper thread: the next waits for it.
    std::shared_future<ShaderUser*> textureQueue_;
};

} // namespace OrrelayEngine
