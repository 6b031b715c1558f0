#include "engine/file/FileTextual.h"

#include <cctype>
#include <climits>
#include <cwchar>
#include <cwctype>

#include "engine/core/Error.h"
#include "engine/core/StringHelpers.h"
#include "engine/file/FileBinary.h"

namespace OrrelayEngine {

namespace {

constexpr std::size_t kBufferSizeBytes = 1024;
constexpr std::int32_t kLastBufferIndex = static_cast<std::int32_t>(kBufferSizeBytes) - 1;
constexpr std::uint32_t kCarriageReturn = 0x0D;
constexpr std::uint32_t kLineFeed = 0x0A;
constexpr std::uint32_t kReplacementCharacter = 0xFFFD;

// UTF-16 text stores characters above U+FFFF as two units; wchar_t holds them whole.
std::wstring CombineSurrogates(const std::u32string& units)
{
    std::wstring text;
    text.reserve(units.size());
    for (std::size_t i = 0; i < units.size(); ++i) {
        const std::uint32_t unit = units[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
            units[i + 1] <= 0xDFFF) {
            text.push_back(static_cast<wchar_t>(0x10000 + ((unit - 0xD800) << 10) + (units[i + 1] - 0xDC00)));
            ++i;
            continue;
        }
        text.push_back(static_cast<wchar_t>(unit));
    }
    return text;
}

} // namespace

FileTextual::FileTextual(MessageManager* log, std::unique_ptr<FileBinary> file, int mode, int encoding)
    : log_(log), mode_(mode == kModeWrite ? kModeWrite : kModeRead), encoding_(encoding), file_(std::move(file)),
      buffer_(kBufferSizeBytes)
{
    if (mode_ == kModeWrite) {
        switch (encoding_) {
        case kEncodingUtf16BigEndian:
            PutByte(0xFE);
            PutByte(0xFF);
            break;
        case kEncodingUtf16LittleEndian:
            PutByte(0xFF);
            PutByte(0xFE);
            break;
        case kEncodingUtf8:
            PutByte(0xEF);
            PutByte(0xBB);
            PutByte(0xBF);
            break;
        default:
            encoding_ = kEncoding8Bit;
            break;
        }
        return;
    }

    const std::uint8_t first = TakeByte();
    const std::uint8_t second = TakeByte();
    if (first == 0xFF && second == 0xFE) {
        encoding_ = kEncodingUtf16LittleEndian;
    } else if (first == 0xFE && second == 0xFF) {
        encoding_ = kEncodingUtf16BigEndian;
    } else if (first == 0xEF && second == 0xBB && TakeByte() == 0xBF) {
        encoding_ = kEncodingUtf8;
    } else {
        encoding_ = kEncoding8Bit;
        Rewind();
    }
}

FileTextual::~FileTextual()
{
    if (mode_ != kModeWrite)
        return;
    try {
        FlushBuffer();
    } catch (const Error&) {
        // A destructor cannot report it; writers that care call Close().
    }
}

void FileTextual::Rewind()
{
    file_->Seek(FileBinary::kSeekFromStart, 0);
    hasPushedBack_ = false;
    bufferIndex_ = -1;
    bytesInBuffer_ = 0;
    endOfFile_ = false;
    firstRead_ = true;
}

std::uint8_t FileTextual::TakeByte()
{
    if (bufferIndex_ != -1 && bufferIndex_ != kLastBufferIndex) {
        ++bufferIndex_;
        if (static_cast<std::uint32_t>(bufferIndex_) < bytesInBuffer_)
            return buffer_[static_cast<std::size_t>(bufferIndex_)];
        endOfFile_ = true;
        return 0;
    }

    std::uint32_t got = 0;
    file_->Read(buffer_.data(), static_cast<std::uint32_t>(kBufferSizeBytes), &got);
    bytesInBuffer_ = got;
    if (got == 0) {
        endOfFile_ = true;
        return 0;
    }
    bufferIndex_ = 0;
    return buffer_[0];
}

std::uint32_t FileTextual::TakeUnit()
{
    if (hasPushedBack_) {
        hasPushedBack_ = false;
        return pushedBack_;
    }

    switch (encoding_) {
    case kEncodingUtf16BigEndian: {
        const std::uint32_t high = TakeByte();
        return (high << 8) | TakeByte();
    }
    case kEncodingUtf16LittleEndian: {
        const std::uint32_t low = TakeByte();
        return low | (static_cast<std::uint32_t>(TakeByte()) << 8);
    }
    case kEncodingUtf8: {
        const std::uint32_t lead = TakeByte();
        if ((lead & 0x80) == 0)
            return lead;
        if ((lead & 0xE0) == 0xC0) {
            const std::uint32_t second = TakeByte();
            return ((lead & 0x1F) << 6) | (second & 0x3F);
        }
        if ((lead & 0xF0) == 0xE0) {
            const std::uint32_t second = TakeByte();
            const std::uint32_t third = TakeByte();
            return ((lead & 0x0F) << 12) | ((second & 0x3F) << 6) | (third & 0x3F);
        }
        // Stray continuation bytes, four-byte leads and FF each stand for one
        // replacement character and consume only themselves.
        return kReplacementCharacter;
    }
    default:
        return TakeByte();
    }
}

bool FileTextual::ReadUnits(std::u32string& out, bool cutComments, bool wordMode)
{
    if (endOfFile_)
        return false;

    const bool bytes = encoding_ == kEncoding8Bit;
    auto isSpace = [bytes](std::uint32_t unit) {
        return bytes ? std::isspace(static_cast<unsigned char>(unit)) != 0
                     : std::iswspace(static_cast<wint_t>(unit)) != 0;
    };

    std::uint32_t unit = TakeUnit();
    // Apart from the very first read, the first unit is the one that ended the
    // previous read; a CR LF pair counts as one line end.
    if (!firstRead_) {
        if (wordMode && isSpace(unit)) {
            unit = TakeUnit();
        } else if (unit == kCarriageReturn) {
            unit = TakeUnit();
            if (unit == kLineFeed)
                unit = TakeUnit();
        } else if (unit == kLineFeed) {
            unit = TakeUnit();
        }
    }
    firstRead_ = false;

    out.clear();
    bool word = wordMode;
    static const std::u32string kComment = U"//";
    while (unit != kCarriageReturn && unit != kLineFeed && !endOfFile_ && !(word && isSpace(unit))) {
        out.push_back(unit);
        // A word that starts a comment takes the rest of the line with it, so the
        // whole comment goes at once.
        if (cutComments && word && out == kComment)
            word = false;
        unit = TakeUnit();
    }
    hasPushedBack_ = true;
    pushedBack_ = unit;

    if (cutComments) {
        const std::size_t comment = out.find(kComment);
        if (comment != std::u32string::npos)
            out.erase(comment);
    }
    return true;
}

bool FileTextual::ReadString(std::string& out, bool cutComments, bool wordMode)
{
    std::u32string units;
    if (!ReadUnits(units, cutComments, wordMode))
        return false;

    out.clear();
    if (encoding_ == kEncoding8Bit) {
        for (std::uint32_t unit : units)
            out.push_back(static_cast<char>(unit));
        return true;
    }

    std::mbstate_t state{};
    char bytes[MB_LEN_MAX];
    for (wchar_t character : CombineSurrogates(units)) {
        if (character == L'\0')
            break;
        const std::size_t length = std::wcrtomb(bytes, character, &state);
        if (length == static_cast<std::size_t>(-1)) {
            out.push_back(replacementCharacter_);
            lossy_ = true;
            state = std::mbstate_t{};
            continue;
        }
        out.append(bytes, length);
    }
    return true;
}

bool FileTextual::ReadWideString(std::wstring& out, bool cutComments, bool wordMode)
{
    std::u32string units;
    if (!ReadUnits(units, cutComments, wordMode))
        return false;

    if (encoding_ == kEncoding8Bit) {
        std::string bytes;
        bytes.reserve(units.size());
        for (std::uint32_t unit : units)
            bytes.push_back(static_cast<char>(unit));
        StringToWideInPlace(bytes, out);
        return true;
    }
    out = CombineSurrogates(units);
    return true;
}

bool FileTextual::ReadWord(std::string& out, bool underscoresToSpaces)
{
    out.clear();
    std::string word;
    while (ReadString(word, true, true)) {
        if (word.empty())
            continue;
        if (underscoresToSpaces)
            ReplaceAll(word, "_", " ");
        out = word;
        return true;
    }
    return false;
}

std::int32_t FileTextual::ReadInt()
{
    std::string word;
    ReadWord(word);
    return StringToInt(word, 10);
}

float FileTextual::ReadFloat()
{
    std::string word;
    ReadWord(word);
    return StringToFloat(word);
}

bool FileTextual::ReadBool()
{
    return ReadInt() > 0;
}

void FileTextual::ReadAllText(std::wstring& out, bool cutComments)
{
    out.clear();
    out.reserve(static_cast<std::size_t>(GetLengthInChars()) + 2);
    std::wstring line;
    bool first = true;
    while (ReadWideString(line, cutComments, false)) {
        if (!first)
            out += L"\r\n";
        out += line;
        first = false;
    }
}

void FileTextual::PutByte(std::uint8_t value)
{
    // In read mode the buffer holds what was read and may be full: the write
    // goes to the binary file, which refuses it unless it was opened for writing.
    if (mode_ != kModeWrite) {
        file_->Write(&value, 1);
        return;
    }
    buffer_[bytesInBuffer_++] = value;
    if (bytesInBuffer_ == kBufferSizeBytes)
        FlushBuffer();
}

void FileTextual::PutCharacter(std::uint32_t character)
{
    switch (encoding_) {
    case kEncodingUtf16BigEndian:
    case kEncodingUtf16LittleEndian: {
        std::uint32_t units[2] = {character, 0};
        std::size_t count = 1;
        if (character > 0xFFFF && character <= 0x10FFFF) {
            units[0] = 0xD800 + ((character - 0x10000) >> 10);
            units[1] = 0xDC00 + ((character - 0x10000) & 0x3FF);
            count = 2;
        } else if (character > 0x10FFFF) {
            units[0] = kReplacementCharacter;
        }
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint8_t high = static_cast<std::uint8_t>(units[i] >> 8);
            const std::uint8_t low = static_cast<std::uint8_t>(units[i] & 0xFF);
            PutByte(encoding_ == kEncodingUtf16BigEndian ? high : low);
            PutByte(encoding_ == kEncodingUtf16BigEndian ? low : high);
        }
        break;
    }
    case kEncodingUtf8:
        if (character < 0x80) {
            PutByte(static_cast<std::uint8_t>(character));
        } else if (character < 0x800) {
            PutByte(static_cast<std::uint8_t>(0xC0 | (character >> 6)));
            PutByte(static_cast<std::uint8_t>(0x80 | (character & 0x3F)));
        } else if (character < 0x10000) {
            PutByte(static_cast<std::uint8_t>(0xE0 | (character >> 12)));
            PutByte(static_cast<std::uint8_t>(0x80 | ((character >> 6) & 0x3F)));
            PutByte(static_cast<std::uint8_t>(0x80 | (character & 0x3F)));
        } else if (character <= 0x10FFFF) {
            // A three-byte form would lose the top bits and write another
            // character; the four-byte form keeps the text intact for other readers.
            PutByte(static_cast<std::uint8_t>(0xF0 | (character >> 18)));
            PutByte(static_cast<std::uint8_t>(0x80 | ((character >> 12) & 0x3F)));
            PutByte(static_cast<std::uint8_t>(0x80 | ((character >> 6) & 0x3F)));
            PutByte(static_cast<std::uint8_t>(0x80 | (character & 0x3F)));
        } else {
            PutCharacter(kReplacementCharacter);
        }
        break;
    default:
        PutByte(static_cast<std::uint8_t>(character));
        break;
    }
}

void FileTextual::WriteString(const std::string& text)
{
    if (encoding_ == kEncoding8Bit) {
        for (char byte : text) {
            if (byte == '\0')
                break;
            PutByte(static_cast<std::uint8_t>(byte));
        }
        return;
    }
    for (wchar_t character : StringToWide(text))
        PutCharacter(static_cast<std::uint32_t>(character));
}

void FileTextual::WriteLineEnd()
{
    PutCharacter(kCarriageReturn);
    PutCharacter(kLineFeed);
}

void FileTextual::FlushBuffer()
{
    if (bytesInBuffer_ == 0)
        return;
    const std::uint32_t count = bytesInBuffer_;
    // Emptied first, so that a failed write is not written again by the destructor.
    bytesInBuffer_ = 0;
    file_->Write(buffer_.data(), count);
}

void FileTextual::Close()
{
    if (mode_ == kModeWrite)
        FlushBuffer();
    file_->Close();
}

std::uint32_t FileTextual::GetLengthInChars() const
{
    const std::uint32_t size = file_->GetSize();
    if (encoding_ == kEncodingUtf16BigEndian || encoding_ == kEncodingUtf16LittleEndian)
        return size / 2;
    return size;
}

} // namespace OrrelayEngine
