// A file of bytes, in one of three states: being written (a stream), a memory
// image (small files read whole, pack entries), or read from disk on demand (a
// stream kept open for files above the whole-read limit).
//
// Names are engine paths (backslashes, any letter case); the file turns them into
// native paths itself. Errors are thrown as FileError; the file never logs.
// One thread at a time may use a file object.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace OrrelayEngine {

class MessageManager;

class FileBinary
{
public:
    enum SeekMode : int
    {
        kSeekFromStart = 0,
        kSeekFromEnd = 1,
        kSeekFromCurrent = 2
    };

    // Files up to this size are read whole into memory when opened; a file of
    // exactly this size still is.
    static constexpr std::uint64_t kWholeReadLimitBytes = 8u * 1024u * 1024u;

    // write: create or truncate the file. fromMemory: the file is a copy of
    // memorySize bytes at memorySource and no stream is opened.
    FileBinary(MessageManager* log, const std::string& name, bool write, bool wholeInMemory, bool fromMemory = false,
               std::uint32_t memorySize = 0, const void* memorySource = nullptr);
    // Closes quietly; call Close() to learn whether written bytes reached the disk.
    virtual ~FileBinary();

    FileBinary(const FileBinary&) = delete;
    FileBinary& operator=(const FileBinary&) = delete;

    // Without readCount a short read throws FileError after delivering what was
    // there; with it the number read is stored and nothing is thrown.
    void Read(void* destination, std::uint32_t count, std::uint32_t* readCount = nullptr);
    // Only a file opened for writing can be written; anything else throws FileError.
    void Write(const void* source, std::uint32_t count, std::uint32_t* writtenCount = nullptr);
    // False, with the position at the end, when the new position is not inside the
    // file. Seeking from the end takes the offset towards the start as negative.
    bool Seek(int mode, std::int32_t offset);

    // Flushes and closes the stream and releases the memory image; throws
    // FileError when the flush or the close fails. Afterwards the file holds no
    // bytes: reads deliver nothing and writes throw.
    void Close();

    std::uint32_t GetSize() const { return size_; }
    std::uint32_t GetPosition() const { return position_; }
    const std::string& GetName() const { return name_; }

    std::uint32_t ReadUInt32();
    void WriteByte(std::uint8_t value);
    // One length byte, then that many bytes; the text ends at the first zero among them.
    std::string ReadString();
    // One count byte (code units + 1), the 16-bit little-endian code units, a zero.
    // Characters above U+FFFF are written as surrogate pairs; text beyond 254 code
    // units is cut (never inside a pair).
    void WriteWideString(const std::wstring& text);
    // One count byte, then that many 16-bit code units, ending at the first zero;
    // surrogate pairs become one character, a lone surrogate stays as it is.
    std::wstring ReadWideString();

private:
    std::string ResolveNativePath() const;
    std::string MakeReadError(std::uint32_t count) const;
    std::string MakeWriteError(std::uint32_t count) const;

    // Kept for the engine's uniform constructors; the file itself never logs.
    [[maybe_unused]] MessageManager* log_;
    std::string name_;
    std::FILE* stream_ = nullptr;
    bool write_ = false;
    std::uint32_t size_ = 0;
    std::uint32_t position_ = 0;
    std::unique_ptr<std::uint8_t[]> memory_;
};

} // namespace OrrelayEngine
