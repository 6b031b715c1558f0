// A user data folder for the player-data fuzz targets: one temporary folder
// per process, removed when the process ends, with a log and a file layer.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "engine/core/MessageManager.h"
#include "engine/file/FileManager.h"
#include "tests/support/ScratchFolder.h"

namespace FuzzTargets {

class FuzzUserFolder
{
public:
    static FuzzUserFolder& Get()
    {
        static FuzzUserFolder folder;
        return folder;
    }

    OrrelayEngine::MessageManager& Log() { return log_; }
    OrrelayEngine::FileManager& Files() { return files_; }
    // The engine path, as the game spells it.
    std::string UserFolder() const { return root_ + "\\user"; }

    // Writes the input where the reader will look, relative to the user folder.
    void Place(const std::string& relative, const std::uint8_t* data, std::size_t size)
    {
        const std::filesystem::path path = std::filesystem::path(root_) / "user" / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }

    void Reset()
    {
        log_.ClearMessages();
        std::error_code ignored;
        std::filesystem::remove_all(std::filesystem::path(root_) / "user", ignored);
    }

private:
    FuzzUserFolder() : root_(scratch_.Path()), log_("fuzz", false, false, "", ""), files_(&log_, root_, "Data") {}
    ~FuzzUserFolder() = default;

    TestSupport::ScratchFolder scratch_;
    std::string root_;
    OrrelayEngine::MessageManager log_;
    OrrelayEngine::FileManager files_;
};

} // namespace FuzzTargets
