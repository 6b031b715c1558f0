#include "content/ModelFileWriter.h"

namespace Content {

namespace {

using OrrelayEngine::ModelFile;
using OrrelayEngine::Vector3;

void PutVector(ByteBuffer& file, const Vector3& vector)
{
    file.PutF32(vector.x);
    file.PutF32(vector.y);
    file.PutF32(vector.z);
}

void PutVertex(ByteBuffer& file, const ModelFile::Vertex& vertex)
{
    file.PutF32(vertex.u);
    file.PutF32(vertex.v);
    PutVector(file, vertex.normal);
    PutVector(file, vertex.position);
}

void PutInfluence(ByteBuffer& file, const ModelFile::Influence& influence)
{
    file.PutU16(influence.bone);
    file.PutF32(influence.weight);
    PutVector(file, influence.normal);
    PutVector(file, influence.position);
}

} // namespace

ByteBuffer ModelFileWriter::Build(const ModelFile& model) const
{
    ByteBuffer file;
    file.PutU32(0);
    file.PutBytes("OEMLF", 5);
    file.PutU32(model.version);
    file.PutU32(model.flags);
    const std::uint32_t flags = model.flags;
    if ((flags & (ModelFile::kFlagKeyframe | ModelFile::kFlagSkinned)) != 0) {
        file.PutU32(model.frameCount);
        file.PutF32(model.animationSpeed);
    }
    if ((flags & ModelFile::kFlagSkinned) != 0) {
        file.PutU16(static_cast<std::uint32_t>(model.bones.size()));
        for (const ModelFile::Bone& bone : model.bones) {
            file.PutU8(bone.boundsExcluded);
            file.PutCountedString(bone.name);
            if (model.version == ModelFile::kCurrentVersion) {
                PutVector(file, bone.pivot);
            }
            PutVector(file, bone.boxMin);
            PutVector(file, bone.boxMax);
            file.PutU16(bone.firstLink);
            file.PutU16(bone.secondLink);
        }
        for (const ModelFile::BoneFrame& frame : model.boneFrames) {
            PutVector(file, frame.position);
            file.PutF32(frame.rotation.x);
            file.PutF32(frame.rotation.y);
            file.PutF32(frame.rotation.z);
            file.PutF32(frame.rotation.w);
            PutVector(file, frame.scale);
        }
    }
    file.PutU32(static_cast<std::uint32_t>(model.indices.size()));
    file.PutU32(model.vertexCount);
    const bool wide = (flags & ModelFile::kFlag32BitIndices) != 0;
    for (std::uint32_t index : model.indices) {
        if (wide) {
            file.PutU32(index);
        } else {
            file.PutU16(index);
        }
    }
    if ((flags & (ModelFile::kFlagStatic | ModelFile::kFlagKeyframe)) != 0) {
        for (const ModelFile::Vertex& vertex : model.vertices) {
            PutVertex(file, vertex);
        }
    } else if ((flags & ModelFile::kFlagSkinned) != 0) {
        for (std::size_t i = 0; i < model.skinnedVertices.size(); ++i) {
            const ModelFile::SkinnedVertex& skinned = model.skinnedVertices[i];
            const ModelFile::Vertex uv = i < model.vertices.size() ? model.vertices[i] : ModelFile::Vertex();
            file.PutF32(uv.u);
            file.PutF32(uv.v);
            const std::uint32_t surplus = skinned.influenceCount > 0 ? surplusInfluences_ : 0;
            file.PutU16(skinned.influenceCount + surplus);
            for (std::uint32_t j = 0; j < skinned.influenceCount; ++j) {
                PutInfluence(file, skinned.influences[j]);
            }
            for (std::uint32_t j = 0; j < surplus; ++j) {
                PutInfluence(file, skinned.influences[skinned.influenceCount - 1]);
            }
        }
    }
    for (const ModelFile::Box& box : model.boxes) {
        PutVector(file, box.min);
        PutVector(file, box.max);
    }
    file.PatchU32(kSizeOffset, static_cast<std::uint32_t>(static_cast<std::int64_t>(file.GetSize()) + sizeFieldError_));
    return file;
}

ModelFile ModelFileWriter::MakeStaticGrid(std::uint32_t columns, std::uint32_t rows)
{
    ModelFile model;
    model.version = ModelFile::kCurrentVersion;
    model.flags = ModelFile::kFlagStatic | 0x8 | 0x40 | 0x80 | 0x200 | 0x40000;
    model.vertexKind = ModelFile::kStaticVertices;
    model.vertexCount = (columns + 1) * (rows + 1);
    for (std::uint32_t y = 0; y <= rows; ++y) {
        for (std::uint32_t x = 0; x <= columns; ++x) {
            ModelFile::Vertex vertex;
            vertex.u = static_cast<float>(x) / static_cast<float>(columns == 0 ? 1 : columns);
            vertex.v = static_cast<float>(y) / static_cast<float>(rows == 0 ? 1 : rows);
            vertex.normal = Vector3(0.0f, 0.0f, 1.0f);
            vertex.position = Vector3(static_cast<float>(x), static_cast<float>(y), 0.0f);
            model.vertices.push_back(vertex);
        }
    }
    for (std::uint32_t y = 0; y < rows; ++y) {
        for (std::uint32_t x = 0; x < columns; ++x) {
            const std::uint32_t a = y * (columns + 1) + x;
            const std::uint32_t b = a + 1;
            const std::uint32_t c = a + columns + 1;
            const std::uint32_t d = c + 1;
            model.indices.insert(model.indices.end(), {a, b, c, c, b, d});
        }
    }
    if (model.vertexCount > 0xFFFF) {
        model.flags |= ModelFile::kFlag32BitIndices;
    }
    ModelFile::Box box;
    box.min = Vector3(0.0f, 0.0f, 0.0f);
    box.max = Vector3(static_cast<float>(columns), static_cast<float>(rows), 0.0f);
    model.boxes.push_back(box);
    return model;
}

} // namespace Content
