#include "framework/HeaderedFilePtr.h"

#include "engine/core/FileError.h"

namespace GameFramework {

void HeaderedFilePtr::Reset(HeaderedFile* file)
{
    if (file_ != nullptr && file_.get() != file) {
        try {
            file_->Close();
        } catch (const OrrelayEngine::FileError&) {
            // Close() kept the old file; see the header.
        }
    }
    if (file_.get() != file)
        file_.reset(file);
}

} // namespace GameFramework
