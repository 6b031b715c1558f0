// A scratch folder with picture fixtures, a render system over the null
// graphics driver and a texture manager over both, for the texture and shader
// tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#include "content/BmpFileWriter.h"
#include "content/FixturePicture.h"
#include "content/TgaFileWriter.h"
#include "engine/render/TextureManager.h"
#include "platform/TextureSurface.h"
#include "support/LogSearch.h"
#include "tests/engine/render/RenderFileFixture.h"
#include "tests/engine/render/RenderSystemTestSupport.h"

namespace OrrelayEngine {

class TextureFixture : public RenderFileFixture
{
protected:
    void SetUp() override
    {
        RenderFileFixture::SetUp();
        render_.Start();
        render_.config.GetValues()->useMipMapping = 1;
        render_.config.GetValues()->showMipMaps = 0;
        textures_ =
            std::make_unique<TextureManager>(log_.get(), files_.get(), &render_.config, nullptr, render_.system.get());
    }

    void TearDown() override
    {
        textures_.reset();
        render_.system.reset();
        RenderFileFixture::TearDown();
    }

    // A picture whose every pixel has the same channels.
    static Content::FixturePicture Plain(std::uint32_t width, std::uint32_t height, std::uint32_t channels,
                                         std::uint8_t r, std::uint8_t g = 0, std::uint8_t b = 0, std::uint8_t a = 255)
    {
        Content::FixturePicture picture;
        picture.width = width;
        picture.height = height;
        picture.channels = channels;
        const std::uint8_t pixel[4] = {r, g, b, a};
        for (std::uint32_t i = 0; i < width * height; ++i) {
            picture.pixels.insert(picture.pixels.end(), pixel, pixel + channels);
        }
        return picture;
    }

    void SaveBmp(const std::string& name, const Content::FixturePicture& picture)
    {
        SaveFixture(name, Content::BmpFileWriter(picture).Build());
    }

    void SaveTga(const std::string& name, const Content::FixturePicture& picture)
    {
        SaveFixture(name, Content::TgaFileWriter(picture).Build());
    }

    // The 32-bit texel at column x of surface row y of a level.
    static std::uint32_t Texel(const Platform::TextureSurface& surface, std::uint32_t level, std::uint32_t x,
                               std::uint32_t y)
    {
        const std::uint8_t* bits = surface.GetLevelBits(level) + y * surface.GetLevelPitch(level) + x * 4;
        return bits[0] | (bits[1] << 8) | (bits[2] << 16) | (static_cast<std::uint32_t>(bits[3]) << 24);
    }

    bool WarningLogged(const std::string& text) const
    {
        return TestSupport::Logged(*log_, text, TestSupport::LogMatch::kPart, MessageManager::kWarning);
    }

    RenderTest::NullRenderSystem render_;
    std::unique_ptr<TextureManager> textures_;
};

} // namespace OrrelayEngine
