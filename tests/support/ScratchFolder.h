// A fresh folder of its own under the system's temporary folder for one test,
// removed with everything in it when the object goes. Paths it gives are
// native (slashes) and resolved, so they compare equal to resolved ones.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

namespace TestSupport {

class ScratchFolder
{
public:
    ScratchFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "quillory-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) {
            root_ = std::filesystem::canonical(pattern);
            path_ = root_.string();
        }
    }

    ~ScratchFolder()
    {
        std::error_code ignored;
        if (!root_.empty())
            std::filesystem::remove_all(root_, ignored);
    }

    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& Root() const { return root_; }
    const std::string& Path() const { return path_; }
    std::string Path(const std::string& relative) const { return (root_ / relative).string(); }

    // Writes bytes at a path relative to the folder, creating its folders;
    // returns the native path.
    std::string Write(const std::string& relative, const std::string& bytes) const
    {
        const std::filesystem::path full = root_ / relative;
        std::filesystem::create_directories(full.parent_path());
        std::ofstream(full, std::ios::binary | std::ios::trunc) << bytes;
        return full.string();
    }

    std::string Write(const std::string& relative, const std::vector<std::uint8_t>& bytes) const
    {
        return Write(relative, std::string(bytes.begin(), bytes.end()));
    }

    std::string MakeFolder(const std::string& relative) const
    {
        const std::filesystem::path full = root_ / relative;
        std::filesystem::create_directories(full);
        return full.string();
    }

    static std::string ReadAll(const std::string& nativePath)
    {
        std::ifstream in(nativePath, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    std::filesystem::path root_;
    std::string path_;
};

} // namespace TestSupport
