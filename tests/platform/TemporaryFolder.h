// A fresh folder under the system's temporary folder, removed with everything
// in it when the test ends.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace PlatformTests {

class TemporaryFolder
{
public:
    TemporaryFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "quillory-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) {
            // Resolved, so paths built on it compare equal to resolved ones.
            m_path = std::filesystem::canonical(pattern).string();
        }
    }
    ~TemporaryFolder()
    {
        std::error_code ignored;
        if (!m_path.empty()) {
            std::filesystem::remove_all(m_path, ignored);
        }
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::string& Path() const { return m_path; }

    // Writes a file at a path relative to the folder, creating its folders.
    std::string Write(const std::string& relative, const std::string& contents) const
    {
        const std::filesystem::path full = std::filesystem::path(m_path) / relative;
        std::filesystem::create_directories(full.parent_path());
        std::ofstream(full, std::ios::binary) << contents;
        return full.string();
    }

    std::string MakeFolder(const std::string& relative) const
    {
        const std::filesystem::path full = std::filesystem::path(m_path) / relative;
        std::filesystem::create_directories(full);
        return full.string();
    }

private:
    std::string m_path;
};

} // namespace PlatformTests
