#include "content/BoardFileWriter.h"

namespace Content {

ByteBuffer BoardFileWriter::Build(std::uint32_t width, std::uint32_t height,
                                  const std::vector<Tansywell::CellRecord>& cells) const
{
    ByteBuffer out;
    out.PutU32(0);
    out.PutBytes("PHBLF", 5);
    out.PutU32(kVersion);
    out.PutU32(width);
    out.PutU32(height);
    out.PutU32(static_cast<std::uint32_t>(cells.size()));
    for (const Tansywell::CellRecord& cell : cells) {
        out.PutU32(cell.layerCount);
        out.PutU8(cell.closed);
        out.PutU8(cell.blocked);
        out.PutU32(cell.x);
        out.PutU32(cell.y);
        for (float value :
             {cell.firstTranslation.x, cell.firstTranslation.y, cell.firstTranslation.z, cell.rotation.x,
              cell.rotation.y, cell.rotation.z, cell.rotation.w, cell.secondTranslation.x, cell.secondTranslation.y,
              cell.secondTranslation.z, cell.furtherVector.x, cell.furtherVector.y, cell.furtherVector.z}) {
            out.PutF32(value);
        }
    }
    out.PatchU32(kSizeOffset, static_cast<std::uint32_t>(static_cast<std::int64_t>(out.GetSize()) + sizeFieldError_));
    return out;
}

} // namespace Content
