// The textures of one shader descriptor: per stage a list of textures from the
// texture manager, one per frame of a numbered-files animation, else one.
// Shared by every ShaderUser whose descriptor compares equal; the last user to
// go deletes it, which releases its textures. Apply puts blending and the
// stages' textures and states on the render system through its state cache.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace OrrelayEngine {

class Config;
class FileManager;
class MessageManager;
class RenderSystem;
class ShaderDescriptor;
class Texture2D;
class TextureManager;
struct ShaderStage;

class Shader
{
public:
    // Loads the textures of every stage of the descriptor. The log and the
    // configuration are taken for the creator's sake; loading logs through the
    // texture manager.
    Shader(MessageManager* log, FileManager* fileManager, Config* config, RenderSystem* renderSystem,
           TextureManager* textureManager, const ShaderDescriptor& descriptor);
    virtual ~Shader();

    Shader(const Shader&) = delete;
    Shader& operator=(const Shader&) = delete;

    void LoadStage(const ShaderStage& stage);
    // descriptor is the user being drawn: its blending, frames and transforms.
    void Apply(const ShaderDescriptor& descriptor) const;
    void ReleaseStageTextures(std::uint32_t stage);

    std::uint32_t GetStageCount() const { return static_cast<std::uint32_t>(stages_.size()); }
    std::uint32_t GetTextureCount(std::uint32_t stage) const;
    // Null for a stage that loads no file, and for anything out of range.
    Texture2D* GetTexture(std::uint32_t stage, std::uint32_t frame) const;

    std::uint32_t GetUserCount() const { return users_.load(); }
    void AddUser() { ++users_; }
    // Answers the count left.
    std::uint32_t RemoveUser() { return --users_; }

    // The name of frame j of a numbered series whose every name is as wide as
    // the frame count's decimal digits: with 12 frames fire00.tga gives
    // fire00.tga ... fire11.tga.
    static std::string MakeFrameFileName(const std::string& name, std::uint32_t frameCount, std::uint32_t frame);

private:
    // A missing .jpg is looked for as .jp2, then .bmp; if neither exists the
    // name keeps .jpg, so that the error names what was asked for.
    std::string FindPictureFile(const std::string& name) const;

    FileManager* fileManager_;
    RenderSystem* renderSystem_;
    TextureManager* textureManager_;
    // One list per stage; a texture entry holds one reference in the manager.
    std::vector<std::vector<Texture2D*>> stages_;
    // Users may come and go on the loading thread and the drawing thread.
    std::atomic<std::uint32_t> users_{0};
};

} // namespace OrrelayEngine
