// A bitmap font: a texture holding the glyphs, a table from character to the
// glyph's cell in the texture and its width, and a batch model into which
// printed texts are written as textured quads, one quad per visible glyph.
//
// A font loaded from its file is also the source of batches: copies with a
// model of their own that the font manager keeps per font and window depth, so
// that every text of one font at one depth is drawn by one model. A batch
// reads the glyph table and the size, advance and spacing settings of its
// source at each print; only its model and depth are its own.
//
// The index buffer is filled once; the vertex buffer is rewritten in place
// every frame, so printing and measuring allocate nothing.
//
// Given a texture queue, a loaded font reads its texture on a helper thread
// (after the queue's earlier fonts, so that fonts sharing a picture decode it
// once) while the program goes on starting; the model takes the texture when
// a batch is first made from it or it first prints.
#pragma once

#include <cstdint>
#include <future>
#include <map>
#include <memory>
#include <string>

#include "engine/core/Color.h"
#include "engine/core/Vector2.h"
#include "engine/scene/Model.h"

namespace OrrelayEngine {

class Camera;
class FileManager;
class MessageManager;
class ModelManager;
class ShaderDescriptor;
class ShaderManager;
class ShaderUser;
struct ColoredVertex;

class GUIFont
{
public:
    // Glyph quads one batch holds; further glyphs of the frame are dropped.
    static constexpr std::uint32_t kMaxQuads = 1024;
    static constexpr std::uint32_t kVerticesPerQuad = 4;
    static constexpr std::uint32_t kIndicesPerQuad = 6;
    // Static, fixed depth, second sort group, box from the vertices, visible,
    // a list of 6 indices per quad, a colour per vertex.
    static constexpr std::uint32_t kModelFlags = 0x48C11u | Model::kFlagTriangleList | Model::kFlagVertexColor;
    static constexpr float kInitialDepth = -9.0f;

    struct Glyph
    {
        float u = 0.0f;
        float v = 0.0f;
        float du = 0.0f;
        float dv = 0.0f;
        float width = 0.0f;
    };

    // The texture loads of the fonts that load theirs on helper threads, the
    // last one queued; a font's load waits for the one before.
    using TextureQueue = std::shared_future<ShaderUser*>;

    // Reads the font file (through FileManager::GetDataPath) and builds the
    // batch model. A bad file throws FileError before any model is made.
    // With a queue, the texture loads on a helper thread (see above).
    GUIFont(MessageManager* log, FileManager* fileManager, ShaderManager* shaderManager, ModelManager* modelManager,
            Camera* guiCamera, const ShaderDescriptor& textureDescriptor, const std::string& fileName,
            TextureQueue* textureQueue = nullptr);
    // A batch of source: a model of its own (a copy of the source's), drawn at depth.
    GUIFont(GUIFont& source, float depth);
    GUIFont(const GUIFont&) = delete;
    GUIFont& operator=(const GUIFont&) = delete;
    virtual ~GUIFont();

    // Writes the text's quads into the batch, the first glyph's lower-left
    // corner at position, the line turned by angle (radians) about it.
    void Print(const Vector2& position, float angle, const Color& colour, const std::wstring& text);
    // Width and height of the turned text's bounding box; size < 0 means the
    // font's own size. Every character occupies a cell as wide as its advance
    // and as high as the size. An empty text measures (0, 0).
    void MeasureText(Vector2& extent, const std::wstring& text, float angle, float size) const;
    bool HasGlyph(wchar_t character) const;
    // Null when the table has no glyph for the character.
    const Glyph* FindGlyph(wchar_t character) const;
    // Every character whose lower-case form has no glyph lends it its glyph.
    void AddLowerCaseGlyphs();

    float GetDepth() const;
    void SetDepth(float depth);
    // Ends the frame's batch: the model draws exactly the quads written since
    // the last reset (and is hidden when none was), and the next print starts over.
    void ResetBatch();

    float GetSize() const { return size_; }
    void SetSize(float size) { size_ = size; }
    float GetSpaceAdvance() const { return spaceAdvance_; }
    void SetSpaceAdvance(float advance) { spaceAdvance_ = advance; }
    float GetSpacing() const { return spacing_; }
    void SetSpacing(float spacing) { spacing_ = spacing; }
    bool IsMonospace() const { return monospace_ != 0; }
    void SetMonospace(bool monospace) { monospace_ = monospace ? 1 : 0; }
    float GetMaxWidth() const { return Settings().maxWidth_; }

    // Null for a loaded font.
    GUIFont* GetSource() const { return source_; }
    Model* GetModel() const { return model_; }
    // Quads written into the batch since the last reset.
    std::uint32_t GetGlyphCount() const { return glyphCount_; }
    std::uint32_t GetGlyphTableSize() const { return static_cast<std::uint32_t>(Glyphs().size()); }

private:
    using GlyphTable = std::map<wchar_t, Glyph>;

    void BuildModel(Camera* guiCamera, const ShaderDescriptor& textureDescriptor, TextureQueue* textureQueue);
    // Waits for a texture loading on a helper thread and gives it to the model.
    void FinishTexture();
    const GUIFont& Settings() const { return source_ != nullptr ? *source_ : *this; }
    const GlyphTable& Glyphs() const { return Settings().glyphs_; }
    void WriteQuad(const Glyph& glyph, const Vector2& at, float cosine, float sine, float size,
                   std::uint32_t packedColour);

    MessageManager* log_;
    FileManager* fileManager_;
    ShaderManager* shaderManager_;
    ModelManager* modelManager_;
    GUIFont* source_ = nullptr;
    GlyphTable glyphs_;
    Model* model_ = nullptr;
    ColoredVertex* lockedVertices_ = nullptr;
    float size_ = 1.0f;
    float spaceAdvance_ = 1.0f;
    float spacing_ = 1.0f;
    float maxWidth_ = 0.0f;
    std::uint8_t monospace_ = 0;
    std::uint32_t glyphCount_ = 0;
    // While the texture loads on a helper thread: its descriptor and the user
    // the helper makes (which holds the texture until the model shares it).
    std::unique_ptr<ShaderDescriptor> pendingDescriptor_;
    TextureQueue pendingTexture_;
};

} // namespace OrrelayEngine
