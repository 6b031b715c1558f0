#include "framework/DataKeeper.h"

#include <algorithm>
#include <chrono>
#include <system_error>
#include <utility>

#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringHelpers.h"
#include "engine/core/ThreadRandomSeed.h"
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

// Helper threads a step may use beside its own: enough for the cores, few
// enough that the main thread keeps the window alive.
constexpr unsigned kMaxHelperThreads = 5;

// Where the random numbers of a load start: the load itself from the first,
// each of its parallel steps from the one after it plus the step's place in
// the list, whichever thread takes it.
constexpr std::uint32_t kLoadingRandomSeed = 0x5EED0001u;

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
            LoadResourcesSeeded();
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

// An unnamed object's number is taken and the object filed under one lock,
// so that two loading threads never take the same number.
template <typename Object, typename Release>
void DataKeeper::File(std::map<std::string, Object*>& table, const std::string* name, Object* object,
                      const char* operation, const char* kind, Release release)
{
    if (object == nullptr)
        return;
    std::unique_lock<std::mutex> lock(filingMutex_);
    const std::string key = name != nullptr ? *name : UnnamedName(table.size());
    if (table.emplace(key, object).second)
        return;
    lock.unlock();
    log_->LogError(std::string("(DataKeeper::") + operation + "): " + kind + " \"" + key + "\" is duplicated");
    release(object);
}

void DataKeeper::AddModel(const std::string& name, Model* model)
{
    File(models_, &name, model, "AddModel", "Model", [](Model* refused) { delete refused; });
}

void DataKeeper::AddShaderUser(const std::string& name, ShaderUser* shaderUser)
{
    File(shaderUsers_, &name, shaderUser, "AddShaderUser", "Shader User",
         [this](ShaderUser* refused) { shaderManager_->DeleteShaderUser(refused); });
}

void DataKeeper::AddParticleSystem(const std::string& name, ParticleSystem* particleSystem)
{
    File(particleSystems_, &name, particleSystem, "AddParticleSystem", "Particle System",
         [](ParticleSystem* refused) { delete refused; });
}

void DataKeeper::AddUnnamedModel(Model* model)
{
    File(models_, nullptr, model, "AddModel", "Model", [](Model* refused) { delete refused; });
}

void DataKeeper::AddUnnamedShaderUser(ShaderUser* shaderUser)
{
    File(shaderUsers_, nullptr, shaderUser, "AddShaderUser", "Shader User",
         [this](ShaderUser* refused) { shaderManager_->DeleteShaderUser(refused); });
}

void DataKeeper::AddUnnamedParticleSystem(ParticleSystem* particleSystem)
{
    File(particleSystems_, nullptr, particleSystem, "AddParticleSystem", "Particle System",
         [](ParticleSystem* refused) { delete refused; });
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

void DataKeeper::RunInParallel(const std::vector<std::function<void()>>& steps)
{
    std::atomic<std::size_t> next{0};
    std::atomic<bool> failed{false};
    std::mutex errorMutex;
    std::exception_ptr firstError;
    const auto work = [&] {
        for (std::size_t step = next++; step < steps.size(); step = next++) {
            if (failed.load() || IsStopRequested())
                return;
            try {
                const ThreadRandomSeed seed(kLoadingRandomSeed + 1u + static_cast<std::uint32_t>(step));
                steps[step]();
            } catch (...) {
                const std::lock_guard<std::mutex> lock(errorMutex);
                if (!firstError)
                    firstError = std::current_exception();
                failed = true;
            }
        }
    };
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t helpers = std::min<std::size_t>(
        {cores - 1, engine_->GetLoadingHelperLimit(kMaxHelperThreads), steps.empty() ? 0 : steps.size() - 1});
    std::vector<std::thread> threads;
    threads.reserve(helpers);
    for (std::size_t i = 0; i < helpers; ++i) {
        try {
            threads.emplace_back(work);
        } catch (const std::system_error&) {
            // Fewer helpers: the others and this thread take the steps.
            break;
        }
    }
    work();
    for (std::thread& thread : threads)
        thread.join();
    if (firstError)
        std::rethrow_exception(firstError);
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

void DataKeeper::LoadResourcesSeeded()
{
    if (const std::uint32_t delay = engine_->GetLoadingDelayMilliseconds())
        std::this_thread::sleep_for(std::chrono::milliseconds(delay));
    const ThreadRandomSeed seed(kLoadingRandomSeed);
    LoadResources();
}

void DataKeeper::RunLoadingThread()
{
    std::exception_ptr error;
    try {
        LoadResourcesSeeded();
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
