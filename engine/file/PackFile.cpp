#include "engine/file/PackFile.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "engine/core/FileError.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringHelpers.h"
#include "engine/file/FileBinary.h"
#include "engine/file/LittleEndian.h"

namespace OrrelayEngine {

namespace {

constexpr std::uint32_t kHeaderSizeBytes = 13;
constexpr char kMagic[5] = {'O', 'E', 'P', 'A', 'K'};
constexpr std::uint64_t kDirectoryEntrySizeBytes = 8;
// The shortest name is its length byte alone.
constexpr std::uint64_t kMinNameSizeBytes = 1;
const char* const kFormatError = "Incorrect pack file format";

} // namespace

PackFile::PackFile(MessageManager* log, const std::string& path) : log_(log)
{
    Open(nullptr, path);
}

PackFile::PackFile(MessageManager* log, std::unique_ptr<FileBinary> file) : log_(log)
{
    const std::string path = file ? file->GetName() : std::string();
    Open(std::move(file), path);
}

PackFile::~PackFile()
{
    Close();
}

void PackFile::Open(std::unique_ptr<FileBinary> file, const std::string& path)
{
    log_->LogInfo("...Pack file " + path + " found...");
    try {
        file_ = file ? std::move(file) : std::make_unique<FileBinary>(log_, path, false, false);
        LoadDirectory();
    } catch (const FileError& error) {
        // Without spacing the error lands on the same line as the dots.
        log_->SetSpacing(false);
        log_->LogInfo("......");
        log_->LogError(error.GetMessage());
        log_->SetSpacing(true);
        Close();
        throw Error("");
    }
}

void PackFile::LoadDirectory()
{
    // Every count, size and offset below is checked against the real length in
    // 64 bits before anything is allocated or read.
    const std::uint64_t fileSize = file_->GetSize();

    std::uint8_t header[kHeaderSizeBytes];
    file_->Read(header, kHeaderSizeBytes);
    const std::uint32_t totalSize = ReadLittleEndian32(header);
    const std::uint32_t version = ReadLittleEndian32(header + 9);
    if (std::memcmp(header + 4, kMagic, sizeof(kMagic)) != 0 || totalSize != fileSize)
        throw FileError(kFormatError);
    if (version != kVersion)
        throw FileError("Incorrect pack file version, current is " + UIntToString(kVersion));

    const std::uint32_t count = file_->ReadUInt32();
    log_->LogInfo("......It contains " + UIntToString(count) + " files...");

    const std::uint64_t directorySize = count * kDirectoryEntrySizeBytes;
    if (count * kMinNameSizeBytes + directorySize > fileSize - file_->GetPosition())
        throw FileError(kFormatError);

    std::vector<std::string> names;
    names.reserve(count);
    char text[256];
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint8_t length = 0;
        file_->Read(&length, 1);
        const std::uint64_t stillNeeded = (count - i - 1) * kMinNameSizeBytes + directorySize;
        if (file_->GetPosition() + std::uint64_t{length} + stillNeeded > fileSize)
            throw FileError(kFormatError);
        file_->Read(text, length);
        std::string name(text, std::find(text, text + length, '\0'));
        ToLowerInPlace(name);
        names.push_back(std::move(name));
    }

    std::vector<std::uint8_t> entries(static_cast<std::size_t>(directorySize));
    file_->Read(entries.data(), static_cast<std::uint32_t>(directorySize));
    for (std::uint32_t i = 0; i < count; ++i) {
        Entry entry;
        entry.offset = ReadLittleEndian32(&entries[i * kDirectoryEntrySizeBytes]);
        entry.size = ReadLittleEndian32(&entries[i * kDirectoryEntrySizeBytes + 4]);
        if (std::uint64_t{entry.offset} + entry.size > fileSize)
            throw FileError(kFormatError);
        // emplace keeps the first of two equal names.
        directory_.emplace(std::move(names[i]), entry);
    }
}

const PackFile::Entry* PackFile::FindEntry(const std::string& name) const
{
    const auto found = directory_.find(ToLower(name));
    return found == directory_.end() ? nullptr : &found->second;
}

bool PackFile::FileExists(const std::string& name) const
{
    return FindEntry(name) != nullptr;
}

bool PackFile::GetFileSize(const std::string& name, std::uint32_t& size) const
{
    const Entry* entry = FindEntry(name);
    if (entry == nullptr)
        return false;
    size = entry->size;
    return true;
}

bool PackFile::ReadFile(const std::string& name, void* destination)
{
    const Entry* entry = FindEntry(name);
    if (entry == nullptr)
        return false;

    std::lock_guard<std::mutex> lock(readMutex_);
    // Offsets are unsigned 32-bit, seeks signed: an offset beyond 2 GiB takes two steps.
    const std::uint32_t firstStep = std::min<std::uint32_t>(entry->offset, INT32_MAX);
    file_->Seek(FileBinary::kSeekFromStart, static_cast<std::int32_t>(firstStep));
    if (entry->offset > firstStep)
        file_->Seek(FileBinary::kSeekFromCurrent, static_cast<std::int32_t>(entry->offset - firstStep));
    file_->Read(destination, entry->size);
    return true;
}

void PackFile::FindFiles(const std::string& folder, const std::string& mask, std::vector<std::string>& list) const
{
    std::string prefix = folder;
    if (prefix.empty() || prefix.back() != '\\')
        prefix += '\\';
    ToLowerInPlace(prefix);

    std::string reducedMask = ToLower(mask);
    const std::size_t star = reducedMask.find('*');
    if (star != std::string::npos)
        reducedMask.erase(star, 1);

    for (const auto& item : directory_) {
        const std::string& name = item.first;
        if (name.compare(0, prefix.size(), prefix) != 0)
            continue;
        if (name.find(reducedMask, prefix.size()) != std::string::npos)
            list.push_back(name);
    }
}

void PackFile::Close()
{
    file_.reset();
    directory_.clear();
}

} // namespace OrrelayEngine
