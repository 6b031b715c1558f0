#include "content/PackWriter.h"

#include <cstdio>

#include "engine/core/Error.h"
#include "engine/core/FileError.h"

namespace Content {

namespace {

constexpr std::uint32_t kPackVersion = 100;
constexpr std::uint64_t kHeaderAndCountBytes = 17;
constexpr std::uint64_t kDirectoryEntryBytes = 8;
// The length byte counts the name and its terminating zero.
constexpr std::size_t kMaxNameBytes = 254;

void AppendLittleEndian32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<std::uint8_t>((value >> shift) & 0xFF));
}

} // namespace

void PackWriter::AddEntry(const std::string& name, const std::vector<std::uint8_t>& bytes)
{
    if (name.size() > kMaxNameBytes)
        throw OrrelayEngine::Error("Pack entry name too long: " + name);
    entries_.push_back(Entry{name, bytes});
}

void PackWriter::AddEntry(const std::string& name, const std::string& text)
{
    AddEntry(name, std::vector<std::uint8_t>(text.begin(), text.end()));
}

std::vector<std::uint8_t> PackWriter::Build() const
{
    std::uint64_t namesBytes = 0;
    std::uint64_t dataBytes = 0;
    for (const Entry& entry : entries_) {
        namesBytes += 1 + entry.name.size() + 1;
        dataBytes += entry.bytes.size();
    }
    const std::uint64_t dataStart = kHeaderAndCountBytes + namesBytes + kDirectoryEntryBytes * entries_.size();
    const std::uint64_t totalSize = dataStart + dataBytes;
    if (totalSize > 0xFFFFFFFFull)
        throw OrrelayEngine::Error("Pack file would exceed 4 GiB");

    std::vector<std::uint8_t> out;
    out.reserve(static_cast<std::size_t>(totalSize));
    AppendLittleEndian32(out, static_cast<std::uint32_t>(totalSize));
    for (char magic : {'O', 'E', 'P', 'A', 'K'})
        out.push_back(static_cast<std::uint8_t>(magic));
    AppendLittleEndian32(out, kPackVersion);
    AppendLittleEndian32(out, static_cast<std::uint32_t>(entries_.size()));

    for (const Entry& entry : entries_) {
        out.push_back(static_cast<std::uint8_t>(entry.name.size() + 1));
        out.insert(out.end(), entry.name.begin(), entry.name.end());
        out.push_back(0);
    }
    std::uint64_t offset = dataStart;
    for (const Entry& entry : entries_) {
        AppendLittleEndian32(out, static_cast<std::uint32_t>(offset));
        AppendLittleEndian32(out, static_cast<std::uint32_t>(entry.bytes.size()));
        offset += entry.bytes.size();
    }
    for (const Entry& entry : entries_)
        out.insert(out.end(), entry.bytes.begin(), entry.bytes.end());
    return out;
}

void PackWriter::Write(const std::string& path) const
{
    SaveBytes(path, Build());
}

void PackWriter::SaveBytes(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    const std::string failure = "Failed to write \"" + path + "\" file";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        throw OrrelayEngine::FileError(failure);
    const bool written = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed)
        throw OrrelayEngine::FileError(failure);
}

} // namespace Content
