// Turns shader descriptors into shader users: users of descriptors that
// compare equal share one Shader (the loaded textures), each keeping its own
// copy of the descriptor and its own animation. Owns the users and the
// texture manager; animates every user once per frame.
//
// Users may be made on the loading thread while the drawing thread animates
// the others, so the table is guarded by a mutex.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

namespace OrrelayEngine {

class Config;
class FileManager;
class MessageManager;
class RenderSystem;
class Shader;
class ShaderDescriptor;
class ShaderUser;
class TextureManager;
class TimerManager;

class ShaderManager
{
public:
    ShaderManager(MessageManager* log, FileManager* fileManager, TimerManager* timerManager, Config* config,
                  RenderSystem* renderSystem);
    virtual ~ShaderManager();

    ShaderManager(const ShaderManager&) = delete;
    ShaderManager& operator=(const ShaderManager&) = delete;

    // The manager owns the user; the caller may drop the descriptor afterwards.
    ShaderUser* CreateShaderUser(const ShaderDescriptor& descriptor);
    // A shader file that cannot be read gives a user without stages or blending.
    ShaderUser* CreateShaderUserFromFile(const std::string& fileName);
    ShaderUser* CloneShaderUser(const ShaderUser& user);
    // Null does nothing; a user this manager does not hold is fatal.
    void DeleteShaderUser(ShaderUser* user);
    void UpdateShaderUsers();

    TextureManager* GetTextureManager() const { return textureManager_.get(); }
    std::uint32_t GetShaderUserCount() const;
    std::uint32_t GetShaderCount() const;

private:
    MessageManager* log_;
    FileManager* fileManager_;
    TimerManager* timerManager_;
    Config* config_;
    RenderSystem* renderSystem_;
    std::unique_ptr<TextureManager> textureManager_;
    // A shader and the descriptor it was made for, which later equal
    // descriptors are compared with.
    struct SharedShader
    {
        std::unique_ptr<ShaderDescriptor> descriptor;
        Shader* shader;
    };

    mutable std::mutex mutex_;
    // By the descriptors' key; equal descriptors share a key, so a key's list
    // holds one entry per distinct shader, not one per user, and a lookup
    // costs the same however many users a shader has.
    std::unordered_map<std::uint32_t, std::vector<SharedShader>> shaders_;
    std::unordered_map<const ShaderUser*, std::unique_ptr<ShaderUser>> users_;
    std::uint32_t shaderCount_ = 0;
};

} // namespace OrrelayEngine
