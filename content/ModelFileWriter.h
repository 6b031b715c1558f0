// Writes model files (".mlf", magic "OEMLF") from the same record the engine
// reads them into, so that a file written here reads back equal: static,
// keyframe and skinned models, version 201 (no bone pivots) or 202. Indices
// are written 16 or 32 bits wide by the record's flag word. The size field
// and the influence counts can be made wrong on purpose for tests.
#pragma once

#include <cstdint>

#include "content/ByteBuffer.h"
#include "engine/scene/ModelFile.h"

namespace Content {

class ModelFileWriter
{
public:
    static constexpr std::size_t kSizeOffset = 0;
    static constexpr std::size_t kMagicOffset = 4;
    static constexpr std::size_t kVersionOffset = 9;
    static constexpr std::size_t kFlagsOffset = 13;

    // Added to the true file size in the size field.
    void SetSizeFieldError(std::int32_t error) { sizeFieldError_ = error; }
    // Every skinned vertex gets this many further copies of its last
    // influence, beyond what its record holds.
    void SetSurplusInfluences(std::uint32_t count) { surplusInfluences_ = count; }

    // Writes model.flags as they stand; vertexKind is taken from the flags.
    ByteBuffer Build(const OrrelayEngine::ModelFile& model) const;

    // A flat, static grid in the z = 0 plane from (0, 0) to (columns, rows),
    // two triangles per cell as a triangle list, normals up, uv over the grid.
    static OrrelayEngine::ModelFile MakeStaticGrid(std::uint32_t columns, std::uint32_t rows);

private:
    std::int32_t sizeFieldError_ = 0;
    std::uint32_t surplusInfluences_ = 0;
};

} // namespace Content
