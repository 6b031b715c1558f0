#include "engine/scene/ModelFile.h"

#include <algorithm>
#include <cstring>

#include "engine/core/FileError.h"
#include "engine/core/StringHelpers.h"
#include "engine/file/FieldReader.h"
#include "engine/file/FileBinary.h"

namespace OrrelayEngine {

namespace {

constexpr std::uint32_t kHeaderBytes = 13;
constexpr const char* kMagic = "OEMLF";
constexpr std::uint32_t kMagicBytes = 5;
constexpr std::uint32_t kFileVertexBytes = 32;
constexpr std::uint32_t kBoneFrameBytes = 40;
constexpr std::uint32_t kInfluenceBytes = 30;
// uv and the influence count, before the influences themselves.
constexpr std::uint32_t kSkinnedVertexHeadBytes = 10;
constexpr std::uint32_t kBoxBytes = 24;
// The smallest bone record: flag, empty name, box and the two links; a 202
// file adds the pivot.
constexpr std::uint32_t kSmallestBoneBytes = 1 + 1 + 24 + 4;
constexpr std::uint32_t kPivotBytes = 12;
// A file whose vertex block is missing still names a vertex count, and the
// model makes a buffer of that size; nothing in the file backs it, so it is
// capped here rather than trusted.
constexpr std::uint32_t kMaxVertexCount = 1u << 20;

ModelFile::Vertex ReadVertex(FieldReader& fields)
{
    ModelFile::Vertex vertex;
    vertex.u = fields.F32();
    vertex.v = fields.F32();
    vertex.normal = fields.Vec3();
    vertex.position = fields.Vec3();
    return vertex;
}

} // namespace

void ModelFile::Read(FileBinary& file, const std::string& name, std::uint32_t extraFlags)
{
    FieldReader fields(file, name);
    fields.Take(kHeaderBytes);
    const std::uint32_t sizeField = fields.U32();
    char magic[kMagicBytes];
    fields.Bytes(magic, kMagicBytes);
    if (sizeField != file.GetSize() || std::memcmp(magic, kMagic, kMagicBytes) != 0) {
        fields.Fail(std::string());
    }
    version = fields.U32();
    if (version != kCurrentVersion && version != kVersionWithoutPivots) {
        throw FileError("Incorrect \"" + name + "\" format version, current is " + UIntToString(kCurrentVersion));
    }
    fields.Take(4);
    flags = fields.U32() | extraFlags;
    if (flags == 0) {
        flags = kFlagVertexBufferKind1;
    }
    if ((flags & kFlagStatic) != 0) {
        vertexKind = kStaticVertices;
    } else if ((flags & kFlagKeyframe) != 0) {
        vertexKind = kKeyframeVertices;
    } else if ((flags & kFlagSkinned) != 0) {
        vertexKind = kSkinnedVertices;
    } else {
        vertexKind = kNoVertices;
    }
    const bool keyframeBoxes = (flags & kFlagKeyframe) != 0;

    frameCount = 1;
    animationSpeed = 0.0f;
    if ((flags & (kFlagKeyframe | kFlagSkinned)) != 0) {
        fields.Take(8);
        frameCount = fields.U32();
        animationSpeed = fields.F32();
        // Every animated model needs a frame to show; zero would leave the
        // animation range ending before it starts.
        if (frameCount == 0) {
            fields.Fail("no animation frames");
        }
    }

    bones.clear();
    boneFrames.clear();
    if ((flags & kFlagSkinned) != 0) {
        fields.Take(2);
        const std::uint32_t boneCount = fields.U16();
        const std::uint64_t smallestBone = kSmallestBoneBytes + (version == kCurrentVersion ? kPivotBytes : 0);
        fields.Require(smallestBone * boneCount, "bone table");
        bones.resize(boneCount);
        for (Bone& bone : bones) {
            fields.Take(2);
            bone.boundsExcluded = fields.U8();
            const std::uint32_t length = fields.U8();
            fields.Load(length, "bone name");
            char text[256];
            fields.Bytes(text, length);
            bone.name.assign(text, std::find(text, text + length, '\0'));
            fields.Take(static_cast<std::uint32_t>(smallestBone - 2));
            if (version == kCurrentVersion) {
                bone.pivot = fields.Vec3();
            }
            bone.boxMin = fields.Vec3();
            bone.boxMax = fields.Vec3();
            bone.firstLink = fields.U16();
            bone.secondLink = fields.U16();
        }
        const std::uint64_t frameRecords = static_cast<std::uint64_t>(boneCount) * frameCount;
        if (frameRecords > 0) {
            fields.Load(frameRecords * kBoneFrameBytes, "bone frames");
            boneFrames.resize(static_cast<std::size_t>(frameRecords));
            for (BoneFrame& frame : boneFrames) {
                frame.position = fields.Vec3();
                frame.rotation.x = fields.F32();
                frame.rotation.y = fields.F32();
                frame.rotation.z = fields.F32();
                frame.rotation.w = fields.F32();
                frame.scale = fields.Vec3();
            }
        }
    }

    fields.Take(8);
    const std::uint32_t indexCount = fields.U32();
    vertexCount = fields.U32();
    if (vertexCount > kMaxVertexCount) {
        fields.Fail("too many vertices");
    }

    // The file's index width follows its flag; the index buffer picks its own
    // from its capacity, so indices are carried as 32-bit values and checked.
    const std::uint32_t indexBytes = (flags & kFlag32BitIndices) != 0 ? 4 : 2;
    fields.Load(static_cast<std::uint64_t>(indexCount) * indexBytes, "index block");
    indices.resize(indexCount);
    for (std::uint32_t& index : indices) {
        index = indexBytes == 4 ? fields.U32() : fields.U16();
        if (index >= vertexCount) {
            fields.Fail("index " + UIntToString(index) + " outside " + UIntToString(vertexCount) + " vertices");
        }
    }

    vertices.clear();
    skinnedVertices.clear();
    switch (vertexKind) {
    case kStaticVertices:
        fields.Load(static_cast<std::uint64_t>(vertexCount) * kFileVertexBytes, "vertex block");
        vertices.resize(vertexCount);
        for (Vertex& vertex : vertices) {
            vertex = ReadVertex(fields);
        }
        break;
    case kKeyframeVertices: {
        const std::uint64_t total = static_cast<std::uint64_t>(vertexCount) * frameCount;
        fields.Load(total * kFileVertexBytes, "keyframe vertex block");
        vertices.resize(static_cast<std::size_t>(total));
        for (Vertex& vertex : vertices) {
            vertex = ReadVertex(fields);
        }
        break;
    }
    case kSkinnedVertices:
        fields.Require(static_cast<std::uint64_t>(vertexCount) * kSkinnedVertexHeadBytes, "skinned vertex block");
        vertices.resize(vertexCount);
        skinnedVertices.resize(vertexCount);
        for (std::uint32_t i = 0; i < vertexCount; ++i) {
            fields.Take(kSkinnedVertexHeadBytes);
            vertices[i].u = fields.F32();
            vertices[i].v = fields.F32();
            const std::uint32_t count = fields.U16();
            fields.Load(static_cast<std::uint64_t>(count) * kInfluenceBytes, "bone influences");
            SkinnedVertex& skinned = skinnedVertices[i];
            for (std::uint32_t j = 0; j < count; ++j) {
                Influence influence;
                influence.bone = fields.U16();
                influence.weight = fields.F32();
                influence.normal = fields.Vec3();
                influence.position = fields.Vec3();
                if (influence.bone >= bones.size()) {
                    fields.Fail("bone " + UIntToString(influence.bone) + " outside " +
                                UIntToString(static_cast<std::uint32_t>(bones.size())) + " bones");
                }
                // Influences beyond the record's room are read past and dropped.
                if (j < kMaxInfluences) {
                    skinned.influences[j] = influence;
                }
            }
            skinned.influenceCount = static_cast<std::uint16_t>(count < kMaxInfluences ? count : kMaxInfluences);
        }
        break;
    case kNoVertices:
        break;
    }

    if (keyframeBoxes) {
        fields.Load(static_cast<std::uint64_t>(frameCount) * kBoxBytes, "bounding boxes");
    } else {
        fields.Take(kBoxBytes);
    }
    const std::uint32_t boxCount = keyframeBoxes ? frameCount : 1;
    boxes.resize(boxCount);
    for (Box& box : boxes) {
        box.min = fields.Vec3();
        box.max = fields.Vec3();
    }
}

} // namespace OrrelayEngine
