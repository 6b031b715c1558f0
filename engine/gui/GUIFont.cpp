#include "engine/gui/GUIFont.h"

#include <cmath>
#include <cwctype>
#include <memory>
#include <system_error>
#include <utility>
#include <vector>

#include "engine/file/FileBinary.h"
#include "engine/file/FileManager.h"
#include "engine/gui/FontFile.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/VertexBuffer.h"
#include "engine/scene/ModelManager.h"

namespace OrrelayEngine {

namespace {

constexpr float kMeasureStart = 10000.0f;
constexpr wchar_t kLineFeed = 10;

// How the pen moves over one character and where its quad goes: the quad at
// pen + before, the pen then on by advance (both along the line).
struct CharacterStep
{
    float before;
    float advance;
};

} // namespace

GUIFont::GUIFont(MessageManager* log, FileManager* fileManager, ShaderManager* shaderManager,
                 ModelManager* modelManager, Camera* guiCamera, const ShaderDescriptor& textureDescriptor,
                 const std::string& fileName, TextureQueue* textureQueue)
    : log_(log), fileManager_(fileManager), shaderManager_(shaderManager), modelManager_(modelManager)
{
    FontFile contents;
    {
        std::unique_ptr<FileBinary> file = fileManager_->OpenFile(FileManager::GetDataPath(fileName), false, true);
        contents.Read(*file, fileName);
    }
    for (const FontFile::Glyph& record : contents.glyphs) {
        glyphs_[record.character] = Glyph{record.u, record.v, record.du, record.dv, record.width};
        if (record.width > maxWidth_) {
            maxWidth_ = record.width;
        }
    }
    BuildModel(guiCamera, textureDescriptor, textureQueue);
}

GUIFont::GUIFont(GUIFont& source, float depth)
    : log_(source.log_), fileManager_(source.fileManager_), shaderManager_(source.shaderManager_),
      modelManager_(source.modelManager_), source_(&source), size_(source.size_), spaceAdvance_(source.spaceAdvance_),
      spacing_(source.spacing_), maxWidth_(source.maxWidth_), monospace_(source.monospace_)
{
    source.FinishTexture();
    model_ = modelManager_->CreateCopy(source.model_, nullptr, 0);
    model_->GetIndexBuffer()->SetUsedCount(0);
    SetDepth(depth);
}

GUIFont::~GUIFont()
{
    // The helper's user goes once the helper has ended; a load that failed
    // there has nothing to give back, and a destructor throws nothing.
    if (pendingTexture_.valid()) {
        try {
            shaderManager_->DeleteShaderUser(pendingTexture_.get());
        } catch (...) {
        }
    }
    if (model_ != nullptr) {
        model_->GetVertexBuffer()->Unlock();
        modelManager_->DeleteModel(model_);
    }
}

void GUIFont::BuildModel(Camera* guiCamera, const ShaderDescriptor& textureDescriptor, TextureQueue* textureQueue)
{
    // Loading later, the model starts untextured: it draws nothing until then.
    model_ = modelManager_->CreateSelfMade(kModelFlags, kMaxQuads * kVerticesPerQuad, kMaxQuads * kIndicesPerQuad, 1,
                                           textureQueue != nullptr ? nullptr : &textureDescriptor, guiCamera);
    model_->SetName("font_model");
    std::vector<std::uint32_t> indices(kMaxQuads * kIndicesPerQuad);
    for (std::uint32_t q = 0; q < kMaxQuads; ++q) {
        const std::uint32_t first = q * kVerticesPerQuad;
        const std::uint32_t quad[kIndicesPerQuad] = {first, first + 1, first + 2, first + 2, first + 1, first + 3};
        for (std::uint32_t k = 0; k < kIndicesPerQuad; ++k) {
            indices[q * kIndicesPerQuad + k] = quad[k];
        }
    }
    IndexBuffer* indexBuffer = model_->GetIndexBuffer();
    indexBuffer->SetIndices(0, static_cast<std::uint32_t>(indices.size()), indices.data());
    indexBuffer->SetUsedCount(0);
    SetDepth(kInitialDepth);
    if (textureQueue == nullptr)
        return;
    pendingDescriptor_ = std::make_unique<ShaderDescriptor>(textureDescriptor);
    const ShaderDescriptor* descriptor = pendingDescriptor_.get();
    ShaderManager* shaders = shaderManager_;
    const TextureQueue before = *textureQueue;
    try {
        pendingTexture_ = std::async(std::launch::async, [shaders, descriptor, before] {
                              if (before.valid())
                                  before.wait();
                              return shaders->CreateShaderUser(*descriptor);
                          }).share();
    } catch (const std::system_error&) {
        // No helper thread to be had: the texture loads here.
        model_->SetShader(textureDescriptor);
        pendingDescriptor_.reset();
        return;
    }
    *textureQueue = pendingTexture_;
}

void GUIFont::FinishTexture()
{
    if (!pendingTexture_.valid())
        return;
    ShaderUser* loaded = pendingTexture_.get();
    pendingTexture_ = TextureQueue();
    // The model's own user shares the shader, and so the texture, just made.
    model_->SetShader(*pendingDescriptor_);
    shaderManager_->DeleteShaderUser(loaded);
    pendingDescriptor_.reset();
}

const GUIFont::Glyph* GUIFont::FindGlyph(wchar_t character) const
{
    const GlyphTable& glyphs = Glyphs();
    const auto found = glyphs.find(character);
    return found != glyphs.end() ? &found->second : nullptr;
}

bool GUIFont::HasGlyph(wchar_t character) const
{
    return FindGlyph(character) != nullptr;
}

void GUIFont::AddLowerCaseGlyphs()
{
    std::vector<std::pair<wchar_t, Glyph>> added;
    for (const auto& entry : glyphs_) {
        const wchar_t lower = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(entry.first)));
        if (glyphs_.find(lower) == glyphs_.end()) {
            added.emplace_back(lower, entry.second);
        }
    }
    for (const auto& entry : added) {
        glyphs_.insert(entry);
    }
}

