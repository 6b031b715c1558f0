#include "content/PackWriter.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <utility>

#include "content/ContentHash.h"

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

std::vector<std::size_t> PackWriter::FindFirstCopies() const
{
    std::vector<std::size_t> first(entries_.size());
    std::map<std::pair<std::size_t, std::string>, std::vector<std::size_t>> bySizeAndHash;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        ContentHash hash;
        hash.AddBytes(entries_[i].bytes);
        std::vector<std::size_t>& alike = bySizeAndHash[{entries_[i].bytes.size(), hash.GetHex()}];
        // The hash only narrows the search: bytes are compared before they are shared.
        const auto same = std::find_if(alike.begin(), alike.end(),
                                       [&](std::size_t other) { return entries_[other].bytes == entries_[i].bytes; });
        first[i] = same != alike.end() ? *same : i;
        if (same == alike.end()) {
            alike.push_back(i);
        }
    }
    return first;
}

std::size_t PackWriter::CountSharedEntries() const
{
    std::size_t shared = 0;
    const std::vector<std::size_t> first = FindFirstCopies();
    for (std::size_t i = 0; i < first.size(); ++i) {
        shared += first[i] != i ? 1 : 0;
    }
    return shared;
}

std::vector<std::uint8_t> PackWriter::Build() const
{
    const std::vector<std::size_t> first = FindFirstCopies();
    std::uint64_t namesBytes = 0;
    std::uint64_t dataBytes = 0;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        namesBytes += 1 + entries_[i].name.size() + 1;
        dataBytes += first[i] == i ? entries_[i].bytes.size() : 0;
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
    std::vector<std::uint64_t> offsets(entries_.size());
    std::uint64_t offset = dataStart;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        offsets[i] = first[i] == i ? offset : offsets[first[i]];
        offset += first[i] == i ? entries_[i].bytes.size() : 0;
        AppendLittleEndian32(out, static_cast<std::uint32_t>(offsets[i]));
        AppendLittleEndian32(out, static_cast<std::uint32_t>(entries_[i].bytes.size()));
    }
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (first[i] == i)
            out.insert(out.end(), entries_[i].bytes.begin(), entries_[i].bytes.end());
    }
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
