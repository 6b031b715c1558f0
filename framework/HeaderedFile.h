// A binary data file behind a 13-byte header: u32 size of the whole file, five
// magic characters (no terminating zero), u32 format version, all little-endian.
// Reading checks the header; the owner reads or writes the body through
// GetFile().
//
// Writing never touches the target until the file is complete: the bytes go to
// "<path>.tmp" in the same folder, and Close() renames that over the target.
// Abandon() drops a half-written file and leaves the old one as it was.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace OrrelayEngine {
class Engine;
class FileBinary;
class FileManager;
class MessageManager;
} // namespace OrrelayEngine

namespace GameFramework {

class HeaderedFile
{
public:
    enum Mode : std::uint32_t
    {
        kModeRead = 0,
        kModeWrite = 1
    };

    static constexpr std::uint32_t kHeaderBytes = 13;
    static constexpr std::uint32_t kMagicLength = 5;

    // Only the first five characters of magic count.
    HeaderedFile(OrrelayEngine::FileManager* files, const std::string& magic, std::uint32_t version);
    HeaderedFile(OrrelayEngine::Engine* engine, const std::string& magic, std::uint32_t version);
    virtual ~HeaderedFile();

    HeaderedFile(const HeaderedFile&) = delete;
    HeaderedFile& operator=(const HeaderedFile&) = delete;

    // A write left open is abandoned first. Throws FileError: the file cannot
    // be opened, its header is short, its magic or stored size is wrong, or
    // (unless acceptAnyVersion) its version differs. With acceptAnyVersion the
    // stored version goes to versionRead.
    void Open(const std::string& path, std::uint32_t mode, bool acceptAnyVersion = false,
              std::uint32_t* versionRead = nullptr);
    OrrelayEngine::FileBinary* GetFile() const { return file_.get(); }
    bool IsOpen() const { return file_ != nullptr; }

    // Write mode: completes the header, flushes, and puts the file in place;
    // throws FileError when any of that fails, and then the target is untouched.
    // Nothing happens when no file is open.
    void Close();
    // Closes without completing a write: the temporary file is removed.
    void Abandon();

    // Writes a whole file: opens path for writing, lets writeBody fill the body
    // and closes. A FileError is logged as "<what> not saved: <message>" and the
    // old file stays as it was. True when the file is in place.
    bool Save(const std::string& path, const std::function<void(OrrelayEngine::FileBinary&)>& writeBody,
              OrrelayEngine::MessageManager* log, const std::string& what);

    const std::string& GetMagic() const { return magic_; }
    std::uint32_t GetVersion() const { return version_; }

    // True when something is stored at the path, so that a failed read is a
    // damaged file rather than a first start.
    bool Exists(const std::string& path) const;
    // A damaged file is kept beside itself with ".bak" added before anything
    // new is written over it. True when the path is free now (nothing was
    // there, or it was moved).
    bool SetAsideDamaged(const std::string& path) const;

private:
    void WriteHeader(std::uint32_t size);

    OrrelayEngine::FileManager* files_;
    std::string magic_;
    std::uint32_t version_;
    std::unique_ptr<OrrelayEngine::FileBinary> file_;
    std::uint32_t mode_ = kModeRead;
    // Write mode: where the finished file goes.
    std::string targetPath_;
};

} // namespace GameFramework