float GUIFont::GetDepth() const
{
    return model_->depth;
}

void GUIFont::SetDepth(float depth)
{
    model_->depth = depth;
}

void GUIFont::ResetBatch()
{
    // The quads written this frame stay in use until the next frame's first
    // print starts over, so that the render pass draws them.
    if (glyphCount_ == 0) {
        model_->GetIndexBuffer()->SetUsedCount(0);
        // An empty model is not drawn anyway; hidden, the render pass also
        // skips refreshing its box over every vertex of the buffer.
        model_->ClearFlags(Model::kFlagVisible);
    }
    glyphCount_ = 0;
    if (lockedVertices_ != nullptr) {
        model_->GetVertexBuffer()->Unlock();
        lockedVertices_ = nullptr;
    }
}

namespace {

// The pen's path over one character: a monospace glyph is centred in a cell
// of the widest glyph, anything without a glyph only moves the pen.
CharacterStep StepFor(const GUIFont::Glyph* glyph, float size, float spaceAdvance, float spacing, bool monospace,
                      float maxWidth)
{
    if (monospace) {
        const float cell = size * maxWidth * spacing;
        if (glyph == nullptr) {
            return CharacterStep{0.0f, cell};
        }
        return CharacterStep{(maxWidth - glyph->width) * 0.5f * size * spacing, cell};
    }
    if (glyph == nullptr) {
        return CharacterStep{0.0f, size * spaceAdvance};
    }
    return CharacterStep{0.0f, size * glyph->width * spacing};
}

bool WritesQuad(wchar_t character)
{
    return character != kLineFeed && !std::iswspace(static_cast<wint_t>(character));
}

} // namespace

