// What the framework tests share: a temporary installation folder with a log
// and a file layer over it, a user data folder inside it spelt the way the
// game spells it (backslashes after the native root), and byte helpers.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/core/MessageManager.h"
#include "engine/file/FileManager.h"
#include "platform/TemporaryFolder.h"
#include "support/LogSearch.h"

namespace FrameworkTests {

class FrameworkEnvironment
{
public:
    FrameworkEnvironment() : log_("Quillory", false, false, "", ""), files_(&log_, temp_.Path(), "Data") {}

    OrrelayEngine::MessageManager& Log() { return log_; }
    OrrelayEngine::FileManager& Files() { return files_; }
    const std::string& Root() const { return temp_.Path(); }
    // The engine path of the user data folder.
    std::string UserFolder() const { return temp_.Path() + "\\Quorvane Games\\Quillory"; }
    // The same folder as the operating system names it.
    std::string NativeUserFolder() const { return temp_.Path() + "/Quorvane Games/Quillory"; }

    std::string Write(const std::string& relative, const std::string& contents) const
    {
        return temp_.Write(relative, contents);
    }

    static std::string ReadAll(const std::string& nativePath)
    {
        std::ifstream in(nativePath, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    static void WriteAll(const std::string& nativePath, const std::string& bytes)
    {
        std::filesystem::create_directories(std::filesystem::path(nativePath).parent_path());
        std::ofstream(nativePath, std::ios::binary) << bytes;
    }

    bool LogContains(std::uint32_t type, const std::string& text) const
    {
        return TestSupport::Logged(log_, text, TestSupport::LogMatch::kPart, type);
    }

private:
    PlatformTests::TemporaryFolder temp_;
    OrrelayEngine::MessageManager log_;
    OrrelayEngine::FileManager files_;
};

inline std::string U32(std::uint32_t value)
{
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes;
}

inline std::uint32_t U32At(const std::string& bytes, std::size_t offset)
{
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[offset + i])) << (8 * i);
    return value;
}

// The stored form of a wide string: count byte (units + 1), units, zero.
inline std::string WideField(const std::u16string& text)
{
    std::string bytes(1, static_cast<char>(text.size() + 1));
    for (char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    bytes.append(2, '\0');
    return bytes;
}

// A header whose stored size matches body.
inline std::string Headered(const std::string& magic, std::uint32_t version, const std::string& body)
{
    return U32(static_cast<std::uint32_t>(13 + body.size())) + magic + U32(version) + body;
}

} // namespace FrameworkTests
