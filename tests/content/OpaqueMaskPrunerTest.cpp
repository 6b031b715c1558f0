#include <gtest/gtest.h>

#include "content/FixturePicture.h"
#include "content/JpegFileWriter.h"
#include "content/OpaqueMaskPruner.h"
#include "content/ShaderFileWriter.h"
#include "engine/file/FileBinary.h"
#include "engine/render/ShaderDescriptor.h"

using Content::OpaqueMaskPruner;

namespace {

std::vector<std::uint8_t> Mask(std::uint8_t lowest)
{
    Content::FixturePicture picture{16, 16, 1, std::vector<std::uint8_t>(256, 255)};
    picture.pixels[100] = lowest;
    return Content::JpegFileWriter(picture).Build().GetBytes();
}

std::vector<std::uint8_t> Shader(const std::string& diffuse, const std::string& opacity, std::uint32_t mode = 0)
{
    Content::ShaderFileWriter writer;
    writer.SetFlags(1);
    writer.SetBlendFactors(4, 5);
    Content::ShaderFileWriter::Stage stage;
    stage.animationMode = mode;
    stage.frameCount = mode != 0 ? 2 : 1;
    stage.diffuseFileName = diffuse;
    stage.opacityFileName = opacity;
    writer.AddStage(stage);
    return writer.Build().GetBytes();
}

OrrelayEngine::ShaderDescriptor Read(const std::string& packPath, const std::vector<std::uint8_t>& bytes)
{
    OrrelayEngine::FileBinary file(nullptr, packPath, false, true, true, static_cast<std::uint32_t>(bytes.size()),
                                   bytes.data());
    OrrelayEngine::ShaderDescriptor descriptor(0);
    descriptor.ReadFromFile(file, packPath.substr(5));
    return descriptor;
}

} // namespace

TEST(OpaqueMaskPruner, LeavesOutOnlyMasksThatChangeNothingAndThatNothingElseOpens)
{
    OpaqueMaskPruner::Entries entries;
    entries["data\\m\\sky.srf"] = Shader("sky.jpg", "sky_alpha.jpg");
    entries["data\\m\\sky_again.srf"] = Shader("t\\sky.jpg", "M\\Sky_Alpha.jpg");
    entries["data\\m\\sky_alpha.jpg"] = Mask(255);
    entries["data\\m\\leaf.srf"] = Shader("leaf.jpg", "leaf_alpha.jpg");
    entries["data\\m\\leaf_alpha.jpg"] = Mask(200);
    entries["data\\m\\named.srf"] = Shader("named.jpg", "named_alpha.jpg");
    entries["data\\m\\named_alpha.jpg"] = Mask(255);
    entries["data\\m\\list.ini"] = {'N', 'A', 'M', 'E', 'D', '_', 'A', 'L', 'P', 'H', 'A', '.', 'J', 'P', 'G'};
    entries["data\\m\\kept.srf"] = Shader("kept.jpg", "kept_alpha.jpg");
    entries["data\\m\\kept_alpha.jpg"] = Mask(255);
    entries["data\\m\\frames.srf"] = Shader("frames0.jpg", "frames_alpha.jpg", 3);
    entries["data\\m\\frames_alpha.jpg"] = Mask(255);
    entries["data\\m\\picture.srf"] = Shader("picture.tga", "picture_alpha.jpg");
    entries["data\\m\\picture_alpha.jpg"] = Mask(255);
    const OpaqueMaskPruner::Entries before = entries;

    const std::vector<std::string> dropped = OpaqueMaskPruner::Prune(
        entries, [](const std::string& packPath) { return packPath == "data\\m\\kept_alpha.jpg"; });
    EXPECT_EQ(dropped, std::vector<std::string>{"data\\m\\sky_alpha.jpg"});
    EXPECT_EQ(entries.count("data\\m\\sky_alpha.jpg"), 0u);
    for (const char* path : {"data\\m\\sky.srf", "data\\m\\sky_again.srf"}) {
        SCOPED_TRACE(path);
        const OrrelayEngine::ShaderDescriptor descriptor = Read(path, entries[path]);
        ASSERT_EQ(descriptor.GetStageCount(), 1u);
        EXPECT_EQ(descriptor.GetStage(0).opacityFileName, "");
        EXPECT_NE(descriptor.GetStage(0).diffuseFileName, "");
        EXPECT_EQ(descriptor.GetFlags(), 1u);
    }
    entries["data\\m\\sky.srf"] = before.at("data\\m\\sky.srf");
    entries["data\\m\\sky_again.srf"] = before.at("data\\m\\sky_again.srf");
    entries["data\\m\\sky_alpha.jpg"] = before.at("data\\m\\sky_alpha.jpg");
    EXPECT_TRUE(entries == before);
}
