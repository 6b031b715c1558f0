// What one worker thread of the data-set builder owns for the recipes it runs:
// its own FreeType library (FreeType libraries are not shared between threads),
// made on first use.
#pragma once

struct FT_LibraryRec_;

namespace Content {

class AssetWorker
{
public:
    AssetWorker() = default;
    ~AssetWorker();
    AssetWorker(const AssetWorker&) = delete;
    AssetWorker& operator=(const AssetWorker&) = delete;

    // Throws OrrelayEngine::Error when FreeType cannot start.
    FT_LibraryRec_* GetFreeType();

private:
    FT_LibraryRec_* freeType_ = nullptr;
};

} // namespace Content
