// The contents of a model file (".mlf", magic "OEMLF", versions 201 and 202)
// as plain data, read without touching the render system: the Model turns
// them into buffers, a skeleton and frames.
//
// The reader trusts nothing in the file: every count is checked against the
// bytes left before anything is allocated, every index against the vertex
// count and every bone index against the bone count. A bad file throws
// FileError; nothing is logged here.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/core/Quaternion.h"
#include "engine/core/Vector3.h"

namespace OrrelayEngine {

class FileBinary;

class ModelFile
{
public:
    static constexpr std::uint32_t kCurrentVersion = 202;
    static constexpr std::uint32_t kVersionWithoutPivots = 201;
    // A skinned vertex keeps at most this many bone influences.
    static constexpr std::uint32_t kMaxInfluences = 4;

    // Flag bits that decide what the file holds.
    static constexpr std::uint32_t kFlagStatic = 0x1;
    static constexpr std::uint32_t kFlagKeyframe = 0x2;
    static constexpr std::uint32_t kFlagSkinned = 0x4;
    static constexpr std::uint32_t kFlag32BitIndices = 0x100000;
    static constexpr std::uint32_t kFlagVertexBufferKind1 = 0x200000;

    // Which vertex block the file holds: the first of static, keyframe and
    // skinned whose flag is set.
    enum VertexKind : std::uint32_t
    {
        kNoVertices = 0,
        kStaticVertices = 1,
        kKeyframeVertices = 2,
        kSkinnedVertices = 3
    };

    // The file's 32-byte vertex; the fields are stored in this order.
    struct Vertex
    {
        float u = 0.0f;
        float v = 0.0f;
        Vector3 normal;
        Vector3 position;
    };

    struct Influence
    {
        std::uint16_t bone = 0;
        float weight = 0.0f;
        Vector3 normal;
        Vector3 position;
    };

    struct SkinnedVertex
    {
        std::uint16_t influenceCount = 0;
        Influence influences[kMaxInfluences];
    };

    struct Bone
    {
        std::uint8_t boundsExcluded = 0;
        std::string name;
        Vector3 pivot;
        Vector3 boxMin;
        Vector3 boxMax;
        std::uint16_t firstLink = 0;
        std::uint16_t secondLink = 0;
    };

    // The pose of one bone in one frame: ten floats in the file.
    struct BoneFrame
    {
        Vector3 position;
        Quaternion rotation;
        Vector3 scale;
    };

    struct Box
    {
        Vector3 min;
        Vector3 max;
    };

    // Reads the whole file. extraFlags are OR-ed into the file's flag word
    // before it decides the layout, and a resulting word of 0 becomes
    // kFlagVertexBufferKind1. name is the name the messages show.
    void Read(FileBinary& file, const std::string& name, std::uint32_t extraFlags);

    std::uint32_t version = 0;
    std::uint32_t flags = 0;
    VertexKind vertexKind = kNoVertices;
    std::uint32_t frameCount = 1;
    float animationSpeed = 0.0f;
    std::vector<Bone> bones;
    // Frame-major: frame f, bone b at f * bone count + b. Empty without bones.
    std::vector<BoneFrame> boneFrames;
    std::vector<std::uint32_t> indices;
    std::uint32_t vertexCount = 0;
    // Static: vertexCount entries. Keyframe: vertexCount * frameCount,
    // frame-major. Skinned: vertexCount entries holding only the uv.
    std::vector<Vertex> vertices;
    std::vector<SkinnedVertex> skinnedVertices;
    // Keyframe: one per frame; otherwise one.
    std::vector<Box> boxes;
};

} // namespace OrrelayEngine
