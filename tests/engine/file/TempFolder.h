// A fresh folder under the system's temporary folder, removed with everything
// in it when the object goes. Paths it gives are native (slashes).
#pragma once

#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "content/PackWriter.h"

namespace FileTests {

class TempFolder
{
public:
    TempFolder()
    {
        static std::atomic<int> counter{0};
        path_ = std::filesystem::temp_directory_path() /
                ("quillory_file_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }

    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }

    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string Path() const { return path_.string(); }
    std::string Path(const std::string& relative) const { return (path_ / relative).string(); }

    // Writes bytes at a native path below the folder, creating its folders.
    std::string WriteFile(const std::string& relative, const std::vector<std::uint8_t>& bytes) const
    {
        const std::filesystem::path full = path_ / relative;
        std::filesystem::create_directories(full.parent_path());
        Content::PackWriter::SaveBytes(full.string(), bytes);
        return full.string();
    }

    std::string WriteFile(const std::string& relative, const std::string& text) const
    {
        return WriteFile(relative, std::vector<std::uint8_t>(text.begin(), text.end()));
    }

private:
    std::filesystem::path path_;
};

inline std::vector<std::uint8_t> Bytes(const std::string& text)
{
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

} // namespace FileTests
