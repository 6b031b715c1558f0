#include "engine/render/ShaderDescriptor.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>

#include "engine/core/Error.h"
#include "engine/core/FatalError.h"
#include "engine/core/FileError.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringHelpers.h"
#include "engine/file/FileBinary.h"
#include "engine/file/FileManager.h"
#include "engine/render/RenderSystem.h"

namespace OrrelayEngine {

namespace {

constexpr char kFileMagic[] = "OESRF";
constexpr std::uint32_t kFileMagicBytes = 5;

// Set once by the game before anything is loaded, read by loading threads.
std::atomic<bool> textureMipMapping{false};

float ReadFloat(FileBinary& file)
{
    const std::uint32_t bits = file.ReadUInt32();
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

Color ReadColor(FileBinary& file)
{
    Color color;
    color.r = ReadFloat(file);
    color.g = ReadFloat(file);
    color.b = ReadFloat(file);
    color.a = ReadFloat(file);
    return color;
}

std::uint32_t ClampCount(std::uint32_t value)
{
    return std::clamp<std::uint32_t>(value, 1, ShaderStage::kMaxFrameCount);
}

// The sum of a name's characters as signed bytes, wrapping like the u32 key.
std::uint32_t SumOfCharacters(const std::string& text)
{
    std::uint32_t sum = 0;
    for (char character : text)
        sum += static_cast<std::uint32_t>(static_cast<std::int32_t>(static_cast<signed char>(character)));
    return sum;
}

// A bare picture name in a shader file lies beside the shader file.
std::string ResolvePictureName(const std::string& name, const std::string& shaderFolder)
{
    if (name.empty() || !FileManager::GetFolder(name).empty() || name[0] == '\\')
        return name;
    return shaderFolder + "\\" + name;
}

} // namespace

ShaderDescriptor::ShaderDescriptor(std::uint32_t flags)
{
    ResetToDefaults(flags);
}

ShaderDescriptor::ShaderDescriptor(const ShaderDescriptor& other)
{
    *this = other;
}

ShaderDescriptor& ShaderDescriptor::operator=(const ShaderDescriptor& other)
{
    if (&other == this)
        return *this;
    flags_ = other.flags_;
    color1_ = other.color1_;
    color2_ = other.color2_;
    color3_ = other.color3_;
    color4_ = other.color4_;
    scalar1_ = other.scalar1_;
    scalar2_ = other.scalar2_;
    blendFactors_[0] = other.blendFactors_[0];
    blendFactors_[1] = other.blendFactors_[1];
    stageCount_ = other.stageCount_;
    for (std::uint32_t i = 0; i < kMaxStages; ++i)
        stages_[i] = i < stageCount_ ? other.stages_[i] : ShaderStage();
    ComputeKey();
    return *this;
}

ShaderDescriptor::~ShaderDescriptor() = default;

void ShaderDescriptor::ResetToDefaults(std::uint32_t flags)
{
    flags_ = flags;
    color1_ = Color(1.0f, 1.0f, 1.0f, 1.0f);
    color2_ = Color(1.0f, 1.0f, 1.0f, 1.0f);
    color3_ = Color(1.0f, 1.0f, 1.0f, 1.0f);
    color4_ = Color(0.0f, 0.0f, 0.0f, 1.0f);
    scalar1_ = 0.0f;
    scalar2_ = 0.0f;
    blendFactors_[0] = 0;
    blendFactors_[1] = 0;
    stageCount_ = 0;
    for (ShaderStage& stage : stages_)
        stage = ShaderStage();
    ComputeKey();
}

void ShaderDescriptor::ResetForTexture(const std::string& opacityFileName)
{
    const bool blended = !opacityFileName.empty();
    ResetToDefaults(blended ? kFlagAlphaBlend : 0);
    if (blended) {
        blendFactors_[0] = RenderSystem::kBlendSourceAlpha;
        blendFactors_[1] = RenderSystem::kBlendInverseSourceAlpha;
    }
}

void ShaderDescriptor::ComputeKey()
{
    key_ = 0;
    for (std::uint32_t i = 0; i < stageCount_; ++i)
        key_ += SumOfCharacters(stages_[i].diffuseFileName) + SumOfCharacters(stages_[i].opacityFileName);
}

void ShaderDescriptor::ConstructFromFile(MessageManager* log, FileManager* fileManager, const std::string& fileName)
{
    try {
        const std::unique_ptr<FileBinary> file = fileManager->OpenFile(FileManager::GetDataPath(fileName), false);
        ReadFromFile(*file, fileName);
    } catch (const FileError& error) {
        if (log != nullptr)
            log->LogError(error.GetMessage());
        throw Error(error.GetMessage());
    }
}

void ShaderDescriptor::ReadFromFile(FileBinary& file, const std::string& fileName)
{
    ResetToDefaults(0);
    const std::uint32_t sizeField = file.ReadUInt32();
    char magic[kFileMagicBytes];
    file.Read(magic, kFileMagicBytes);
    if (sizeField != file.GetSize() || std::memcmp(magic, kFileMagic, kFileMagicBytes) != 0)
        throw FileError("Incorrect \"" + fileName + "\" file format");
    if (file.ReadUInt32() != kFileVersion)
        throw FileError("Incorrect \"" + fileName + "\" format version, current is " + UIntToString(kFileVersion));

    flags_ = file.ReadUInt32();
    color1_ = ReadColor(file);
    color2_ = ReadColor(file);
    color3_ = ReadColor(file);
    color4_ = ReadColor(file);
    scalar1_ = ReadFloat(file);
    scalar2_ = ReadFloat(file);
    blendFactors_[0] = file.ReadUInt32();
    blendFactors_[1] = file.ReadUInt32();
    const std::uint32_t stageCount = file.ReadUInt32();

    const std::string folder = FileManager::GetFolder(fileName);
    // A count above two ends at the third stage, which AddStage refuses; a huge
    // count therefore never makes the reader loop or allocate.
    for (std::uint32_t i = 0; i < stageCount; ++i) {
        const std::uint32_t stageFlags = file.ReadUInt32();
        const std::uint32_t mode = file.ReadUInt32();
        std::uint32_t frameCount = 1;
        float speed = 0.0f;
        std::uint32_t columns = 1;
        std::uint32_t rows = 1;
        // The record's layout follows the mode as written, before any clamping.
        if (mode != ShaderStage::kAnimationNone) {
            frameCount = file.ReadUInt32();
            speed = ReadFloat(file);
        }
        if (mode == ShaderStage::kAnimationGrid) {
            columns = file.ReadUInt32();
            rows = file.ReadUInt32();
        }
        const std::string diffuse = ResolvePictureName(file.ReadString(), folder);
        const std::string opacity = ResolvePictureName(file.ReadString(), folder);
        const std::uint32_t addressU = file.ReadUInt32();
        const std::uint32_t addressV = file.ReadUInt32();
        float transform[4];
        for (float& value : transform)
            value = ReadFloat(file);

        const std::uint32_t index = AddStage(stageFlags, mode, columns, rows, frameCount, speed, diffuse, opacity, 0);
        ShaderStage& stage = stages_[index];
        stage.addressU = addressU;
        stage.addressV = addressV;
        std::copy(transform, transform + 4, stage.textureTransform);
    }
}

void ShaderDescriptor::ConstructForAnimatedTexture(bool mipMapped, std::uint32_t animationMode, std::uint32_t columns,
                                                   std::uint32_t rows, std::uint32_t frameCount, float speed,
                                                   const std::string& diffuseFileName,
                                                   const std::string& opacityFileName, bool clamp)
{
    ResetForTexture(opacityFileName);
    const std::string stageOpacity =
        ToLower(opacityFileName) == kOpacityInDiffuseMarker ? std::string() : opacityFileName;
    AddStage(mipMapped ? ShaderStage::kFlagMipMapped : 0, animationMode, columns, rows, frameCount, speed,
             diffuseFileName, stageOpacity, clamp ? RenderSystem::kAddressClamp : RenderSystem::kAddressWrap);
}

void ShaderDescriptor::ConstructForTexture(bool mipMapped, const std::string& diffuseFileName,
                                           const std::string& opacityFileName, bool clamp)
{
    ResetForTexture(opacityFileName);
    if (diffuseFileName.empty())
        return;
    // Unlike the animated form, only the marker as spelt counts here.
    const std::string stageOpacity = opacityFileName == kOpacityInDiffuseMarker ? std::string() : opacityFileName;
    AddTextureStage(mipMapped ? ShaderStage::kFlagMipMapped : 0, diffuseFileName, stageOpacity,
                    clamp ? RenderSystem::kAddressClamp : RenderSystem::kAddressWrap);
}

std::uint32_t ShaderDescriptor::AddStage(std::uint32_t stageFlags, std::uint32_t animationMode, std::uint32_t columns,
                                         std::uint32_t rows, std::uint32_t frameCount, float speed,
                                         const std::string& diffuseFileName, const std::string& opacityFileName,
                                         std::uint32_t addressMode)
{
    if (stageCount_ >= kMaxStages)
        throw FatalError("Shader Stages: buffer is overflowed");

    ShaderStage& stage = stages_[stageCount_];
    stage = ShaderStage();
    stage.flags = stageFlags;
    // An unknown mode counts as the last one; an animated stage has at least one
    // frame, and no count or grid side can grow past kMaxFrameCount.
    stage.animationMode = std::min<std::uint32_t>(animationMode, ShaderStage::kAnimationDiffuseAndOpacityFiles);
    stage.columns = ClampCount(columns);
    stage.rows = ClampCount(rows);
    stage.frameCount = stage.animationMode != ShaderStage::kAnimationNone ? ClampCount(frameCount) : 0;
    stage.animationSpeed = speed;
    stage.diffuseFileName = ToLower(diffuseFileName);
    stage.opacityFileName = ToLower(opacityFileName);
    stage.addressU = addressMode;
    stage.addressV = addressMode;

    const std::uint32_t index = stageCount_++;
    ComputeKey();
    return index;
}

std::uint32_t ShaderDescriptor::AddTextureStage(std::uint32_t stageFlags, const std::string& diffuseFileName,
                                                const std::string& opacityFileName, std::uint32_t addressMode)
{
    return AddStage(stageFlags, ShaderStage::kAnimationNone, 1, 1, 1, 0.0f, diffuseFileName, opacityFileName,
                    addressMode);
}

void ShaderDescriptor::SetBlendFactor(std::uint32_t index, std::uint32_t blendCode)
{
    if (index < 2)
        blendFactors_[index] = blendCode;
}

std::uint32_t ShaderDescriptor::GetBlendFactor(std::uint32_t index) const
{
    return index < 2 ? blendFactors_[index] : 0;
}

void ShaderDescriptor::AddFlags(std::uint32_t bits)
{
    flags_ |= bits;
}

bool ShaderDescriptor::IsEqual(const ShaderDescriptor& other) const
{
    if (key_ != other.key_)
        return false;
    if ((flags_ ^ other.flags_) & ~kFlagAlphaBlend)
        return false;
    if (stageCount_ != other.stageCount_)
        return false;
    constexpr std::uint32_t kStageFlagsNotCompared = ShaderStage::kFlagMipMapped | ShaderStage::kFlagRandomStart;
    for (std::uint32_t i = 0; i < stageCount_; ++i) {
        const ShaderStage& mine = stages_[i];
        const ShaderStage& theirs = other.stages_[i];
        if ((mine.flags ^ theirs.flags) & ~kStageFlagsNotCompared)
            return false;
        // A still picture and a grid of the same picture load the same texture.
        const bool bothSinglePicture =
            mine.animationMode <= ShaderStage::kAnimationGrid && theirs.animationMode <= ShaderStage::kAnimationGrid;
        if (!bothSinglePicture && (mine.animationMode != theirs.animationMode || mine.frameCount != theirs.frameCount))
            return false;
        if (mine.diffuseFileName != theirs.diffuseFileName || mine.opacityFileName != theirs.opacityFileName)
            return false;
    }
    return true;
}

void SetTextureMipMapping(bool mipMapped)
{
    textureMipMapping = mipMapped;
}

ShaderDescriptor MakeTextureShaderDescriptor(std::uint32_t columns, std::uint32_t rows,
                                             const std::string& diffuseFileName, const std::string& opacityFileName,
                                             bool clamp)
{
    ShaderDescriptor descriptor(0);
    if (!opacityFileName.empty()) {
        descriptor.AddFlags(ShaderDescriptor::kFlagAlphaBlend);
        descriptor.SetBlendFactor(0, RenderSystem::kBlendSourceAlpha);
        descriptor.SetBlendFactor(1, RenderSystem::kBlendInverseSourceAlpha);
    }
    if (!diffuseFileName.empty()) {
        const std::uint64_t frames = static_cast<std::uint64_t>(columns) * rows;
        const std::uint32_t mode = frames > 1 ? ShaderStage::kAnimationGrid : ShaderStage::kAnimationNone;
        // Any name holding the marker, such as tree_32bit.tga, counts as the marker.
        const std::string stageOpacity =
            opacityFileName.find(ShaderDescriptor::kOpacityInDiffuseMarker) != std::string::npos ? std::string()
                                                                                                 : opacityFileName;
        descriptor.AddStage(textureMipMapping ? ShaderStage::kFlagMipMapped : 0, mode, columns, rows,
                            static_cast<std::uint32_t>(std::min<std::uint64_t>(frames, ShaderStage::kMaxFrameCount)),
                            0.0f, diffuseFileName, stageOpacity,
                            clamp ? RenderSystem::kAddressClamp : RenderSystem::kAddressWrap);
    }
    return descriptor;
}

ShaderDescriptor MakeSingleTextureShaderDescriptor(const std::string& diffuseFileName,
                                                   const std::string& opacityFileName, bool clamp)
{
    return MakeTextureShaderDescriptor(1, 1, diffuseFileName, opacityFileName, clamp);
}

} // namespace OrrelayEngine
