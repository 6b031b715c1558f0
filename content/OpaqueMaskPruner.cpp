#include "content/OpaqueMaskPruner.h"

#include <algorithm>
#include <cstring>
#include <set>

#include "engine/core/StringHelpers.h"
#include "engine/file/FileBinary.h"
#include "engine/file/LittleEndian.h"
#include "engine/render/Image.h"

namespace Content {

namespace {

constexpr std::size_t kShaderSizeOffset = 0;
constexpr std::size_t kShaderMagicOffset = 4;
constexpr std::size_t kShaderVersionOffset = 9;
constexpr std::size_t kShaderStageCountOffset = 97;
constexpr std::size_t kShaderStagesOffset = 101;
constexpr std::uint32_t kShaderVersion = 211;
constexpr std::uint32_t kShaderMaxStages = 2;
// Addresses and the texture transform close every stage record.
constexpr std::size_t kStageTailBytes = 24;
constexpr std::uint32_t kModeNone = 0;
constexpr std::uint32_t kModeGrid = 1;
constexpr std::uint32_t kModeDiffuseFiles = 2;
// An empty counted string: its length byte counts the terminating zero.
const std::uint8_t kEmptyName[] = {1, 0};

char LowerCase(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::string FileNameOf(const std::string& path)
{
    const std::size_t slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

struct NameField
{
    std::size_t offset = 0;
    std::size_t bytes = 0;
    // The pack path the game opens for the name; empty when it is empty or
    // not a path inside the data folder.
    std::string packPath;
};

struct StageRecord
{
    std::uint32_t mode = 0;
    NameField diffuse;
    NameField opacity;
};

// Names in a shader file are relative to the data folder; a bare file name
// lies beside the shader file.
std::string ResolveName(const std::string& name, const std::string& shaderPath)
{
    if (name.empty() || name[0] == '\\' || name.find(':') != std::string::npos) {
        return std::string();
    }
    if (name.find('\\') != std::string::npos) {
        return "data\\" + OrrelayEngine::ToLower(name);
    }
    return FolderOf(shaderPath) + "\\" + OrrelayEngine::ToLower(name);
}

bool ReadName(const std::vector<std::uint8_t>& bytes, std::size_t& position, const std::string& shaderPath,
              NameField& field)
{
    if (position >= bytes.size() || bytes[position] > bytes.size() - position - 1) {
        return false;
    }
    const auto* text = reinterpret_cast<const char*>(bytes.data() + position + 1);
    const std::size_t length = bytes[position];
    field.offset = position;
    field.bytes = 1 + length;
    field.packPath = ResolveName(std::string(text, std::find(text, text + length, '\0')), shaderPath);
    position += field.bytes;
    return true;
}

// The stage records of one shader file, or false when its layout is not the
// one the engine reads.
bool ReadStages(const std::string& shaderPath, const std::vector<std::uint8_t>& bytes, std::vector<StageRecord>& stages)
{
    if (bytes.size() < kShaderStagesOffset ||
        OrrelayEngine::ReadLittleEndian32(&bytes[kShaderSizeOffset]) != bytes.size() ||
        std::memcmp(&bytes[kShaderMagicOffset], "OESRF", 5) != 0 ||
        OrrelayEngine::ReadLittleEndian32(&bytes[kShaderVersionOffset]) != kShaderVersion) {
        return false;
    }
    const std::uint32_t count = OrrelayEngine::ReadLittleEndian32(&bytes[kShaderStageCountOffset]);
    if (count > kShaderMaxStages) {
        return false;
    }
    std::size_t position = kShaderStagesOffset;
    for (std::uint32_t i = 0; i < count; ++i) {
        StageRecord stage;
        if (bytes.size() - position < 8) {
            return false;
        }
        stage.mode = OrrelayEngine::ReadLittleEndian32(&bytes[position + 4]);
        const std::size_t animation = (stage.mode != kModeNone ? 8 : 0) + (stage.mode == kModeGrid ? 8 : 0);
        if (bytes.size() - position - 8 < animation) {
            return false;
        }
        position += 8 + animation;
        if (!ReadName(bytes, position, shaderPath, stage.diffuse) ||
            !ReadName(bytes, position, shaderPath, stage.opacity) || bytes.size() - position < kStageTailBytes) {
            return false;
        }
        position += kStageTailBytes;
        stages.push_back(stage);
    }
    return position == bytes.size();
}

bool CanOpenPaths(const std::string& packPath)
{
    for (const char* extension : {".jpg", ".tga", ".bmp", ".wav", ".ogg"}) {
        if (EndsWith(packPath, extension)) {
            return false;
        }
    }
    return true;
}

bool NamesFile(const std::vector<std::uint8_t>& bytes, const std::string& fileName)
{
    return std::search(bytes.begin(), bytes.end(), fileName.begin(), fileName.end(),
                       [](std::uint8_t a, char b) { return LowerCase(static_cast<char>(a)) == b; }) != bytes.end();
}

} // namespace

bool OpaqueMaskPruner::IsWhollyOpaque(const std::string& packPath, const std::vector<std::uint8_t>& bytes)
{
    OrrelayEngine::FileBinary file(nullptr, packPath, false, true, true, static_cast<std::uint32_t>(bytes.size()),
                                   bytes.data());
    OrrelayEngine::Image image;
    if (!image.ReadJPEG(nullptr, file, packPath)) {
        return false;
    }
    const std::uint8_t* data = image.GetData();
    return std::all_of(data, data + image.GetDataSize(), [](std::uint8_t value) { return value == 255; });
}

std::vector<std::string> OpaqueMaskPruner::Prune(Entries& entries, const std::function<bool(const std::string&)>& keep)
{
    std::map<std::string, std::vector<StageRecord>> shaders;
    // Masks some stage cannot do without, or whose name is used as a colour picture.
    std::set<std::string> needed;
    std::set<std::string> masks;
    for (const auto& entry : entries) {
        std::vector<StageRecord> stages;
        if (!EndsWith(entry.first, ".srf") || !ReadStages(entry.first, entry.second, stages)) {
            continue;
        }
        for (const StageRecord& stage : stages) {
            needed.insert(stage.diffuse.packPath);
            if (stage.opacity.packPath.empty()) {
                continue;
            }
            const bool rewritable = stage.mode <= kModeDiffuseFiles && EndsWith(stage.diffuse.packPath, ".jpg") &&
                                    EndsWith(stage.opacity.packPath, ".jpg");
            (rewritable ? masks : needed).insert(stage.opacity.packPath);
        }
        shaders[entry.first] = std::move(stages);
    }

    std::set<std::string> dropped;
    for (const std::string& mask : masks) {
        const auto found = entries.find(mask);
        if (needed.count(mask) != 0 || found == entries.end() || keep(mask) || !IsWhollyOpaque(mask, found->second)) {
            continue;
        }
        const std::string fileName = FileNameOf(mask);
        const bool namedElsewhere = std::any_of(entries.begin(), entries.end(), [&](const auto& entry) {
            return shaders.count(entry.first) == 0 && CanOpenPaths(entry.first) && NamesFile(entry.second, fileName);
        });
        if (!namedElsewhere) {
            dropped.insert(mask);
        }
    }

    for (auto& shader : shaders) {
        std::vector<std::uint8_t>& bytes = entries[shader.first];
        // From the last stage back, so that earlier offsets stay valid.
        for (auto stage = shader.second.rbegin(); stage != shader.second.rend(); ++stage) {
            if (dropped.count(stage->opacity.packPath) == 0) {
                continue;
            }
            const auto at = bytes.begin() + static_cast<std::ptrdiff_t>(stage->opacity.offset);
            bytes.erase(at, at + static_cast<std::ptrdiff_t>(stage->opacity.bytes));
            bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(stage->opacity.offset), std::begin(kEmptyName),
                         std::end(kEmptyName));
        }
        const auto size = static_cast<std::uint32_t>(bytes.size());
        for (std::size_t b = 0; b < 4; ++b) {
            bytes[kShaderSizeOffset + b] = static_cast<std::uint8_t>(size >> (8 * b));
        }
    }
    for (const std::string& mask : dropped) {
        entries.erase(mask);
    }
    return std::vector<std::string>(dropped.begin(), dropped.end());
}

} // namespace Content