void GUIFont::Print(const Vector2& position, float angle, const Color& colour, const std::wstring& text)
{
    const GUIFont& settings = Settings();
    const float size = settings.size_;
    const float cosine = std::cos(angle);
    const float sine = std::sin(angle);
    VertexBuffer* vertices = model_->GetVertexBuffer();
    const std::uint32_t packed = vertices->PackColor(colour.r, colour.g, colour.b, colour.a);
    float pen = 0.0f;
    for (const wchar_t character : text) {
        const Glyph* glyph = FindGlyph(character);
        const CharacterStep step = StepFor(glyph, size, settings.spaceAdvance_, settings.spacing_,
                                           settings.monospace_ != 0, settings.maxWidth_);
        if (glyph != nullptr && glyphCount_ < kMaxQuads && WritesQuad(character)) {
            const float along = pen + step.before;
            WriteQuad(*glyph, Vector2(position.x + along * cosine, position.y + along * sine), cosine, sine, size,
                      packed);
        }
        pen += step.advance;
    }
}

void GUIFont::WriteQuad(const Glyph& glyph, const Vector2& at, float cosine, float sine, float size,
                        std::uint32_t packedColour)
{
    if (lockedVertices_ == nullptr) {
        FinishTexture();
        lockedVertices_ = model_->GetVertexBuffer()->LockColoredVertices(0, kMaxQuads * kVerticesPerQuad);
        if (lockedVertices_ == nullptr) {
            return;
        }
        model_->SetFlags(Model::kFlagVisible);
    }
    const float width = size * glyph.width;
    const float corners[kVerticesPerQuad][2] = {{0.0f, size}, {0.0f, 0.0f}, {width, size}, {width, 0.0f}};
    const float uv[kVerticesPerQuad][2] = {{glyph.u, glyph.v + glyph.dv},
                                           {glyph.u, glyph.v},
                                           {glyph.u + glyph.du, glyph.v + glyph.dv},
                                           {glyph.u + glyph.du, glyph.v}};
    ColoredVertex* out = lockedVertices_ + glyphCount_ * kVerticesPerQuad;
    for (std::uint32_t k = 0; k < kVerticesPerQuad; ++k) {
        const float x = corners[k][0];
        const float y = corners[k][1];
        out[k].x = x * cosine - y * sine + at.x;
        out[k].y = x * sine + y * cosine + at.y;
        out[k].z = 0.0f;
        out[k].nx = 0.0f;
        out[k].ny = 0.0f;
        out[k].nz = 1.0f;
        out[k].color = packedColour;
        out[k].u = uv[k][0];
        out[k].v = uv[k][1];
    }
    ++glyphCount_;
    model_->GetIndexBuffer()->SetUsedCount(glyphCount_ * kIndicesPerQuad);
}

void GUIFont::MeasureText(Vector2& extent, const std::wstring& text, float angle, float size) const
{
    extent = Vector2();
    if (text.empty()) {
        return;
    }
    const GUIFont& settings = Settings();
    if (size < 0.0f) {
        size = settings.size_;
    }
    const float cosine = std::cos(angle);
    const float sine = std::sin(angle);
    float minX = kMeasureStart;
    float minY = kMeasureStart;
    float maxX = -kMeasureStart;
    float maxY = -kMeasureStart;
    float pen = 0.0f;
    for (const wchar_t character : text) {
        const CharacterStep step = StepFor(FindGlyph(character), size, settings.spaceAdvance_, settings.spacing_,
                                           settings.monospace_ != 0, settings.maxWidth_);
        const float corners[4][2] = {{pen, 0.0f}, {pen, size}, {pen + step.advance, 0.0f}, {pen + step.advance, size}};
        for (const auto& corner : corners) {
            const float x = corner[0] * cosine - corner[1] * sine;
            const float y = corner[0] * sine + corner[1] * cosine;
            minX = std::fmin(minX, x);
            minY = std::fmin(minY, y);
            maxX = std::fmax(maxX, x);
            maxY = std::fmax(maxY, y);
        }
        pen += step.advance;
    }
    extent = Vector2(maxX - minX, maxY - minY);
}

} // namespace OrrelayEngine
