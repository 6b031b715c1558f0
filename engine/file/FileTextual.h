// Text over a FileBinary, read line by line or word by word, or written, in
// 8-bit text, UTF-16 of either byte order or UTF-8. When reading, the byte-order
// mark decides the encoding and the encoding asked for is ignored.
//
// A text file is either read or written, never both. Reading never throws at the
// end of the file: the readers return false, an empty word or 0.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace OrrelayEngine {

class FileBinary;
class MessageManager;

class FileTextual
{
public:
    enum Mode : int
    {
        kModeRead = 0,
        kModeWrite = 1
    };

    enum Encoding : int
    {
        kEncoding8Bit = 0,
        kEncodingUtf16BigEndian = 1,
        kEncodingUtf16LittleEndian = 2,
        kEncodingUtf8 = 3
    };

    // mode 1 writes; any other value reads. file must not be null.
    FileTextual(MessageManager* log, std::unique_ptr<FileBinary> file, int mode, int encoding);
    // Writes what is buffered quietly; call Close() to learn whether it reached the disk.
    virtual ~FileTextual();

    FileTextual(const FileTextual&) = delete;
    FileTextual& operator=(const FileTextual&) = delete;

    // The next line, or the next word when wordMode is set. With cutComments a
    // "//" and everything after it on the line goes; in word mode a word that
    // starts with "//" swallows the rest of its line.
    bool ReadString(std::string& out, bool cutComments, bool wordMode);
    bool ReadWideString(std::wstring& out, bool cutComments, bool wordMode);
    // The next non-empty word, comments skipped.
    bool ReadWord(std::string& out, bool underscoresToSpaces = false);
    std::int32_t ReadInt();
    float ReadFloat();
    bool ReadBool();
    // The rest of the file, lines joined by CR LF.
    void ReadAllText(std::wstring& out, bool cutComments);

    void WriteString(const std::string& text);
    void WriteLineEnd();
    // Writes the buffer out and closes the file; throws FileError when either fails.
    void Close();

    std::uint32_t GetLengthInChars() const;
    int GetEncoding() const { return encoding_; }
    bool IsEndOfFile() const { return endOfFile_; }
    // Set when a character read had no narrow form and was replaced by '?'.
    bool IsLossy() const { return lossy_; }

private:
    void Rewind();
    std::uint8_t TakeByte();
    std::uint32_t TakeUnit();
    bool ReadUnits(std::u32string& out, bool cutComments, bool wordMode);
    void PutByte(std::uint8_t value);
    void PutCharacter(std::uint32_t character);
    void FlushBuffer();

    [[maybe_unused]] MessageManager* log_;
    int mode_;
    int encoding_;
    std::unique_ptr<FileBinary> file_;
    bool endOfFile_ = false;
    std::vector<std::uint8_t> buffer_;
    std::int32_t bufferIndex_ = -1;
    std::uint32_t bytesInBuffer_ = 0;
    char replacementCharacter_ = '?';
    bool lossy_ = false;
    bool firstRead_ = true;
    bool hasPushedBack_ = false;
    std::uint32_t pushedBack_ = 0;
};

} // namespace OrrelayEngine
