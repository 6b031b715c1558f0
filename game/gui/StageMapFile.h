// The reader of the stage map file: the places and path pieces of the
// campaign in file order, each with its kind, its placement and the stage and
// level it stands for (counted from the order: a check point opens the next
// stage). Nothing in the file is trusted: the element count must account for
// the whole file, every kind must be known and every matrix finite.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/core/Matrix4.h"

namespace OrrelayEngine {
class FileManager;
}

namespace Tansywell {

class StageMapFile
{
public:
    static constexpr char kFileName[] = "data\\ui\\menus\\map\\map.gmf";
    static constexpr char kMagic[] = "PHGMF";
    static constexpr std::uint32_t kVersion = 100;
    static constexpr std::uint32_t kRecordBytes = 68;

    enum Kind : std::int32_t
    {
        kStart = 0,
        kFinish = 1,
        kCheckPoint = 2,
        kPath = 3
    };

    struct Element
    {
        std::int32_t kind = kPath;
        OrrelayEngine::Matrix4 matrix;
        std::uint32_t stage = 0;
        std::uint32_t level = 0;
    };

    // Throws FileError: the headered file's own errors, or its format error
    // for a count that disagrees with the size, an unknown kind or a matrix
    // that is not finite.
    static std::vector<Element> Read(OrrelayEngine::FileManager* files, const std::string& name = kFileName);
};

} // namespace Tansywell
