#include "game/gui/StageMapFile.h"

#include <cmath>

#include "engine/core/FileError.h"
#include "engine/file/FieldReader.h"
#include "engine/file/FileBinary.h"
#include "framework/HeaderedFile.h"

namespace Tansywell {

std::vector<StageMapFile::Element> StageMapFile::Read(OrrelayEngine::FileManager* files, const std::string& name)
{
    GameFramework::HeaderedFile headered(files, kMagic, kVersion);
    headered.Open(name, GameFramework::HeaderedFile::kModeRead);
    OrrelayEngine::FileBinary& file = *headered.GetFile();
    OrrelayEngine::FieldReader fields(file, name);
    const std::string formatError = OrrelayEngine::MakeIncorrectFileFormatMessage(name);

    fields.Load(4, "element count");
    const std::uint32_t count = fields.U32();
    // The records fill the rest of the file exactly.
    if (static_cast<std::uint64_t>(count) * kRecordBytes != fields.BytesLeft()) {
        throw OrrelayEngine::FileError(formatError);
    }
    fields.Load(static_cast<std::uint64_t>(count) * kRecordBytes, "element records");

    std::vector<Element> elements(count);
    std::uint32_t stage = 0;
    std::uint32_t level = 0;
    for (Element& element : elements) {
        element.kind = static_cast<std::int32_t>(fields.U32());
        if (element.kind < kStart || element.kind > kPath) {
            throw OrrelayEngine::FileError(formatError);
        }
        for (float& value : element.matrix.m) {
            value = fields.F32();
            if (!std::isfinite(value)) {
                throw OrrelayEngine::FileError(formatError);
            }
        }
        if (element.kind == kCheckPoint) {
            ++stage;
            level = 0;
        }
        element.stage = stage;
        element.level = level++;
    }
    return elements;
}

} // namespace Tansywell
