#include "content/AssetWorker.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include "engine/core/Error.h"

namespace Content {

AssetWorker::~AssetWorker()
{
    if (freeType_ != nullptr) {
        FT_Done_FreeType(freeType_);
    }
}

FT_LibraryRec_* AssetWorker::GetFreeType()
{
    if (freeType_ == nullptr && FT_Init_FreeType(&freeType_) != 0) {
        freeType_ = nullptr;
        throw OrrelayEngine::Error("FreeType could not start");
    }
    return freeType_;
}

} // namespace Content
