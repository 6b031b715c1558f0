// Writes ".pak" archives in the layout the engine's PackFile reads: the header
// with the total size equal to the file's length, the names with their
// terminating zero inside the counted bytes, the directory, then each entry's
// bytes in the order they were added. Entries with identical bytes share the
// first one's copy: their directory records point at the same range, which the
// reader accepts like any other.
//
// Build() returns the archive's bytes, so that tests can damage a copy before
// saving it with SaveBytes().
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Content {

class PackWriter
{
public:
    // The name is stored as given (backslashes, any case); the reader
    // lower-cases it. Throws OrrelayEngine::Error for a name of 255 bytes or more.
    void AddEntry(const std::string& name, const std::vector<std::uint8_t>& bytes);
    void AddEntry(const std::string& name, const std::string& text);

    // Throws OrrelayEngine::Error when the archive would not fit 32-bit sizes.
    std::vector<std::uint8_t> Build() const;
    // Entries whose bytes Build() stores once, for an earlier entry with the same bytes.
    std::size_t CountSharedEntries() const;
    // path is a native path. Throws OrrelayEngine::FileError when it cannot be written.
    void Write(const std::string& path) const;

    static void SaveBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);

private:
    struct Entry
    {
        std::string name;
        std::vector<std::uint8_t> bytes;
    };

    // For each entry, the index of the first entry with the same bytes.
    std::vector<std::size_t> FindFirstCopies() const;

    std::vector<Entry> entries_;
};

} // namespace Content
