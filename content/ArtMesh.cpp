#include "content/ArtMesh.h"

#include <algorithm>

#include "content/ModelFileWriter.h"
#include "content/ShaderFileWriter.h"
#include "engine/core/Error.h"

namespace Content {

using OrrelayEngine::ModelFile;
using OrrelayEngine::Vector3;

namespace {

constexpr std::uint32_t kBlendOne = 1;
constexpr std::uint32_t kBlendSourceAlpha = 4;
constexpr std::uint32_t kBlendInverseSourceAlpha = 5;
constexpr std::uint32_t kStageMipMapped = 1;
constexpr std::uint32_t kAddressClamp = 0;
constexpr std::uint32_t kAddressWrap = 1;

} // namespace

std::uint32_t ArtMesh::AddVertex(const Vector3& position, float u, float v)
{
    ModelFile::Vertex vertex;
    vertex.position = position;
    vertex.u = u;
    vertex.v = v;
    vertices_.push_back(vertex);
    hasNormal_.push_back(false);
    return static_cast<std::uint32_t>(vertices_.size() - 1);
}

std::uint32_t ArtMesh::AddVertex(const Vector3& position, float u, float v, const Vector3& normal)
{
    const std::uint32_t index = AddVertex(position, u, v);
    vertices_[index].normal = normal;
    hasNormal_[index] = true;
    return index;
}

void ArtMesh::AddTriangle(std::uint32_t a, std::uint32_t b, std::uint32_t c)
{
    indices_.insert(indices_.end(), {a, b, c});
}

void ArtMesh::AddQuad(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d)
{
    indices_.insert(indices_.end(), {a, b, c, a, c, d});
}

void ArtMesh::ComputeNormals()
{
    std::vector<Vector3> sums(vertices_.size());
    for (std::size_t i = 0; i + 2 < indices_.size(); i += 3) {
        const Vector3& a = vertices_[indices_[i]].position;
        const Vector3& b = vertices_[indices_[i + 1]].position;
        const Vector3& c = vertices_[indices_[i + 2]].position;
        const Vector3 face = (b - a).Cross(c - a);
        for (std::size_t k = 0; k < 3; ++k) {
            sums[indices_[i + k]] += face;
        }
    }
    for (std::size_t i = 0; i < vertices_.size(); ++i) {
        if (hasNormal_[i]) {
            continue;
        }
        vertices_[i].normal = sums[i].Length() > 1e-6f ? sums[i].Normalized() : Vector3(0.0f, 0.0f, 1.0f);
    }
}

void ArtMesh::Translate(const Vector3& offset)
{
    for (ModelFile::Vertex& vertex : vertices_) {
        vertex.position += offset;
    }
}

ModelFile ArtMesh::MakeModel(const std::vector<ArtMesh>& frames, std::uint32_t flags, float speed)
{
    if (frames.empty()) {
        throw OrrelayEngine::Error("A generated model needs a frame");
    }
    ModelFile model;
    model.version = ModelFile::kCurrentVersion;
    const bool keyframe = frames.size() > 1;
    model.flags = flags | (keyframe ? ModelFile::kFlagKeyframe : ModelFile::kFlagStatic);
    model.vertexKind = keyframe ? ModelFile::kKeyframeVertices : ModelFile::kStaticVertices;
    model.frameCount = static_cast<std::uint32_t>(frames.size());
    model.animationSpeed = keyframe ? speed : 0.0f;
    model.vertexCount = static_cast<std::uint32_t>(frames[0].vertices_.size());
    model.indices = frames[0].indices_;
    for (const ArtMesh& frame : frames) {
        if (frame.vertices_.size() != model.vertexCount || frame.indices_ != model.indices) {
            throw OrrelayEngine::Error("The frames of a generated model differ in shape");
        }
        ModelFile::Box box;
        box.min = box.max = frame.vertices_.front().position;
        for (const ModelFile::Vertex& vertex : frame.vertices_) {
            model.vertices.push_back(vertex);
            box.min = Vector3(std::min(box.min.x, vertex.position.x), std::min(box.min.y, vertex.position.y),
                              std::min(box.min.z, vertex.position.z));
            box.max = Vector3(std::max(box.max.x, vertex.position.x), std::max(box.max.y, vertex.position.y),
                              std::max(box.max.z, vertex.position.z));
        }
        model.boxes.push_back(box);
    }
    if (model.vertexCount > 0xFFFF) {
        model.flags |= ModelFile::kFlag32BitIndices;
    }
    return model;
}

std::vector<std::uint8_t> ArtMesh::BuildModel(const ModelFile& model)
{
    return ModelFileWriter().Build(model).GetBytes();
}

std::vector<std::uint8_t> ArtMesh::BuildTextureShader(const std::string& colorFile, const std::string& opacityFile,
                                                      bool additive, bool wrap)
{
    ShaderFileWriter writer;
    ShaderFileWriter::Stage stage;
    stage.flags = kStageMipMapped;
    stage.diffuseFileName = colorFile;
    stage.opacityFileName = opacityFile;
    stage.addressU = wrap ? kAddressWrap : kAddressClamp;
    stage.addressV = wrap ? kAddressWrap : kAddressClamp;
    writer.AddStage(stage);
    if (!opacityFile.empty() || additive) {
        writer.SetFlags(1);
        writer.SetBlendFactors(kBlendSourceAlpha, additive ? kBlendOne : kBlendInverseSourceAlpha);
    }
    return writer.Build().GetBytes();
}

} // namespace Content
