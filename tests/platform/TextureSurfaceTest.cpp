#include <gtest/gtest.h>

#include "platform/TextureSurface.h"

using namespace Platform;

namespace {
const PixelFormat kArgb8888{32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000, true, false, false, 0};
const PixelFormat kRgb565{16, 0xF800, 0x07E0, 0x001F, 0, false, false, false, 0};
} // namespace

TEST(TextureSurface, MipChainEndsWhenTheSmallerSideReachesOne)
{
    const struct
    {
        std::uint32_t width, height, levels;
    } cases[] = {{256, 64, 7}, {64, 256, 7}, {1, 1, 1}, {2, 2, 2}, {5, 3, 2}, {1024, 1024, 11}, {0, 16, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(c.levels, TextureSurface::CountMipLevels(c.width, c.height)) << c.width << "x" << c.height;
    }
}

TEST(TextureSurface, CreateRefusesBadDescriptions)
{
    PixelFormat packed24 = kArgb8888;
    packed24.bitCount = 24;
    PixelFormat compressed = kArgb8888;
    compressed.fourCharacterCode = 0x31545844;
    const struct
    {
        TextureSurfaceDescription description;
        GraphicsResult expected;
    } cases[] = {
        {{0, 16, 1, kArgb8888}, kGraphicsErrInvalidParams},
        {{16, 0, 1, kArgb8888}, kGraphicsErrInvalidParams},
        {{TextureSurface::kMaxSidePixels + 1, 1, 1, kArgb8888}, kGraphicsErrInvalidParams},
        {{256, 64, 8, kArgb8888}, kGraphicsErrInvalidParams},
        {{256, 64, 0, kArgb8888}, kGraphicsErrInvalidParams},
        {{16, 16, 1, packed24}, kGraphicsErrInvalidPixelFormat},
        {{16, 16, 1, compressed}, kGraphicsErrInvalidPixelFormat},
        {{256, 64, 7, kArgb8888}, kGraphicsOk},
        {{3, 5, 1, kRgb565}, kGraphicsOk},
    };
    for (const auto& c : cases) {
        std::unique_ptr<TextureSurface> surface;
        EXPECT_EQ(c.expected, TextureSurface::Create(c.description, surface))
            << c.description.width << "x" << c.description.height << " levels " << c.description.levelCount;
        EXPECT_EQ(c.expected == kGraphicsOk, surface != nullptr);
    }
}

TEST(TextureSurface, LevelsHalveAndPitchFollowsTheFormat)
{
    std::unique_ptr<TextureSurface> surface;
    ASSERT_EQ(kGraphicsOk, TextureSurface::Create({256, 64, 7, kArgb8888}, surface));
    EXPECT_EQ(4u, surface->GetLevelWidth(6));
    EXPECT_EQ(1u, surface->GetLevelHeight(6));
    EXPECT_EQ(16u, surface->GetLevelPitch(6));
    ASSERT_EQ(kGraphicsOk, TextureSurface::Create({3, 5, 1, kRgb565}, surface));
    EXPECT_EQ(6u, surface->GetLevelPitch(0));
}

TEST(TextureSurface, LockIsExclusivePerLevelAndUnlockAdvancesTheRevision)
{
    std::unique_ptr<TextureSurface> surface;
    ASSERT_EQ(kGraphicsOk, TextureSurface::Create({4, 4, 3, kArgb8888}, surface));
    void* bits = nullptr;
    std::uint32_t pitch = 0;
    const std::uint64_t revision = surface->GetRevision();
    EXPECT_EQ(kGraphicsErrNotLocked, surface->Unlock(0));
    ASSERT_EQ(kGraphicsOk, surface->Lock(1, bits, pitch));
    EXPECT_EQ(8u, pitch);
    EXPECT_TRUE(surface->IsAnyLevelLocked());
    EXPECT_EQ(kGraphicsErrSurfaceBusy, surface->Lock(1, bits, pitch));
    EXPECT_EQ(nullptr, bits);
    EXPECT_EQ(kGraphicsOk, surface->Lock(0, bits, pitch));
    EXPECT_EQ(kGraphicsErrInvalidParams, surface->Lock(3, bits, pitch));
    EXPECT_EQ(revision, surface->GetRevision());
    EXPECT_EQ(kGraphicsOk, surface->Unlock(1));
    EXPECT_EQ(kGraphicsOk, surface->Unlock(0));
    EXPECT_FALSE(surface->IsAnyLevelLocked());
    EXPECT_LT(revision, surface->GetRevision());
}

TEST(TextureSurface, CopyLevelFromNeedsTheLevelsSizeAndFormat)
{
    std::unique_ptr<TextureSurface> target;
    std::unique_ptr<TextureSurface> source;
    std::unique_ptr<TextureSurface> wrongFormat;
    ASSERT_EQ(kGraphicsOk, TextureSurface::Create({8, 8, 2, kArgb8888}, target));
    ASSERT_EQ(kGraphicsOk, TextureSurface::Create({4, 4, 1, kArgb8888}, source));
    ASSERT_EQ(kGraphicsOk, TextureSurface::Create({4, 4, 1, kRgb565}, wrongFormat));
    void* bits = nullptr;
    std::uint32_t pitch = 0;
    ASSERT_EQ(kGraphicsOk, source->Lock(0, bits, pitch));
    static_cast<std::uint32_t*>(bits)[15] = 0xAABBCCDDu;
    EXPECT_EQ(kGraphicsErrSurfaceBusy, target->CopyLevelFrom(1, *source));
    source->Unlock(0);
    EXPECT_EQ(kGraphicsErrInvalidParams, target->CopyLevelFrom(0, *source));
    EXPECT_EQ(kGraphicsErrInvalidParams, target->CopyLevelFrom(1, *wrongFormat));
    EXPECT_EQ(kGraphicsOk, target->CopyLevelFrom(1, *source));
    const auto* copied = reinterpret_cast<const std::uint32_t*>(target->GetLevelBits(1));
    EXPECT_EQ(0xAABBCCDDu, copied[15]);
}

TEST(TextureSurface, TexelsGoAfterUploadOnlyWhereTheOwnerAllowsAndNoLockFindsThemGone)
{
    std::unique_ptr<TextureSurface> surface;
    std::unique_ptr<TextureSurface> smaller;
    std::unique_ptr<TextureSurface> larger;
    ASSERT_EQ(kGraphicsOk, TextureSurface::Create({4, 4, 2, kArgb8888}, surface));
    ASSERT_EQ(kGraphicsOk, TextureSurface::Create({2, 2, 1, kArgb8888}, smaller));
    ASSERT_EQ(kGraphicsOk, TextureSurface::Create({8, 8, 2, kArgb8888}, larger));
    void* bits = nullptr;
    std::uint32_t pitch = 0;
    ASSERT_EQ(kGraphicsOk, surface->Lock(0, bits, pitch));
    surface->Unlock(0);
    EXPECT_TRUE(surface->IsLevelWritten(0));
    EXPECT_FALSE(surface->IsLevelWritten(1));

    surface->ReleaseLevelsAfterUpload();
    EXPECT_FALSE(surface->AreLevelsReleased()) << "kept unless the owner allowed it";
    surface->SetReleasedAfterUpload(true);
    ASSERT_EQ(kGraphicsOk, surface->Lock(1, bits, pitch));
    surface->ReleaseLevelsAfterUpload();
    EXPECT_FALSE(surface->AreLevelsReleased()) << "kept while a level is locked";
    surface->Unlock(1);
    surface->ReleaseLevelsAfterUpload();
    ASSERT_TRUE(surface->AreLevelsReleased());

    EXPECT_EQ(nullptr, surface->GetLevelBits(0));
    EXPECT_EQ(kGraphicsErrSurfaceLost, surface->Lock(0, bits, pitch));
    EXPECT_EQ(nullptr, bits);
    EXPECT_EQ(kGraphicsErrSurfaceLost, surface->CopyLevelFrom(1, *smaller));
    EXPECT_EQ(kGraphicsErrSurfaceLost, larger->CopyLevelFrom(1, *surface)) << "nor read as a source";
}
