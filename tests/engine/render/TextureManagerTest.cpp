#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/render/Image.h"
#include "engine/render/Texture2D.h"
#include "engine/render/Texture2D_D3D7.h"
#include "engine/render/TextureManager.h"
#include "tests/engine/render/TextureTestSupport.h"

namespace OrrelayEngine {
namespace {

TEST(TextureManager, FitsSidesToTheNearestPowerOfTwoTheDeviceTakes)
{
    struct Case
    {
        std::uint32_t side;
        std::uint32_t maxSide;
        std::uint32_t expected;
    };
    const Case cases[] = {
        {300, 2048, 256}, // 512 - 300 = 212 is further than 300 - 256 = 44
        {384, 2048, 512}, // a tie goes up
        {3, 2048, 4},     // a tie goes up
        {1, 2048, 1},     {256, 2048, 256}, {257, 2048, 256}, {2000, 1024, 1024}, {0, 2048, 1}, // never an empty side
        {5, 0, 1}, // nor from a device that reported no limit
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.expected, TextureManager::FitTextureSide(c.side, c.maxSide)) << c.side << " within " << c.maxSide;
    }
}

TEST(TextureManager, PowersOfTwoEndAt65536)
{
    const std::pair<std::uint32_t, bool> cases[] = {{0, true},       {1, true},      {2, true},
                                                    {6, false},      {3, false},     {65536, true},
                                                    {131072, false}, {65535, false}, {0x80000000u, false}};
    for (const auto& c : cases) {
        EXPECT_EQ(c.second, TextureManager::IsPowerOfTwo(c.first)) << c.first;
    }
}

TEST(TextureManager, KeyNamesBothFilesInLowerCaseAndTheMipFlag)
{
    EXPECT_EQ("diffuse_data\\wood.bmp", TextureManager::MakeTextureKey(false, "Data\\Wood.BMP", ""));
    EXPECT_EQ("diffuse_data\\wood.bmp_plus_opacity_data\\mask.tga_with_mip_mapping",
              TextureManager::MakeTextureKey(true, "Data\\Wood.BMP", "Data\\MASK.tga"));
}

TEST(TextureMipLevel, AveragesEachBlockWithRounding)
{
    Image source;
    source.Create(nullptr, 2, 2, 32);
    const std::uint8_t pixels[16] = {0, 10, 255, 1, 1, 10, 255, 2, 0, 11, 255, 2, 0, 11, 254, 2};
    std::copy(pixels, pixels + 16, source.GetData());
    Image level;
    Texture2D::MakeMipLevel(source, level, 1, 1, false);
    ASSERT_EQ(32u, level.GetBitsPerPixel());
    const std::uint8_t* out = level.GetData();
    EXPECT_EQ(0, out[0]) << "(0 + 1 + 0 + 0 + 2) >> 2";
    EXPECT_EQ(11, out[1]) << "(42 + 2) >> 2";
    EXPECT_EQ(255, out[2]) << "(1019 + 2) >> 2";
    EXPECT_EQ(2, out[3]) << "(7 + 2) >> 2";

    Image alpha;
    Texture2D::MakeMipLevel(source, alpha, 1, 1, true);
    ASSERT_EQ(8u, alpha.GetBitsPerPixel());
    EXPECT_EQ(2, alpha.GetData()[0]) << "only the alpha byte is averaged";
}

TEST(TextureMipLevel, ASideOfOnePairsEachPixelWithItself)
{
    // 1 x 8, one grey value per row: each level pixel averages two vertical neighbours.
    Image column;
    column.Create(nullptr, 1, 8, 24);
    for (std::uint32_t row = 0; row < 8; ++row) {
        for (std::uint32_t k = 0; k < 3; ++k) {
            column.GetData()[row * 3 + k] = static_cast<std::uint8_t>(row * 10);
        }
    }
    Image level;
    Texture2D::MakeMipLevel(column, level, 1, 4, false);
    ASSERT_EQ(1u, level.GetWidth());
    ASSERT_EQ(4u, level.GetHeight());
    for (std::uint32_t row = 0; row < 4; ++row) {
        EXPECT_EQ(static_cast<int>((2 * (20 * row) + 2 * (20 * row + 10) + 2) >> 2), level.GetData()[row * 3]);
    }

    // An 8-bit row one pixel high, and the last 1 x 1 step.
    Image line;
    line.Create(nullptr, 2, 1, 8);
    line.GetData()[0] = 100;
    line.GetData()[1] = 201;
    Image last;
    Texture2D::MakeMipLevel(line, last, 1, 1, false);
    EXPECT_EQ((100 + 201 + 100 + 201 + 2) >> 2, last.GetData()[0]);
}

TEST(TextureFormat, TakesTheFirstMatchingFormatOf32BitsThen16)
{
    const Platform::PixelFormat argb8888{32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000, true, false, false, 0};
    const Platform::PixelFormat xrgb8888{32, 0xFF0000, 0xFF00, 0xFF, 0, false, false, false, 0};
    const Platform::PixelFormat rgb565{16, 0xF800, 0x07E0, 0x001F, 0, false, false, false, 0};
    const Platform::PixelFormat argb1555{16, 0x7C00, 0x03E0, 0x001F, 0x8000, true, false, false, 0};
    const Platform::PixelFormat argb4444{16, 0x0F00, 0x00F0, 0x000F, 0xF000, true, false, false, 0};
    Platform::PixelFormat luminance = argb8888;
    luminance.luminance = true;
    Platform::PixelFormat fourCharacter = xrgb8888;
    fourCharacter.fourCharacterCode = 0x31545844;

    struct Case
    {
        std::vector<Platform::PixelFormat> formats;
        bool alpha;
        bool found;
        Platform::PixelFormat expected;
    };
    const Case cases[] = {
        {{rgb565, argb1555, xrgb8888, argb8888}, true, true, argb8888},
        {{rgb565, argb1555, xrgb8888, argb8888}, false, true, xrgb8888},
        {{argb4444, argb1555}, true, true, argb1555},
        {{argb4444}, true, false, {}},
        {{luminance, fourCharacter, rgb565}, false, true, rgb565},
        {{luminance}, true, false, {}},
        {{}, false, false, {}},
    };
    for (std::size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        Platform::PixelFormat chosen;
        EXPECT_EQ(cases[i].found, Texture2D_D3D7::ChooseTextureFormat(cases[i].formats, cases[i].alpha, chosen))
            << "case " << i;
        if (cases[i].found) {
            EXPECT_TRUE(cases[i].expected == chosen) << "case " << i;
        }
    }
}

using TextureManagerFiles = TextureFixture;

TEST_F(TextureManagerFiles, EqualNamesShareOneTextureUntilTheLastRelease)
{
    SaveBmp("wood.bmp", Plain(4, 4, 3, 200));
    Texture2D* first = textures_->LoadTexture(false, "wood.bmp", "");
    Texture2D* second = textures_->LoadTexture(false, "WOOD.BMP", "");
    Texture2D* mipMapped = textures_->LoadTexture(true, "wood.bmp", "");
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(first, second) << "names differing in letter case share a key";
    EXPECT_NE(first, mipMapped);
    EXPECT_EQ(2, first->GetReferences());
    EXPECT_EQ(2u, textures_->GetTextureCount());

    textures_->ReleaseTexture(first);
    EXPECT_EQ(2u, textures_->GetTextureCount());
    textures_->ReleaseTexture(second);
    EXPECT_EQ(1u, textures_->GetTextureCount());
    textures_->ReleaseTexture(nullptr);
    std::vector<std::string> names;
    textures_->GetTextureNames(names);
    EXPECT_EQ(std::vector<std::string>{"diffuse_wood.bmp_with_mip_mapping"}, names);
}

TEST_F(TextureManagerFiles, AnUnreadablePictureBecomesTheCheckerboard)
{
    Texture2D* texture = textures_->LoadTexture(false, "missing.bmp", "missing_mask.tga");
    ASSERT_NE(nullptr, texture);
    EXPECT_EQ(64u, texture->GetWidth());
    EXPECT_EQ(64u, texture->GetHeight());
    Platform::TextureSurface* surface = texture->GetSurface();
    ASSERT_NE(nullptr, surface);
    EXPECT_FALSE(surface->GetDescription().format.hasAlpha) << "an unreadable opacity picture gives no opacity";
    EXPECT_EQ(0x00000000u, Texel(*surface, 0, 8, 0) & 0xFFFFFF) << "black square";
    EXPECT_EQ(0x00FFFF00u, Texel(*surface, 0, 0, 0) & 0xFFFFFF) << "yellow square";
    EXPECT_EQ(64u * 64u * 3u, textures_->GetUsedVideoMemory());
}

TEST_F(TextureManagerFiles, MipMappedSurfaceHoldsEveryLevelDownToASideOfOne)
{
    SaveBmp("strip.bmp", Plain(256, 64, 3, 10, 20, 30));
    Texture2D* texture = textures_->LoadTexture(true, "strip.bmp", "");
    ASSERT_TRUE(texture->IsMipMapped());
    Platform::TextureSurface* surface = texture->GetSurface();
    ASSERT_NE(nullptr, surface);
    EXPECT_EQ(7u, surface->GetDescription().levelCount);
    EXPECT_FALSE(surface->GetDescription().format.hasAlpha);
    std::uint32_t expectedMemory = 0;
    for (std::uint32_t level = 0; level < 7; ++level) {
        expectedMemory += surface->GetLevelWidth(level) * surface->GetLevelHeight(level) * 3;
        EXPECT_EQ(0x000A141Eu, Texel(*surface, level, 0, 0) & 0xFFFFFF) << "level " << level;
    }
    EXPECT_EQ(4u, surface->GetLevelWidth(6));
    EXPECT_EQ(1u, surface->GetLevelHeight(6));
    EXPECT_EQ(expectedMemory, texture->GetMemorySize());

    render_.config.GetValues()->useMipMapping = 0;
    Texture2D* plain = textures_->LoadTexture(true, "strip.bmp", "other.bmp");
    EXPECT_FALSE(plain->IsMipMapped()) << "r_use_mip_mapping off";
    EXPECT_EQ(1u, plain->GetSurface()->GetDescription().levelCount);
}

TEST_F(TextureManagerFiles, ShowMipMapsPaintsTheSecondLevelRed)
{
    render_.config.GetValues()->showMipMaps = 1;
    SaveBmp("grass.bmp", Plain(8, 8, 3, 0, 255, 0));
    Platform::TextureSurface* surface = textures_->LoadTexture(true, "grass.bmp", "")->GetSurface();
    ASSERT_NE(nullptr, surface);
    EXPECT_EQ(0x0000FF00u, Texel(*surface, 0, 3, 3) & 0xFFFFFF);
    EXPECT_EQ(0x00FF0000u, Texel(*surface, 1, 1, 1) & 0xFFFFFF);
    EXPECT_EQ(0x00FF0000u, Texel(*surface, 2, 0, 0) & 0xFFFFFF) << "and so every level made from it";
}

TEST_F(TextureManagerFiles, RowsKeepTheirOrderAndAlphaComesFromTheOpacityPicture)
{
    // Bottom row red, top row blue; the opacity picture is dark at the bottom.
    Content::FixturePicture picture = Plain(2, 2, 3, 0, 0, 255);
    picture.pixels[6] = 255;
    picture.pixels[8] = 0;
    picture.pixels[9] = 255;
    picture.pixels[11] = 0;
    SaveBmp("flag.bmp", picture);
    Content::FixturePicture mask = Plain(2, 2, 1, 250);
    mask.pixels[2] = 5;
    mask.pixels[3] = 5;
    SaveTga("flag_mask.tga", mask);

    Texture2D* texture = textures_->LoadTexture(false, "flag.bmp", "flag_mask.tga");
    Platform::TextureSurface* surface = texture->GetSurface();
    ASSERT_NE(nullptr, surface);
    ASSERT_TRUE(surface->GetDescription().format.hasAlpha);
    EXPECT_EQ(0x05FF0000u, Texel(*surface, 0, 0, 0)) << "surface row 0 is the picture's bottom row";
    EXPECT_EQ(0xFA0000FFu, Texel(*surface, 0, 1, 1));
    EXPECT_EQ(2u * 2u * 4u, texture->GetMemorySize());

    Texture2D* self = textures_->LoadTexture(false, "flag.bmp", "flag.bmp");
    EXPECT_EQ(0xFFFF0000u, Texel(*self->GetSurface(), 0, 0, 0))
        << "an opacity name equal to the diffuse name takes the diffuse picture's red byte as alpha";
}

TEST_F(TextureManagerFiles, SizesAreFittedWithWarnings)
{
    SaveBmp("odd.bmp", Plain(300, 20, 3, 90));
    SaveTga("odd_mask.tga", Plain(10, 10, 1, 77));
    Texture2D* texture = textures_->LoadTexture(false, "odd.bmp", "odd_mask.tga");
    EXPECT_EQ(256u, texture->GetWidth());
    EXPECT_EQ(16u, texture->GetHeight());
    EXPECT_TRUE(WarningLogged("Texture Manager: \"odd.bmp\" image size should be power of two"));
    EXPECT_TRUE(WarningLogged("Texture Manager: \"odd_mask.tga\" image size should be the same as \"odd.bmp\""));
    EXPECT_EQ(77u, Texel(*texture->GetSurface(), 0, 255, 15) >> 24);

    // A side of one stays one while the other is fitted.
    SaveBmp("thin.bmp", Plain(1, 3, 3, 60));
    Texture2D* thin = textures_->LoadTexture(true, "thin.bmp", "");
    EXPECT_EQ(1u, thin->GetWidth());
    EXPECT_EQ(4u, thin->GetHeight());
    EXPECT_EQ(1u, thin->GetSurface()->GetDescription().levelCount);
    EXPECT_EQ(60u, (Texel(*thin->GetSurface(), 0, 0, 3) >> 16) & 0xFF);
}

TEST_F(TextureManagerFiles, RestoringAfterAResetRebuildsTheSurfaceAsFirstMade)
{
    // Neither picture has power-of-two sides; the opacity one is not even the
    // diffuse size. The rebuilt surface must have the first sizes and alpha.
    SaveBmp("sign.bmp", Content::FixturePicture::MakePattern(300, 200, 3));
    SaveTga("sign_mask.tga", Content::FixturePicture::MakePattern(150, 100, 1));
    Texture2D* texture = textures_->LoadTexture(true, "sign.bmp", "sign_mask.tga");
    Platform::TextureSurface* first = texture->GetSurface();
    ASSERT_NE(nullptr, first);
    const std::uint32_t levels = first->GetDescription().levelCount;
    std::vector<std::vector<std::uint8_t>> before;
    for (std::uint32_t level = 0; level < levels; ++level) {
        const std::uint8_t* bits = first->GetLevelBits(level);
        before.emplace_back(bits, bits + first->GetLevelPitch(level) * first->GetLevelHeight(level));
    }
    const std::uint32_t memory = texture->GetMemorySize();

    // The render system's reset releases every registered texture's surface
    // and has each rebuild it.
    render_.driver->SimulateDeviceLoss(Platform::kGraphicsErrWrongMode);
    render_.system->Refresh();
    ASSERT_TRUE(render_.system->IsResetRequired());
    render_.driver->EndDeviceLossSimulation();
    render_.system->ResetDevice(3);

    Platform::TextureSurface* restored = texture->GetSurface();
    ASSERT_NE(nullptr, restored);
    EXPECT_EQ(256u, restored->GetDescription().width);
    EXPECT_EQ(256u, restored->GetDescription().height);
    ASSERT_EQ(levels, restored->GetDescription().levelCount);
    for (std::uint32_t level = 0; level < levels; ++level) {
        const std::uint8_t* bits = restored->GetLevelBits(level);
        EXPECT_TRUE(std::equal(before[level].begin(), before[level].end(), bits)) << "level " << level;
    }
    EXPECT_EQ(memory, texture->GetMemorySize());
}

TEST_F(TextureManagerFiles, KeptPicturesServeTheRestore)
{
    auto diffuse = std::make_unique<Image>();
    diffuse->Create(log_.get(), 3, 3, 24);
    std::fill(diffuse->GetData(), diffuse->GetData() + 27, 40);
    Texture2D* texture = textures_->AddTexture(true, false, "made in code", "", std::move(diffuse), nullptr);
    EXPECT_EQ(4u, texture->GetWidth());

    TextureManager::TextureImages images;
    textures_->GetImages(texture, images);
    ASSERT_NE(nullptr, images.diffuse);
    EXPECT_EQ(nullptr, images.loadedDiffuse) << "the kept picture, not a reload";
    EXPECT_EQ(4u, images.diffuse->GetWidth());

    texture->ReleaseSurface();
    Platform::TextureSurface* surface = texture->GetSurface();
    ASSERT_NE(nullptr, surface);
    EXPECT_EQ(0x00282828u, Texel(*surface, 0, 3, 3) & 0xFFFFFF);

    auto again = std::make_unique<Image>();
    again->Create(log_.get(), 8, 8, 24);
    EXPECT_EQ(texture, textures_->AddTexture(true, false, "MADE IN CODE", "", std::move(again), nullptr));
    EXPECT_EQ(2, texture->GetReferences());
}

} // namespace
} // namespace OrrelayEngine
