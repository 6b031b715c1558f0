#include "framework/DataKeeper.h"

#include <system_error>
#include <utility>

#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringHelpers.h"
#include "engine/core/Vector3.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/ShaderUser.h"
#include "engine/scene/AnimationControl.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelManager.h"
#include "engine/scene/ParticleSystem.h"
#include "engine/scene/ParticleSystemManager.h"
#include "engine/scene/SpriteGroup.h"
#include "engine/scene/SpriteGroupManager.h"
#include "framework/LanguageInfo.h"
#include "framework/ResourceListReader.h"

namespace GameFramework {

using namespace OrrelayEngine;

namespace {

const Vector3 kDefaultBoxMin(-1.0f, -1.0f, -1.0f);
const Vector3 kDefaultBoxMax(1.0f, 1.0f, 1.0f);
constexpr std::uint32_t kDefaultSpriteCount = 1;
// Resource lists ask for mip-mapped textures.
constexpr bool kListTexturesMipMapped = true;

std::string UnnamedName(std::size_t tableSize)
{
    return UIntToString(static_cast<std::uint32_t>(tableSize) + DataKeeper::kFirstUnnamedNumber,
                        DataKeeper::kUnnamedDigits);
}

} // namespace

DataKeeper::DataKeeper(Engine* engine, const LanguageInfo& language, bool threaded)
    : engine_(engine), log_(engine->GetMessageManager()), fileManager_(engine->GetFileManager()),
      shaderManager_(engine->GetShaderManager()), textureManager_(shaderManager_->GetTextureManager()),
      modelManager_(engine->GetModelManager()), spriteGroupManager_(engine->GetSpriteGroupManager()),
      particleSystemManager_(engine->GetParticleSystemManager()), languageCode_(language.code),
      threaded_(threaded ? 1 : 0)
{}

DataKeeper::~DataKeeper()
{
    StopLoading();
    LogUncollectedError();
    DeleteFiledObjects();
}

void DataKeeper::LoadResources()
{
    CreateDefaultObjects();
    for (const std::string& fileName : resourceFiles_) {
        if (IsStopRequested())
            break;
        ReadResourceList(fileName);
    }
}

void DataKeeper::Load()
{
    bool idle = false;
    if (!loading_.compare_exchange_strong(idle, true)) {
        log_->LogError("(DataKeeper::Load): a load is already running; this one is refused");
        return;
    }
    // An earlier load has ended; its thread only waits to be joined.
    if (loadingThread_.joinable())
        loadingThread_.join();
    {
        const std::lock_guard<std::mutex> lock(loadMutex_);
        finished_ = false;
        loadError_ = nullptr;
    }
    if (threaded_ == 0) {
        try {
            LoadResources();
        } catch (...) {
            FinishLoad(nullptr);
            throw;
        }
        FinishLoad(nullptr);
        return;
    }
    try {
        loadingThread_ = std::thread(&DataKeeper::RunLoadingThread, this);
    } catch (const std::system_error&) {
        FinishLoad(nullptr);
        log_->LogFatal("Failed to create \"DataKeeper::Load\" thread");
    }
}

bool DataKeeper::IsLoadFinished() const
{
    return finished_.load();
}

void DataKeeper::WaitForLoad()
{
    std::exception_ptr error;
    {
        std::unique_lock<std::mutex> lock(loadMutex_);
        loadEnded_.wait(lock, [this] { return !loading_.load(); });
        std::swap(error, loadError_);
    }
    if (error)
        std::rethrow_exception(error);
}

void DataKeeper::AddModel(const std::string& name, Model* model)
{
    if (model == nullptr)
        return;
    if (!models_.emplace(name, model).second) {
        log_->LogError("(DataKeeper::AddModel): Model \"" + name + "\" is duplicated");
        delete model;
    }
}

void DataKeeper::AddShaderUser(const std::string& name, ShaderUser* shaderUser)
{
    if (shaderUser == nullptr)
        return;
    if (!shaderUsers_.emplace(name, shaderUser).second) {
        log_->LogError("(DataKeeper::AddShaderUser): Shader User \"" + name + "\" is duplicated");
        shaderManager_->DeleteShaderUser(shaderUser);
    }
}

void DataKeeper::AddParticleSystem(const std::string& name, ParticleSystem* particleSystem)
{
    if (particleSystem == nullptr)
        return;
    if (!particleSystems_.emplace(name, particleSystem).second) {
        log_->LogError("(DataKeeper::AddParticleSystem): Particle System \"" + name + "\" is duplicated");
        delete particleSystem;
    }
}

void DataKeeper::AddUnnamedModel(Model* model)
{
    if (model != nullptr)
        AddModel(UnnamedName(models_.size()), model);
}

void DataKeeper::AddUnnamedShaderUser(ShaderUser* shaderUser)
{
    if (shaderUser != nullptr)
        AddShaderUser(UnnamedName(shaderUsers_.size()), shaderUser);
}

void DataKeeper::AddUnnamedParticleSystem(ParticleSystem* particleSystem)
{
    if (particleSystem != nullptr)
        AddParticleSystem(UnnamedName(particleSystems_.size()), particleSystem);
}

Model* DataKeeper::FindModel(const std::string& name) const
{
    const auto found = models_.find(name);
    return found != models_.end() ? found->second : nullptr;
}

ShaderUser* DataKeeper::FindShaderUser(const std::string& name) const
{
    const auto found = shaderUsers_.find(name);
    return found != shaderUsers_.end() ? found->second : nullptr;
}

ParticleSystem* DataKeeper::FindParticleSystem(const std::string& name) const
{
    const auto found = particleSystems_.find(name);
    return found != particleSystems_.end() ? found->second : nullptr;
}

void DataKeeper::StopLoading()
{
    stopRequested_ = true;
    if (loadingThread_.joinable())
        loadingThread_.join();
}

void DataKeeper::ReadResourceList(const std::string& fileName)
{
    ResourceListReader reader(
        log_, languageCode_,
        [this](const ResourceListReader::ShaderElement& element) {
            ShaderDescriptor descriptor;
            descriptor.ConstructForAnimatedTexture(kListTexturesMipMapped, element.animationType, element.columns,
                                                   element.rows, element.frameCount, element.animationSpeed,
                                                   element.diffuseFileName, element.opacityFileName, element.clamp);
            AddShaderUser(element.name, shaderManager_->CreateShaderUser(descriptor));
        },
        [this](const ResourceListReader::ModelElement& element) {
            Model* model = modelManager_->LoadModelTemplate(element.fileName, nullptr,
                                                            element.colorVertices ? Model::kFlagVertexColor : 0);
            if (element.hasAnimationSpeed && model->GetAnimationControl() != nullptr)
                model->GetAnimationControl()->speed = element.animationSpeed;
            AddModel(element.name, model);
        });
    reader.ReadFile(fileManager_, fileName);
}

void DataKeeper::CreateDefaultObjects()
{
    // A keeper loaded again keeps the defaults it made the first time.
    if (defaultShaderUser_ != nullptr)
        return;
    defaultShaderUser_ = shaderManager_->CreateShaderUser(ShaderDescriptor());
    defaultModel_ = modelManager_->CreateBox(kDefaultBoxMin, kDefaultBoxMax, nullptr, nullptr, 0);
    defaultSpriteGroup_ = spriteGroupManager_->CreateSpriteGroup(kDefaultSpriteCount, defaultShaderUser_, nullptr);
    defaultParticleSystem_ = particleSystemManager_->CreateSelfMade(nullptr);
    defaultSpriteGroup_->SetVisible(false);
    defaultParticleSystem_->SetVisible(false);
}

void DataKeeper::RunLoadingThread()
{
    std::exception_ptr error;
    try {
        LoadResources();
    } catch (...) {
        error = std::current_exception();
    }
    FinishLoad(std::move(error));
}

void DataKeeper::FinishLoad(std::exception_ptr error)
{
    {
        const std::lock_guard<std::mutex> lock(loadMutex_);
        loadError_ = std::move(error);
        finished_ = true;
        loading_ = false;
    }
    loadEnded_.notify_all();
}

void DataKeeper::DeleteFiledObjects()
{
    for (auto& entry : particleSystems_)
        delete entry.second;
    particleSystems_.clear();
    for (auto& entry : models_)
        delete entry.second;
    models_.clear();
    delete defaultParticleSystem_;
    defaultParticleSystem_ = nullptr;
    delete defaultSpriteGroup_;
    defaultSpriteGroup_ = nullptr;
    delete defaultModel_;
    defaultModel_ = nullptr;
    for (auto& entry : shaderUsers_)
        shaderManager_->DeleteShaderUser(entry.second);
    shaderUsers_.clear();
    shaderManager_->DeleteShaderUser(defaultShaderUser_);
    defaultShaderUser_ = nullptr;
}

// A load nobody collected still leaves its cause in the log.
void DataKeeper::LogUncollectedError()
{
    if (!loadError_)
        return;
    try {
        std::rethrow_exception(loadError_);
    } catch (const Error& error) {
        log_->LogError("(DataKeeper::Load): the load failed and was never collected: " + error.GetMessage());
    } catch (const std::exception& error) {
        log_->LogError(std::string("(DataKeeper::Load): the load failed and was never collected: ") + error.what());
    } catch (...) {
        log_->LogError("(DataKeeper::Load): the load failed and was never collected");
    }
    loadError_ = nullptr;
}

} // namespace GameFramework
