#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>

#include "content/ShaderFileWriter.h"
#include "engine/core/Error.h"
#include "engine/core/FatalError.h"
#include "engine/core/FileError.h"
#include "engine/file/FileBinary.h"
#include "engine/render/ShaderDescriptor.h"
#include "tests/engine/render/RenderFileFixture.h"

namespace OrrelayEngine {
namespace {

using Content::ByteBuffer;
using Content::ShaderFileWriter;

class ShaderFile : public RenderFileFixture
{
protected:
    // Shader files live under the data folder.
    void SaveShader(const std::string& name, const ByteBuffer& bytes) { SaveFixture("data/" + name, bytes); }
};

ShaderFileWriter::Stage MakeStage(std::uint32_t mode, const std::string& diffuse, const std::string& opacity)
{
    ShaderFileWriter::Stage stage;
    stage.animationMode = mode;
    stage.diffuseFileName = diffuse;
    stage.opacityFileName = opacity;
    return stage;
}

TEST_F(ShaderFile, ReadsEveryFieldOfTheDescriptorAndItsStages)
{
    ShaderFileWriter writer;
    writer.SetFlags(1);
    writer.SetColor(0, 0.1f, 0.2f, 0.3f, 0.4f);
    writer.SetColor(3, 0.5f, 0.6f, 0.7f, 0.8f);
    writer.SetScalars(1.5f, -2.0f);
    writer.SetBlendFactors(4, 5);
    ShaderFileWriter::Stage grid = MakeStage(1, "Sheet.TGA", "");
    grid.flags = 3;
    grid.frameCount = 8;
    grid.speed = 12.5f;
    grid.columns = 4;
    grid.rows = 2;
    grid.addressU = 1;
    grid.addressV = 0;
    grid.textureTransform[0] = 2.0f;
    grid.textureTransform[3] = 0.75f;
    writer.AddStage(grid);
    ShaderFileWriter::Stage files = MakeStage(2, "fire00.tga", "textures\\fire_a.tga");
    files.frameCount = 12;
    files.speed = 24.0f;
    writer.AddStage(files);
    SaveShader("models\\table.srf", writer.Build());

    ShaderDescriptor descriptor;
    descriptor.ConstructFromFile(log_.get(), files_.get(), "models\\table.srf");
    EXPECT_EQ(descriptor.GetFlags(), 1u);
    EXPECT_FLOAT_EQ(descriptor.GetColor1().g, 0.2f);
    EXPECT_FLOAT_EQ(descriptor.GetColor4().a, 0.8f);
    EXPECT_FLOAT_EQ(descriptor.GetColor2().r, 1.0f);
    EXPECT_FLOAT_EQ(descriptor.GetScalar1(), 1.5f);
    EXPECT_FLOAT_EQ(descriptor.GetScalar2(), -2.0f);
    EXPECT_EQ(descriptor.GetBlendFactor(0), 4u);
    EXPECT_EQ(descriptor.GetBlendFactor(1), 5u);
    ASSERT_EQ(descriptor.GetStageCount(), 2u);

    const ShaderStage& first = descriptor.GetStage(0);
    EXPECT_EQ(first.flags, 3u);
    EXPECT_EQ(first.animationMode, 1u);
    EXPECT_EQ(first.frameCount, 8u);
    EXPECT_FLOAT_EQ(first.animationSpeed, 12.5f);
    EXPECT_EQ(first.columns, 4u);
    EXPECT_EQ(first.rows, 2u);
    EXPECT_EQ(first.diffuseFileName, "models\\sheet.tga") << "a bare name lies beside the shader file";
    EXPECT_EQ(first.opacityFileName, "");
    EXPECT_EQ(first.addressU, 1u) << "the file's address modes overwrite the stage's";
    EXPECT_EQ(first.addressV, 0u);
    EXPECT_FLOAT_EQ(first.textureTransform[0], 2.0f);
    EXPECT_FLOAT_EQ(first.textureTransform[3], 0.75f);

    const ShaderStage& second = descriptor.GetStage(1);
    EXPECT_EQ(second.animationMode, 2u);
    EXPECT_EQ(second.frameCount, 12u);
    EXPECT_FLOAT_EQ(second.animationSpeed, 24.0f);
    EXPECT_EQ(second.columns, 1u) << "only a grid stage carries its grid";
    EXPECT_EQ(second.diffuseFileName, "models\\fire00.tga");
    EXPECT_EQ(second.opacityFileName, "textures\\fire_a.tga") << "a name with a folder stays";
    EXPECT_TRUE(LoggedErrors().empty());
}

TEST_F(ShaderFile, StageRecordLengthFollowsItsMode)
{
    // Each stage is followed by a second one whose name would be misread if the
    // first record's length were wrong.
    for (std::uint32_t mode : {0u, 1u, 2u, 3u, 4u}) {
        ShaderFileWriter writer;
        ShaderFileWriter::Stage first = MakeStage(mode, "\\a.tga", "");
        first.frameCount = 5;
        first.speed = 3.0f;
        first.columns = 5;
        writer.AddStage(first);
        writer.AddStage(MakeStage(0, "\\b.tga", "\\b_a.tga"));
        SaveShader("modes.srf", writer.Build());

        ShaderDescriptor descriptor;
        descriptor.ConstructFromFile(log_.get(), files_.get(), "modes.srf");
        ASSERT_EQ(descriptor.GetStageCount(), 2u) << mode;
        EXPECT_EQ(descriptor.GetStage(0).frameCount, mode == 0 ? 0u : 5u) << mode;
        EXPECT_FLOAT_EQ(descriptor.GetStage(0).animationSpeed, mode == 0 ? 0.0f : 3.0f) << mode;
        EXPECT_EQ(descriptor.GetStage(0).columns, mode == 1 ? 5u : 1u) << mode;
        EXPECT_EQ(descriptor.GetStage(1).diffuseFileName, "\\b.tga") << mode;
        EXPECT_EQ(descriptor.GetStage(1).opacityFileName, "\\b_a.tga") << mode;
    }
}

TEST_F(ShaderFile, BadAnimationValuesAreClampedOnReading)
{
    ShaderFileWriter writer;
    ShaderFileWriter::Stage unknownMode = MakeStage(9, "a.tga", "");
    unknownMode.frameCount = 0;
    writer.AddStage(unknownMode);
    ShaderFileWriter::Stage emptyGrid = MakeStage(1, "b.tga", "");
    emptyGrid.frameCount = 0xFFFFFFFF;
    emptyGrid.columns = 0;
    emptyGrid.rows = 0;
    writer.AddStage(emptyGrid);
    SaveShader("clamped.srf", writer.Build());

    ShaderDescriptor descriptor;
    descriptor.ConstructFromFile(log_.get(), files_.get(), "clamped.srf");
    ASSERT_EQ(descriptor.GetStageCount(), 2u);
    EXPECT_EQ(descriptor.GetStage(0).animationMode, 4u);
    EXPECT_EQ(descriptor.GetStage(0).frameCount, 1u);
    EXPECT_EQ(descriptor.GetStage(1).frameCount, ShaderStage::kMaxFrameCount);
    EXPECT_EQ(descriptor.GetStage(1).columns, 1u);
    EXPECT_EQ(descriptor.GetStage(1).rows, 1u);
}

TEST_F(ShaderFile, DamagedFilesAreLoggedAndThrownOnAsError)
{
    struct Case
    {
        const char* what;
        std::function<void(ShaderFileWriter&)> prepare;
        std::function<void(ByteBuffer&)> damage;
        std::string message;
    };
    const std::string incorrect = "Incorrect \"bad.srf\" file format";
    const Case cases[] = {
        {"size one byte over", [](ShaderFileWriter& w) { w.SetSizeFieldError(1); }, [](ByteBuffer&) {}, incorrect},
        {"size one byte under", [](ShaderFileWriter& w) { w.SetSizeFieldError(-1); }, [](ByteBuffer&) {}, incorrect},
        {"magic", [](ShaderFileWriter&) {}, [](ByteBuffer& b) { b.PatchU8(ShaderFileWriter::kMagicOffset, 'X'); },
         incorrect},
        {"version 210", [](ShaderFileWriter& w) { w.SetVersion(210); }, [](ByteBuffer&) {},
         "Incorrect \"bad.srf\" format version, current is 211"},
        {"stage count past the end", [](ShaderFileWriter&) {},
         [](ByteBuffer& b) { b.PatchU32(ShaderFileWriter::kStageCountOffset, 0x7FFFFFFF); },
         "Failed to read 4 bytes from"},
        {"only a size field", [](ShaderFileWriter&) {},
         [](ByteBuffer& b) {
             b.Truncate(4);
             b.PatchU32(0, 4);
         },
         "Failed to read 5 bytes from"},
    };
    for (const Case& c : cases) {
        log_->ClearMessages();
        ShaderFileWriter writer;
        writer.AddStage(MakeStage(0, "a.tga", ""));
        c.prepare(writer);
        ByteBuffer bytes = writer.Build();
        c.damage(bytes);
        SaveShader("bad.srf", bytes);
        ShaderDescriptor descriptor;
        try {
            descriptor.ConstructFromFile(log_.get(), files_.get(), "bad.srf");
            ADD_FAILURE() << c.what << ": nothing thrown";
        } catch (const FileError&) {
            ADD_FAILURE() << c.what << ": a FileError escaped";
        } catch (const Error& error) {
            EXPECT_NE(error.GetMessage().find(c.message), std::string::npos) << c.what << ": " << error.GetMessage();
        }
        ASSERT_EQ(LoggedErrors().size(), 1u) << c.what;
        EXPECT_NE(LoggedErrors()[0].find(c.message), std::string::npos) << c.what;
    }

    log_->ClearMessages();
    ShaderDescriptor missing;
    EXPECT_THROW(missing.ConstructFromFile(log_.get(), files_.get(), "missing.srf"), Error);
    EXPECT_EQ(LoggedErrors().size(), 1u);
}

TEST_F(ShaderFile, AThirdStageIsFatalAndAHugeStageCountEndsThere)
{
    ShaderFileWriter writer;
    for (const char* name : {"a.tga", "b.tga", "c.tga"})
        writer.AddStage(MakeStage(0, name, ""));
    ByteBuffer bytes = writer.Build();
    bytes.PatchU32(ShaderFileWriter::kStageCountOffset, 0xFFFFFFFF);
    FileBinary file(log_.get(), "three.srf", false, false, true, static_cast<std::uint32_t>(bytes.GetSize()),
                    bytes.GetBytes().data());
    ShaderDescriptor descriptor;
    EXPECT_THROW(descriptor.ReadFromFile(file, "three.srf"), FatalError);
    EXPECT_EQ(descriptor.GetStageCount(), 2u);
}

} // namespace
} // namespace OrrelayEngine
