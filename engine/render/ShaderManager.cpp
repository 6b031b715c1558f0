#include "engine/render/ShaderManager.h"

#include <algorithm>
#include <utility>

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/render/Shader.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/TextureManager.h"

namespace OrrelayEngine {

ShaderManager::ShaderManager(MessageManager* log, FileManager* fileManager, TimerManager* timerManager, Config* config,
                             RenderSystem* renderSystem)
    : log_(log), fileManager_(fileManager), timerManager_(timerManager), config_(config), renderSystem_(renderSystem),
      textureManager_(std::make_unique<TextureManager>(log, fileManager, config, timerManager, renderSystem))
{}

ShaderManager::~ShaderManager()
{
    // Users first: the last user of each shader releases its textures into the
    // texture manager, which must still be there.
    users_.clear();
    shaders_.clear();
    textureManager_.reset();
}

ShaderUser* ShaderManager::CreateShaderUser(const ShaderDescriptor& descriptor)
{
    const std::uint32_t key = descriptor.GetKey();
    {
        std::lock_guard<std::mutex> lock(mutex_);
        auto found = shaders_.find(key);
        if (found != shaders_.end()) {
            for (const SharedShader& shared : found->second) {
                if (shared.descriptor->IsEqual(descriptor)) {
                    auto user = std::make_unique<ShaderUser>(log_, timerManager_, shared.shader, descriptor);
                    ShaderUser* result = user.get();
                    users_.emplace(result, std::move(user));
                    return result;
                }
            }
        }
    }

    // Textures load outside the lock, so that the drawing thread keeps animating.
    auto newShader =
        std::make_unique<Shader>(log_, fileManager_, config_, renderSystem_, textureManager_.get(), descriptor);
    Shader* shader = newShader.get();
    auto user = std::make_unique<ShaderUser>(log_, timerManager_, newShader.release(), descriptor);
    ShaderUser* result = user.get();
    std::lock_guard<std::mutex> lock(mutex_);
    ++shaderCount_;
    shaders_[key].push_back(SharedShader{std::make_unique<ShaderDescriptor>(descriptor), shader});
    users_.emplace(result, std::move(user));
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
        auto entry = users_.find(user);
        if (entry != users_.end()) {
            removed = std::move(entry->second);
            users_.erase(entry);
        }
        Shader* shader = removed != nullptr ? removed->GetShader() : nullptr;
        if (shader != nullptr && shader->GetUserCount() == 1) {
            --shaderCount_;
            // Its last user goes: no later descriptor may find it.
            auto list = shaders_.find(removed->GetKey());
            if (list != shaders_.end()) {
                std::vector<SharedShader>& shared = list->second;
                shared.erase(std::remove_if(shared.begin(), shared.end(),
                                            [shader](const SharedShader& s) { return s.shader == shader; }),
                             shared.end());
                if (shared.empty()) {
                    shaders_.erase(list);
                }
            }
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
