#include "engine/file/FileBinary.h"

#include <algorithm>
#include <cstring>

#include "engine/core/FileError.h"
#include "engine/core/StringHelpers.h"
#include "engine/file/FieldReader.h"
#include "engine/file/FileManager.h"
#include "engine/file/LittleEndian.h"
#include "platform/FileSystem.h"

namespace OrrelayEngine {

namespace {

// The count byte of a wide string holds code units + 1.
constexpr std::size_t kMaxWideStringUnits = 254;

bool IsHighSurrogate(std::uint32_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(std::uint32_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

} // namespace

FileBinary::FileBinary(MessageManager* log, const std::string& name, bool write, bool wholeInMemory, bool fromMemory,
                       std::uint32_t memorySize, const void* memorySource)
    : log_(log), name_(name), write_(write)
{
    const std::string openError = "Failed to open \"" + name_ + "\" file";

    if (write_) {
        stream_ = std::fopen(ResolveNativePath().c_str(), "wb");
        if (stream_ == nullptr)
            throw FileError(openError);
        return;
    }

    if (fromMemory) {
        memory_ = std::make_unique<std::uint8_t[]>(memorySize == 0 ? 1 : memorySize);
        if (memorySize != 0 && memorySource != nullptr)
            std::memcpy(memory_.get(), memorySource, memorySize);
        size_ = memorySize;
        return;
    }

    const std::string nativePath = ResolveNativePath();
    // fopen opens a folder for reading here, and reading it then fails midway.
    if (Platform::IsFolder(nativePath))
        throw FileError(openError);
    stream_ = std::fopen(nativePath.c_str(), "rb");
    if (stream_ == nullptr)
        throw FileError(openError);

    long length = -1;
    if (std::fseek(stream_, 0, SEEK_END) == 0)
        length = std::ftell(stream_);
    // Sizes and positions are 32-bit throughout the engine's formats.
    if (length < 0 || static_cast<std::uint64_t>(length) > 0xFFFFFFFFull || std::fseek(stream_, 0, SEEK_SET) != 0) {
        std::fclose(stream_);
        stream_ = nullptr;
        throw FileError(openError);
    }
    size_ = static_cast<std::uint32_t>(length);

    if (wholeInMemory || size_ <= kWholeReadLimitBytes) {
        memory_.reset(new std::uint8_t[size_ == 0 ? 1 : size_]);
        const std::size_t got = size_ == 0 ? 0 : std::fread(memory_.get(), 1, size_, stream_);
        std::fclose(stream_);
        stream_ = nullptr;
        if (got != size_) {
            memory_.reset();
            throw FileError(MakeReadError(size_));
        }
    }
}

FileBinary::~FileBinary()
{
    if (stream_ != nullptr)
        std::fclose(stream_);
}

std::string FileBinary::ResolveNativePath() const
{
    if (FileManager::IsAbsolutePath(name_))
        return Platform::ToNativePath(name_);
    return Platform::ToNativePath(GetProgramFolder() + "\\" + name_);
}

std::string FileBinary::MakeReadError(std::uint32_t count) const
{
    return "Failed to read " + UIntToString(count) + " bytes from \"" + name_ + "\" file";
}

std::string FileBinary::MakeWriteError(std::uint32_t count) const
{
    return "Failed to write " + UIntToString(count) + " bytes from \"" + name_ + "\" file";
}

void FileBinary::Read(void* destination, std::uint32_t count, std::uint32_t* readCount)
{
    if (count == 0) {
        if (readCount != nullptr)
            *readCount = 0;
        return;
    }

    // Seek keeps the position within the file, so this cannot wrap.
    const std::uint32_t wanted = std::min(count, size_ - position_);
    std::uint32_t taken = 0;
    if (wanted != 0) {
        if (memory_) {
            std::memcpy(destination, memory_.get() + position_, wanted);
            taken = wanted;
        } else if (stream_ != nullptr && !write_) {
            taken = static_cast<std::uint32_t>(std::fread(destination, 1, wanted, stream_));
        }
    }
    position_ += taken;

    if (readCount != nullptr)
        *readCount = taken;
    else if (taken < count)
        throw FileError(MakeReadError(count));
}

void FileBinary::Write(const void* source, std::uint32_t count, std::uint32_t* writtenCount)
{
    if (count == 0) {
        if (writtenCount != nullptr)
            *writtenCount = 0;
        return;
    }
    // A memory image or a read stream has nowhere to write to, and the size must
    // stay within 32 bits.
    if (!write_ || stream_ == nullptr || static_cast<std::uint64_t>(position_) + count > 0xFFFFFFFFull)
        throw FileError(MakeWriteError(count));

    const std::uint32_t written = static_cast<std::uint32_t>(std::fwrite(source, 1, count, stream_));
    position_ += written;
    size_ = std::max(size_, position_);

    if (writtenCount != nullptr)
        *writtenCount = written;
    else if (written != count)
        throw FileError(MakeWriteError(count));
}

bool FileBinary::Seek(int mode, std::int32_t offset)
{
    std::int64_t target = position_;
    switch (mode) {
    case kSeekFromStart:
        target = offset;
        break;
    case kSeekFromCurrent:
        target = static_cast<std::int64_t>(position_) + offset;
        break;
    case kSeekFromEnd:
        target = static_cast<std::int64_t>(size_) + offset;
        break;
    default:
        break;
    }

    // The end itself counts as outside, except on an empty file, where 0 is the
    // only place there is. Anything outside lands on the end, so that reads can
    // never start past it.
    bool inside = target >= 0 && target < static_cast<std::int64_t>(size_);
    if (size_ == 0 && target == 0)
        inside = true;
    if (!inside)
        target = size_;
    position_ = static_cast<std::uint32_t>(target);

    // The stream follows the position we keep, clamped or not.
    if (stream_ != nullptr)
        std::fseek(stream_, static_cast<long>(position_), SEEK_SET);
    return inside;
}

void FileBinary::Close()
{
    memory_.reset();
    if (stream_ == nullptr)
        return;

    std::FILE* stream = stream_;
    stream_ = nullptr;
    const bool flushed = !write_ || std::fflush(stream) == 0;
    const bool closed = std::fclose(stream) == 0;
    if (!flushed || !closed)
        throw FileError("Failed to close \"" + name_ + "\" file");
}

std::uint32_t FileBinary::ReadUInt32()
{
    return FieldReader::ReadU32(*this);
}

void FileBinary::WriteByte(std::uint8_t value)
{
    Write(&value, 1);
}

std::string FileBinary::ReadString()
{
    std::uint8_t length = 0;
    Read(&length, 1);
    char bytes[256];
    Read(bytes, length);
    const char* end = std::find(bytes, bytes + length, '\0');
    return std::string(static_cast<const char*>(bytes), end);
}

void FileBinary::WriteWideString(const std::wstring& text)
{
    std::uint16_t units[kMaxWideStringUnits];
    std::size_t count = 0;
    for (wchar_t wide : text) {
        const std::uint32_t character = static_cast<std::uint32_t>(wide);
        if (character == 0)
            break;
        if (character > 0xFFFF && character <= 0x10FFFF) {
            if (count + 2 > kMaxWideStringUnits)
                break;
            const std::uint32_t value = character - 0x10000;
            units[count++] = static_cast<std::uint16_t>(0xD800 + (value >> 10));
            units[count++] = static_cast<std::uint16_t>(0xDC00 + (value & 0x3FF));
            continue;
        }
        if (count + 1 > kMaxWideStringUnits)
            break;
        // Beyond Unicode there is nothing to encode; it stands as a replacement.
        units[count++] = character > 0x10FFFF ? 0xFFFD : static_cast<std::uint16_t>(character);
    }

    std::uint8_t bytes[1 + 2 * (kMaxWideStringUnits + 1)];
    std::size_t used = 0;
    bytes[used++] = static_cast<std::uint8_t>(count + 1);
    for (std::size_t i = 0; i < count; ++i) {
        WriteLittleEndian16(bytes + used, units[i]);
        used += 2;
    }
    bytes[used++] = 0;
    bytes[used++] = 0;
    Write(bytes, static_cast<std::uint32_t>(used));
}

std::wstring FileBinary::ReadWideString()
{
    std::uint8_t count = 0;
    Read(&count, 1);
    std::uint8_t bytes[2 * 255];
    Read(bytes, 2u * count);

    std::wstring text;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t unit = ReadLittleEndian16(bytes + 2 * i);
        if (unit == 0)
            break;
        if (IsHighSurrogate(unit) && i + 1 < count) {
            const std::uint32_t next = ReadLittleEndian16(bytes + 2 * i + 2);
            if (IsLowSurrogate(next)) {
                text.push_back(static_cast<wchar_t>(0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00)));
                ++i;
                continue;
            }
        }
        text.push_back(static_cast<wchar_t>(unit));
    }
    return text;
}

} // namespace OrrelayEngine
