// The font tests' world: the scene managers over the null render system, the
// text and font managers over them, a fixture font with round numbers written
// by the content writer, and windows without a model to print on. The quads
// are read back from the batches' vertex buffers; nothing draws pixels.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "content/FontFileWriter.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUITextManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/VertexBuffer.h"
#include "engine/scene/SceneTestSupport.h"

namespace FontTest {

class FontFixture : public SceneTest::SceneFixture
{
public:
    static OrrelayEngine::FontFile::Glyph MakeGlyph(wchar_t character, float u, float v, float du, float dv,
                                                    float width)
    {
        OrrelayEngine::FontFile::Glyph glyph;
        glyph.character = character;
        glyph.u = u;
        glyph.v = v;
        glyph.du = du;
        glyph.dv = dv;
        glyph.width = width;
        return glyph;
    }

    static const OrrelayEngine::ColoredVertex* Vertices(const OrrelayEngine::GUIFont& batch)
    {
        return reinterpret_cast<const OrrelayEngine::ColoredVertex*>(batch.GetModel()->GetVertexBuffer()->GetData());
    }

protected:
    static constexpr const char* kFontName = "ui\\fonts\\round.fnt";

    void SetUp() override
    {
        SceneFixture::SetUp();
        texts = std::make_unique<OrrelayEngine::GUITextManager>(log, files.get());
        fonts = std::make_unique<OrrelayEngine::GUIFontManager>(log, files.get(), shaders.get(), models.get(), camera);
    }

    void TearDown() override
    {
        windows.clear();
        fonts.reset();
        texts.reset();
        SceneFixture::TearDown();
    }

    // 'A' half as wide as high, 'B' square, 'b' three quarters, a blank a quarter.
    static std::vector<OrrelayEngine::FontFile::Glyph> RoundGlyphs()
    {
        return {MakeGlyph(L'A', 0.0f, 0.5f, 0.25f, 0.5f, 0.5f), MakeGlyph(L'B', 0.25f, 0.5f, 0.25f, 0.5f, 1.0f),
                MakeGlyph(L'b', 0.5f, 0.0f, 0.25f, 0.5f, 0.75f), MakeGlyph(L' ', 0.75f, 0.0f, 0.25f, 0.5f, 0.25f)};
    }

    void SaveFont(const std::string& name, const std::vector<OrrelayEngine::FontFile::Glyph>& glyphs,
                  std::int32_t sizeError = 0)
    {
        Content::FontFileWriter writer;
        writer.SetSizeFieldError(sizeError);
        SaveFixture("data\\" + name, writer.Build(glyphs));
    }

    // The round font under the id, at size 10.
    OrrelayEngine::GUIFont* LoadRoundFont(std::uint32_t fontId = 0, const std::string& name = kFontName)
    {
        SaveFont(name, RoundGlyphs());
        OrrelayEngine::GUIFont* font = fonts->LoadFont(fontId, texture, name);
        font->SetSize(10.0f);
        return font;
    }

    // A shown window without a model.
    OrrelayEngine::GUIWindow* MakeWindow(const OrrelayEngine::Vector2& position, const OrrelayEngine::Vector2& size,
                                         std::uint32_t flags = OrrelayEngine::GUIWindow::kFlagShown,
                                         OrrelayEngine::GUIWindow* parent = nullptr)
    {
        windows.push_back(std::make_unique<OrrelayEngine::GUIWindow>(
            log, shaders.get(), models.get(), fonts.get(), texts.get(), camera, flags, position, size, parent,
            static_cast<const OrrelayEngine::Model*>(nullptr)));
        return windows.back().get();
    }

    OrrelayEngine::ShaderDescriptor texture;
    std::unique_ptr<OrrelayEngine::GUITextManager> texts;
    std::unique_ptr<OrrelayEngine::GUIFontManager> fonts;
    std::vector<std::unique_ptr<OrrelayEngine::GUIWindow>> windows;
};

} // namespace FontTest
