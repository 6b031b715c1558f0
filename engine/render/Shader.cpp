#include "engine/render/Shader.h"

#include "engine/core/StringHelpers.h"
#include "engine/file/FileManager.h"
#include "engine/render/RenderSystem.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderStage.h"
#include "engine/render/Texture2D.h"
#include "engine/render/TextureManager.h"

namespace OrrelayEngine {

namespace {

bool LoadsFilePerFrame(std::uint32_t mode)
{
    return mode == ShaderStage::kAnimationDiffuseFiles || mode == ShaderStage::kAnimationOpacityFiles ||
           mode == ShaderStage::kAnimationDiffuseAndOpacityFiles;
}

std::uint32_t CountDecimalDigits(std::uint32_t value)
{
    std::uint32_t digits = 1;
    while (value >= 10) {
        value /= 10;
        ++digits;
    }
    return digits;
}

} // namespace

Shader::Shader(MessageManager* /*log*/, FileManager* fileManager, Config* /*config*/, RenderSystem* renderSystem,
               TextureManager* textureManager, const ShaderDescriptor& descriptor)
    : fileManager_(fileManager), renderSystem_(renderSystem), textureManager_(textureManager)
{
    const std::uint32_t stageCount = descriptor.GetStageCount();
    stages_.reserve(stageCount);
    for (std::uint32_t stage = 0; stage < stageCount && stage < ShaderDescriptor::kMaxStages; ++stage) {
        LoadStage(descriptor.GetStage(stage));
    }
}

Shader::~Shader()
{
    for (std::uint32_t stage = 0; stage < GetStageCount(); ++stage) {
        ReleaseStageTextures(stage);
    }
}

std::string Shader::MakeFrameFileName(const std::string& name, std::uint32_t frameCount, std::uint32_t frame)
{
    const std::uint32_t digits = CountDecimalDigits(frameCount);
    const std::string extension = FileManager::GetExtension(name);
    // A name too short to hold the digits keeps what it has before its extension.
    const std::size_t withoutExtension = name.size() > extension.size() ? name.size() - extension.size() - 1 : 0;
    const std::size_t baseLength = withoutExtension > digits ? withoutExtension - digits : withoutExtension;
    return name.substr(0, baseLength) + UIntToString(frame, digits) + "." + extension;
}

std::string Shader::FindPictureFile(const std::string& name) const
{
    if (!FileManager::HasExtension(name, "jpg") || fileManager_->Exists(name)) {
        return name;
    }
    std::string candidate = name;
    for (const char* extension : {"jp2", "bmp"}) {
        FileManager::SetExtension(candidate, extension);
        if (fileManager_->Exists(candidate)) {
            return candidate;
        }
    }
    FileManager::SetExtension(candidate, "jpg");
    return candidate;
}

void Shader::LoadStage(const ShaderStage& stage)
{
    const std::uint32_t mode = stage.animationMode;
    // A numbered series with no frames still gets one entry, so that Apply
    // always finds a (possibly empty) texture to show.
    const std::uint32_t textureCount = LoadsFilePerFrame(mode) && stage.frameCount > 0 ? stage.frameCount : 1;
    stages_.emplace_back(textureCount, nullptr);
    if ((stage.flags & ShaderStage::kFlagNoTexture) != 0) {
        return;
    }
    std::vector<Texture2D*>& textures = stages_.back();
    const bool mipMapped = (stage.flags & ShaderStage::kFlagMipMapped) != 0;
    for (std::uint32_t frame = 0; frame < textureCount; ++frame) {
        std::string diffuse = stage.diffuseFileName;
        if (mode == ShaderStage::kAnimationDiffuseFiles || mode == ShaderStage::kAnimationDiffuseAndOpacityFiles) {
            diffuse = MakeFrameFileName(diffuse, textureCount, frame);
        }
        std::string opacity = stage.opacityFileName;
        if (mode == ShaderStage::kAnimationOpacityFiles || mode == ShaderStage::kAnimationDiffuseAndOpacityFiles) {
            opacity = MakeFrameFileName(opacity, textureCount, frame);
        }
        diffuse = FindPictureFile(ToLower(FileManager::GetDataPath(diffuse)));
        if (!opacity.empty()) {
            opacity = FindPictureFile(ToLower(FileManager::GetDataPath(opacity)));
        }
        textures[frame] = textureManager_->LoadTexture(mipMapped, diffuse, opacity);
    }
}

void Shader::ReleaseStageTextures(std::uint32_t stage)
{
    if (stage >= stages_.size()) {
        return;
    }
    for (Texture2D*& texture : stages_[stage]) {
        textureManager_->ReleaseTexture(texture);
        texture = nullptr;
    }
    stages_[stage].clear();
}

std::uint32_t Shader::GetTextureCount(std::uint32_t stage) const
{
    return stage < stages_.size() ? static_cast<std::uint32_t>(stages_[stage].size()) : 0;
}

Texture2D* Shader::GetTexture(std::uint32_t stage, std::uint32_t frame) const
{
    if (stage >= stages_.size() || frame >= stages_[stage].size()) {
        return nullptr;
    }
    return stages_[stage][frame];
}

void Shader::Apply(const ShaderDescriptor& descriptor) const
{
    if ((descriptor.GetFlags() & ShaderDescriptor::kFlagAlphaBlend) != 0) {
        renderSystem_->SetAlphaBlend(true);
        renderSystem_->SetBlend(descriptor.GetBlendFactor(0), descriptor.GetBlendFactor(1));
    } else {
        renderSystem_->SetAlphaBlend(false);
    }

    std::uint32_t stage = 0;
    for (; stage < descriptor.GetStageCount() && stage < ShaderDescriptor::kMaxStages; ++stage) {
        const ShaderStage& record = descriptor.GetStage(stage);
        renderSystem_->SetTexture(stage, GetTexture(stage, record.frameIndex));
        renderSystem_->SetTextureFilter(stage, (record.flags & ShaderStage::kFlagMipMapped) != 0
                                                   ? RenderSystem::kFilterMipMapped
                                                   : RenderSystem::kFilterLinear);
        renderSystem_->SetTextureAdressU(stage, record.addressU);
        renderSystem_->SetTextureAdressV(stage, record.addressV);
        renderSystem_->SetTextureMatrix(stage, record.textureTransform[0], record.textureTransform[1],
                                        record.textureTransform[2], record.textureTransform[3]);
    }
    for (; stage < renderSystem_->GetStageCount(); ++stage) {
        renderSystem_->SetTexture(stage, nullptr);
    }
}

} // namespace OrrelayEngine
