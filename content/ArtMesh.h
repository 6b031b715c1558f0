// One frame of a generated model: textured vertices and a triangle list, with
// the shapes the game's models are made of (fans, strips, prisms). Frames of
// one model share their topology; MakeModel turns them into a static or
// keyframe model record, and the Build functions into the bytes of the model
// file and of the texture shader file that goes beside it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/scene/ModelFile.h"

namespace Content {

class ArtMesh
{
public:
    // Lit, depth-tested scene models in the first draw group.
    static constexpr std::uint32_t kSceneFlags = 0x8 | 0x40 | 0x80 | 0x200 | 0x40000;
    // Glowing and see-through scene models, which the lights should not shade.
    static constexpr std::uint32_t kUnlitSceneFlags = 0x8 | 0x80 | 0x200 | 0x40000;
    // GUI models: the GUI sets its own draw flags on the windows it makes.
    static constexpr std::uint32_t kGuiFlags = 0x8 | 0x40000;

    // Returns the new vertex's index; the normal is filled by ComputeNormals
    // unless given.
    std::uint32_t AddVertex(const OrrelayEngine::Vector3& position, float u, float v);
    std::uint32_t AddVertex(const OrrelayEngine::Vector3& position, float u, float v,
                            const OrrelayEngine::Vector3& normal);
    void AddTriangle(std::uint32_t a, std::uint32_t b, std::uint32_t c);
    // a, b, c, d around the quad.
    void AddQuad(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d);
    // A grid of (columns + 1) x (rows + 1) vertices placed by point(s, t), s and
    // t running 0 to 1, with texture coordinates uv(s, t).
    template <class Point, class Uv>
    void AddGrid(std::uint32_t columns, std::uint32_t rows, Point point, Uv uv)
    {
        const std::uint32_t first = static_cast<std::uint32_t>(vertices_.size());
        for (std::uint32_t j = 0; j <= rows; ++j) {
            for (std::uint32_t i = 0; i <= columns; ++i) {
                const float s = static_cast<float>(i) / static_cast<float>(columns);
                const float t = static_cast<float>(j) / static_cast<float>(rows);
                const auto tex = uv(s, t);
                AddVertex(point(s, t), tex.first, tex.second);
            }
        }
        for (std::uint32_t j = 0; j < rows; ++j) {
            for (std::uint32_t i = 0; i < columns; ++i) {
                const std::uint32_t a = first + j * (columns + 1) + i;
                AddQuad(a, a + 1, a + columns + 2, a + columns + 1);
            }
        }
    }
    // Area-weighted vertex normals of the triangles, for vertices without a
    // given one; a vertex whose triangles cancel keeps +z.
    void ComputeNormals();
    // Moves every vertex.
    void Translate(const OrrelayEngine::Vector3& offset);

    std::size_t GetVertexCount() const { return vertices_.size(); }
    const std::vector<OrrelayEngine::ModelFile::Vertex>& GetVertices() const { return vertices_; }
    const std::vector<std::uint32_t>& GetIndices() const { return indices_; }

    // One frame: a static model; more: a keyframe model (every frame must have
    // the first frame's vertex count and indices). Boxes are taken per frame.
    static OrrelayEngine::ModelFile MakeModel(const std::vector<ArtMesh>& frames, std::uint32_t flags, float speed);
    static std::vector<std::uint8_t> BuildModel(const OrrelayEngine::ModelFile& model);
    // A one-stage texture shader: the colour picture and, when given, the opacity
    // picture with alpha blending; paths as the game names them. A wrapped
    // picture repeats over texture coordinates beyond 0 to 1.
    static std::vector<std::uint8_t> BuildTextureShader(const std::string& colorFile, const std::string& opacityFile,
                                                        bool additive = false, bool wrap = false);

private:
    std::vector<OrrelayEngine::ModelFile::Vertex> vertices_;
    std::vector<bool> hasNormal_;
    std::vector<std::uint32_t> indices_;
};

} // namespace Content
