// One ".pak" archive: a 13-byte header ("OEPAK", version 100), the entry count,
// the names, a directory of offsets and sizes, and the entries' bytes stored
// plain. Names are looked up case-insensitively.
//
// The whole layout is checked when the pack is opened, so that reading an entry
// cannot run past the file. A pack that cannot be used logs why and throws
// Error with an empty message. Entries may be read from several threads; the
// directory never changes after opening.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace OrrelayEngine {

class FileBinary;
class MessageManager;

class PackFile
{
public:
    struct Entry
    {
        std::uint32_t offset = 0;
        std::uint32_t size = 0;
    };

    static constexpr std::uint32_t kVersion = 100;

    PackFile(MessageManager* log, const std::string& path);
    // Over a file already open (for example a memory image); the pack owns it.
    PackFile(MessageManager* log, std::unique_ptr<FileBinary> file);
    virtual ~PackFile();

    PackFile(const PackFile&) = delete;
    PackFile& operator=(const PackFile&) = delete;

    bool FileExists(const std::string& name) const;
    bool GetFileSize(const std::string& name, std::uint32_t& size) const;
    // destination must hold at least the entry's size.
    bool ReadFile(const std::string& name, void* destination);
    // Appends, in directory order, every name under folder (subfolders included)
    // whose remainder contains the mask without its first '*'.
    void FindFiles(const std::string& folder, const std::string& mask, std::vector<std::string>& list) const;
    void Close();

private:
    void Open(std::unique_ptr<FileBinary> file, const std::string& path);
    void LoadDirectory();
    const Entry* FindEntry(const std::string& name) const;

    MessageManager* log_;
    std::unique_ptr<FileBinary> file_;
    std::map<std::string, Entry> directory_;
    // Reading an entry is a seek and a read on the one file object.
    std::mutex readMutex_;
};

} // namespace OrrelayEngine
