#include "engine/render/ShaderManager.h"

#include <utility>

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/render/Shader.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/TextureManager.h"

namespace OrrelayEngine {

ShaderManager::ShaderManager(MessageManager* log, FileManager* fileManager, TimerManager* timerManager,
                             Config* config, RenderSystem* renderSystem)
    : log_(log),
      fileManager_(fileManager),
      timerManager_(timerManager),
      config_(config),
      renderSystem_(renderSystem),
      textureManager_(std::make_unique<TextureManager>(log, fileManager, config, timerManager, renderSystem))
{
}

ShaderManager::~ShaderManager()
{
    // Users first: the last user of each shader releases its textures into the
    // texture manager, which must still be there.
    users_.clear();
    textureManager_.reset();
}

ShaderUser* ShaderManager::CreateShaderUser(const ShaderDescriptor& descriptor)
{
    const std::uint32_t key = descriptor.GetKey();
    Shader* shader = nullptr;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        auto range = users_.equal_range(key);
        for (auto entry = range.first; entry != range.second; ++entry) {
            if (entry->second->IsEqual(descriptor)) {
                shader = entry->second->GetShader();
                break;
            }
        }
        if (shader != nullptr) {
            auto user = std::make_unique<ShaderUser>(log_, timerManager_, shader, descriptor);
            ShaderUser* result = user.get();
            users_.emplace(key, std::move(user));
            return result;
        }
    }

    // Textures load outside the lock, so that the drawing thread keeps animating.
    auto newShader =
        std::make_unique<Shader>(log_, fileManager_, config_, renderSystem_, textureManager_.get(), descriptor);
    auto user = std::make_unique<ShaderUser>(log_, timerManager_, newShader.release(), descriptor);
    ShaderUser* result = user.get();
    std::lock_guard<std::mutex> lock(mutex_);
    ++shaderCount_;
    users_.emplace(key, std::move(user));
    return result;
}

ShaderUser* ShaderManager::CreateShaderUserFromFile(const std::string& fileName)
{
    ShaderDescriptor descriptor(0);
    try {
        descriptor.ConstructFromFile(log_, fileManager_, fileName);
    } catch (const Error&) {
        // Already logged by the reader: the model is drawn untextured instead.
        descriptor = ShaderDescriptor(0);
    }
    return CreateShaderUser(descriptor);
}

ShaderUser* ShaderManager::CloneShaderUser(const ShaderUser& user)
{
    return CreateShaderUser(user);
}

void ShaderManager::DeleteShaderUser(ShaderUser* user)
{
    if (user == nullptr) {
        return;
    }
    std::unique_ptr<ShaderUser> removed;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        auto range = users_.equal_range(user->GetKey());
        for (auto entry = range.first; entry != range.second; ++entry) {
            if (entry->second.get() == user) {
                removed = std::move(entry->second);
                users_.erase(entry);
                break;
            }
        }
        if (removed != nullptr && removed->GetShader() != nullptr && removed->GetShader()->GetUserCount() == 1) {
            --shaderCount_;
        }
    }
    if (removed == nullptr) {
        log_->LogFatal("Shader Manager: Failed to remove shader");
    }
    // removed goes here, and with it the shader of its last user.
}

void ShaderManager::UpdateShaderUsers()
{
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto& entry : users_) {
        entry.second->Update();
    }
}

std::uint32_t ShaderManager::GetShaderUserCount() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return static_cast<std::uint32_t>(users_.size());
}

std::uint32_t ShaderManager::GetShaderCount() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return shaderCount_;
}

} // namespace OrrelayEngine
