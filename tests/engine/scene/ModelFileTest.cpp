#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "content/ModelFileWriter.h"
#include "engine/core/FileError.h"
#include "engine/file/FileBinary.h"
#include "engine/scene/ModelFile.h"

namespace OrrelayEngine {
namespace {

using Content::ModelFileWriter;

const char* const kName = "models\\piece.mlf";

ModelFile ReadBytes(const std::vector<std::uint8_t>& bytes, std::uint32_t extraFlags = 0)
{
    FileBinary file(nullptr, kName, false, false, true, static_cast<std::uint32_t>(bytes.size()), bytes.data());
    ModelFile model;
    model.Read(file, kName, extraFlags);
    return model;
}

std::string ReadError(const std::vector<std::uint8_t>& bytes)
{
    try {
        ReadBytes(bytes);
    } catch (const FileError& error) {
        return error.GetMessage();
    }
    return "no error";
}

ModelFile::Vertex MakeVertex(float seed)
{
    ModelFile::Vertex vertex;
    vertex.u = seed;
    vertex.v = seed + 0.5f;
    vertex.normal = Vector3(0.0f, seed, 1.0f);
    vertex.position = Vector3(seed, seed * 2.0f, seed * 3.0f);
    return vertex;
}

ModelFile MakeStatic(std::uint32_t version)
{
    ModelFile model;
    model.version = version;
    model.flags = ModelFile::kFlagStatic | 0x8;
    model.vertexCount = 3;
    model.indices = {0, 1, 2};
    model.vertices = {MakeVertex(1.0f), MakeVertex(2.0f), MakeVertex(3.0f)};
    model.boxes.push_back({Vector3(1, 2, 3), Vector3(3, 6, 9)});
    return model;
}

ModelFile MakeKeyframe()
{
    ModelFile model;
    model.version = ModelFile::kCurrentVersion;
    model.flags = ModelFile::kFlagKeyframe | 0x8;
    model.frameCount = 2;
    model.animationSpeed = 12.5f;
    model.vertexCount = 3;
    model.indices = {2, 1, 0};
    for (std::uint32_t i = 0; i < 6; ++i) {
        model.vertices.push_back(MakeVertex(static_cast<float>(i)));
    }
    model.boxes.push_back({Vector3(0, 0, 0), Vector3(1, 1, 1)});
    model.boxes.push_back({Vector3(-1, -1, -1), Vector3(2, 2, 2)});
    return model;
}

ModelFile MakeSkinned(std::uint32_t version)
{
    ModelFile model;
    model.version = version;
    model.flags = ModelFile::kFlagSkinned | 0x8;
    model.frameCount = 2;
    model.animationSpeed = 4.0f;
    for (std::uint32_t b = 0; b < 2; ++b) {
        ModelFile::Bone bone;
        bone.boundsExcluded = static_cast<std::uint8_t>(b);
        bone.name = b == 0 ? "hip" : "knee";
        bone.pivot = version == ModelFile::kCurrentVersion ? Vector3(0.5f, 0, 0) : Vector3();
        bone.boxMin = Vector3(-1, -1, -1);
        bone.boxMax = Vector3(1, 1, 1);
        bone.firstLink = static_cast<std::uint16_t>(b + 7);
        bone.secondLink = static_cast<std::uint16_t>(b + 9);
        model.bones.push_back(bone);
    }
    for (std::uint32_t i = 0; i < 4; ++i) {
        ModelFile::BoneFrame frame;
        frame.position = Vector3(static_cast<float>(i), 0, 0);
        frame.rotation = Quaternion(0, 0, 0, 1);
        frame.scale = Vector3(1, 1, 1);
        model.boneFrames.push_back(frame);
    }
    model.vertexCount = 3;
    model.indices = {0, 1, 2};
    for (std::uint32_t i = 0; i < 3; ++i) {
        ModelFile::Vertex uv;
        uv.u = 0.25f * static_cast<float>(i);
        uv.v = 0.5f;
        model.vertices.push_back(uv);
        ModelFile::SkinnedVertex skinned;
        skinned.influenceCount = static_cast<std::uint16_t>(i == 2 ? 2 : 1);
        for (std::uint32_t j = 0; j < skinned.influenceCount; ++j) {
            skinned.influences[j].bone = static_cast<std::uint16_t>(j);
            skinned.influences[j].weight = 1.0f / static_cast<float>(skinned.influenceCount);
            skinned.influences[j].position = Vector3(static_cast<float>(i), 1, 0);
            skinned.influences[j].normal = Vector3(0, 0, 1);
        }
        model.skinnedVertices.push_back(skinned);
    }
    model.boxes.push_back({Vector3(-2, -2, -2), Vector3(2, 2, 2)});
    return model;
}

void ExpectSameVertex(const ModelFile::Vertex& a, const ModelFile::Vertex& b)
{
    EXPECT_FLOAT_EQ(a.u, b.u);
    EXPECT_FLOAT_EQ(a.v, b.v);
    EXPECT_FLOAT_EQ(a.normal.y, b.normal.y);
    EXPECT_FLOAT_EQ(a.position.x, b.position.x);
    EXPECT_FLOAT_EQ(a.position.z, b.position.z);
}

TEST(ModelFile, EveryKindAndVersionReadsBackAsWritten)
{
    struct Case
    {
        const char* label;
        ModelFile model;
        ModelFile::VertexKind kind;
    };
    ModelFile wide = MakeStatic(ModelFile::kCurrentVersion);
    wide.flags |= ModelFile::kFlag32BitIndices;
    const Case cases[] = {
        {"static 202", MakeStatic(ModelFile::kCurrentVersion), ModelFile::kStaticVertices},
        {"static 201", MakeStatic(ModelFile::kVersionWithoutPivots), ModelFile::kStaticVertices},
        {"static 32-bit indices", wide, ModelFile::kStaticVertices},
        {"keyframe", MakeKeyframe(), ModelFile::kKeyframeVertices},
        {"skinned 202", MakeSkinned(ModelFile::kCurrentVersion), ModelFile::kSkinnedVertices},
        {"skinned 201", MakeSkinned(ModelFile::kVersionWithoutPivots), ModelFile::kSkinnedVertices},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const ModelFile read = ReadBytes(ModelFileWriter().Build(c.model).GetBytes());
        EXPECT_EQ(read.version, c.model.version);
        EXPECT_EQ(read.flags, c.model.flags);
        EXPECT_EQ(read.vertexKind, c.kind);
        EXPECT_EQ(read.frameCount, c.model.frameCount);
        EXPECT_FLOAT_EQ(read.animationSpeed, c.model.animationSpeed);
        EXPECT_EQ(read.indices, c.model.indices);
        EXPECT_EQ(read.vertexCount, c.model.vertexCount);
        ASSERT_EQ(read.vertices.size(), c.model.vertices.size());
        for (std::size_t i = 0; i < read.vertices.size(); ++i) {
            EXPECT_FLOAT_EQ(read.vertices[i].u, c.model.vertices[i].u);
            EXPECT_FLOAT_EQ(read.vertices[i].v, c.model.vertices[i].v);
            if (c.kind != ModelFile::kSkinnedVertices) {
                ExpectSameVertex(read.vertices[i], c.model.vertices[i]);
            }
        }
        ASSERT_EQ(read.bones.size(), c.model.bones.size());
        for (std::size_t b = 0; b < read.bones.size(); ++b) {
            EXPECT_EQ(read.bones[b].name, c.model.bones[b].name);
            EXPECT_EQ(read.bones[b].boundsExcluded, c.model.bones[b].boundsExcluded);
            EXPECT_FLOAT_EQ(read.bones[b].pivot.x, c.model.bones[b].pivot.x);
            EXPECT_EQ(read.bones[b].firstLink, c.model.bones[b].firstLink);
            EXPECT_EQ(read.bones[b].secondLink, c.model.bones[b].secondLink);
        }
        ASSERT_EQ(read.boneFrames.size(), c.model.boneFrames.size());
        for (std::size_t f = 0; f < read.boneFrames.size(); ++f) {
            EXPECT_FLOAT_EQ(read.boneFrames[f].position.x, c.model.boneFrames[f].position.x);
            EXPECT_FLOAT_EQ(read.boneFrames[f].rotation.w, c.model.boneFrames[f].rotation.w);
        }
        ASSERT_EQ(read.skinnedVertices.size(), c.model.skinnedVertices.size());
        for (std::size_t i = 0; i < read.skinnedVertices.size(); ++i) {
            EXPECT_EQ(read.skinnedVertices[i].influenceCount, c.model.skinnedVertices[i].influenceCount);
            EXPECT_FLOAT_EQ(read.skinnedVertices[i].influences[0].position.x,
                            c.model.skinnedVertices[i].influences[0].position.x);
        }
        ASSERT_EQ(read.boxes.size(), c.model.boxes.size());
        EXPECT_FLOAT_EQ(read.boxes.back().max.y, c.model.boxes.back().max.y);
    }
}

TEST(ModelFile, BonesOfTheCurrentVersionCarryATwelveBytePivot)
{
    const std::size_t older = ModelFileWriter().Build(MakeSkinned(ModelFile::kVersionWithoutPivots)).GetSize();
    const std::size_t current = ModelFileWriter().Build(MakeSkinned(ModelFile::kCurrentVersion)).GetSize();
    EXPECT_EQ(current - older, 2u * 12u);
    const ModelFile read = ReadBytes(ModelFileWriter().Build(MakeSkinned(ModelFile::kVersionWithoutPivots)).GetBytes());
    EXPECT_FLOAT_EQ(read.bones[0].pivot.x, 0.0f);
}

TEST(ModelFile, FlagWordOfZeroMeansVertexBufferKindOneAndNoVertexBlock)
{
    ModelFile model;
    model.version = ModelFile::kCurrentVersion;
    model.flags = 0;
    model.vertexCount = 4;
    model.indices = {0, 1, 2, 3};
    model.boxes.push_back({Vector3(), Vector3(1, 1, 1)});
    const ModelFile read = ReadBytes(ModelFileWriter().Build(model).GetBytes());
    EXPECT_EQ(read.flags, ModelFile::kFlagVertexBufferKind1);
    EXPECT_EQ(read.vertexKind, ModelFile::kNoVertices);
    EXPECT_TRUE(read.vertices.empty());
    EXPECT_EQ(read.vertexCount, 4u);

    // Extra flags count before the zero rule and before the layout is chosen.
    const ModelFile withExtra = ReadBytes(ModelFileWriter().Build(model).GetBytes(), 0x20);
    EXPECT_EQ(withExtra.flags, 0x20u);
}

TEST(ModelFile, DamagedFilesAreRefusedBeforeAnythingIsAllocated)
{
    const std::vector<std::uint8_t> good = ModelFileWriter().Build(MakeSkinned(ModelFile::kCurrentVersion)).GetBytes();
    struct Case
    {
        const char* label;
        std::vector<std::uint8_t> bytes;
        const char* message;
    };
    std::vector<Case> cases;
    {
        ModelFileWriter writer;
        writer.SetSizeFieldError(1);
        cases.push_back(
            {"size field", writer.Build(MakeStatic(202)).GetBytes(), "Incorrect \"models\\piece.mlf\" file format"});
    }
    {
        Content::ByteBuffer bytes = ModelFileWriter().Build(MakeStatic(202));
        bytes.PatchU8(4, 'X');
        cases.push_back({"magic", bytes.GetBytes(), "Incorrect \"models\\piece.mlf\" file format"});
    }
    {
        Content::ByteBuffer bytes = ModelFileWriter().Build(MakeStatic(202));
        bytes.PatchU32(ModelFileWriter::kVersionOffset, 203);
        cases.push_back(
            {"version", bytes.GetBytes(), "Incorrect \"models\\piece.mlf\" format version, current is 202"});
    }
    {
        ModelFile model = MakeStatic(202);
        model.indices = {0, 1, 3};
        cases.push_back(
            {"index past the vertices", ModelFileWriter().Build(model).GetBytes(), "index 3 outside 3 vertices"});
    }
    {
        ModelFile model = MakeSkinned(202);
        model.skinnedVertices[1].influences[0].bone = 2;
        cases.push_back({"bone past the bones", ModelFileWriter().Build(model).GetBytes(), "bone 2 outside 2 bones"});
    }
    {
        ModelFile model = MakeKeyframe();
        model.frameCount = 0;
        model.vertices.clear();
        model.boxes.clear();
        cases.push_back({"no frames", ModelFileWriter().Build(model).GetBytes(), "no animation frames"});
    }
    {
        ModelFile model = MakeStatic(202);
        model.vertexCount = 0x7FFFFFFF;
        cases.push_back({"huge vertex count", ModelFileWriter().Build(model).GetBytes(), "too many vertices"});
    }
    {
        // An index count far beyond the file: refused on the count, not on a short read.
        Content::ByteBuffer bytes = ModelFileWriter().Build(MakeStatic(202));
        bytes.PatchU32(17, 0xFFFFFFF0u);
        cases.push_back({"huge index count", bytes.GetBytes(), "index block runs past the end"});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_NE(ReadError(c.bytes).find(c.message), std::string::npos) << ReadError(c.bytes);
    }
    // Every shortened copy (its size field kept true) is refused, never read past.
    for (std::size_t length = 0; length < good.size(); ++length) {
        std::vector<std::uint8_t> cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(length));
        if (length >= 4) {
            cut[0] = static_cast<std::uint8_t>(length);
            cut[1] = static_cast<std::uint8_t>(length >> 8);
        }
        EXPECT_NE(ReadError(cut), "no error") << "length " << length;
    }
}

TEST(ModelFile, AFileCutShortIsAShortReadAndACountPastTheEndIsAFormatError)
{
    // Header 17 bytes, counts 8, three 16-bit indices, three 32-byte vertices, one box.
    const std::vector<std::uint8_t> good = ModelFileWriter().Build(MakeStatic(202)).GetBytes();
    ASSERT_EQ(good.size(), 151u);
    const std::string shortRead = "Failed to read ";
    const std::string from = " bytes from \"models\\piece.mlf\" file";
    struct Case
    {
        std::size_t length;
        bool sizeFieldKeptTrue;
        std::string message;
    };
    const Case cases[] = {
        {0, false, shortRead + "13" + from},
        {12, false, shortRead + "13" + from},
        {15, true, shortRead + "4" + from},
        {20, true, shortRead + "8" + from},
        {140, true, shortRead + "24" + from},
        {100, true, "Incorrect \"models\\piece.mlf\" file format: vertex block runs past the end"},
        {150, false, "Incorrect \"models\\piece.mlf\" file format"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "cut to " << c.length);
        std::vector<std::uint8_t> cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(c.length));
        if (c.sizeFieldKeptTrue) {
            cut[0] = static_cast<std::uint8_t>(c.length);
        }
        EXPECT_EQ(ReadError(cut), c.message);
    }
}

TEST(ModelFile, InfluencesBeyondFourAreReadPastAndDropped)
{
    ModelFile model = MakeSkinned(ModelFile::kCurrentVersion);
    model.skinnedVertices[0].influenceCount = 4;
    for (std::uint32_t j = 1; j < 4; ++j) {
        model.skinnedVertices[0].influences[j] = model.skinnedVertices[0].influences[0];
    }
    ModelFileWriter writer;
    writer.SetSurplusInfluences(3);
    const ModelFile read = ReadBytes(writer.Build(model).GetBytes());
    // Every vertex got three more: 4 + 3 and 2 + 3 are capped, 1 + 3 is not.
    EXPECT_EQ(read.skinnedVertices[0].influenceCount, 4u);
    EXPECT_EQ(read.skinnedVertices[1].influenceCount, 4u);
    // The vertices after a long one are still read in their place.
    EXPECT_EQ(read.skinnedVertices[2].influenceCount, 4u);
    EXPECT_FLOAT_EQ(read.skinnedVertices[2].influences[1].position.x, 2.0f);
    EXPECT_FLOAT_EQ(read.boxes[0].max.x, 2.0f);
}

} // namespace
} // namespace OrrelayEngine
