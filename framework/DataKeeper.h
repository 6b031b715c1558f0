// A resource set: it creates and owns the models, shader users and particle
// systems that one part of the game needs, keeps each under a name, and loads
// them in one step (LoadResources) that can run on a thread of its own while
// the loading screen keeps the window alive. The base step makes four default
// objects and reads the resource lists named in the file list; the game's sets
// replace it and hand what they make to the keeper, which deletes it.
//
// Threads: a threaded Load starts the step and returns at once. Until
// IsLoadFinished answers true, only the loading thread touches the keeper and
// the managers it fills (models, shaders, sprite groups, particle systems);
// the step makes no GL call (textures are CPU surfaces, uploaded at their
// first draw). What the step throws is caught on its thread and thrown again
// by WaitForLoad on the thread that collects the load. The thread is always
// joined: at the latest by the destructor, which waits without a time limit.
// A class that replaces LoadResources calls StopLoading first thing in its
// own destructor, so that the step never runs on a half-destroyed object.
//
// A load never draws from the game's shared random generator: it and each of
// its parallel steps draw from generators of their own, seeded from the step,
// so what it loads is the same however its threads were scheduled.
//
// A step may spread independent loads over helper threads (RunInParallel):
// model templates and shader users read from the file layer and load
// through the model, shader and texture managers, which take loads from
// several threads at once, and filing an object is guarded. What registers
// with a manager's lists (particle systems, sprite groups, GUI windows)
// stays on the loading thread.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace OrrelayEngine {
class Engine;
class FileManager;
class MessageManager;
class Model;
class ModelManager;
class ParticleSystem;
class ParticleSystemManager;
class ShaderManager;
class ShaderUser;
class SpriteGroup;
class SpriteGroupManager;
class TextureManager;
} // namespace OrrelayEngine

namespace GameFramework {

struct LanguageInfo;

class DataKeeper
{
public:
    // Unnamed objects are filed under the table's size plus this, in nine digits.
    static constexpr std::uint32_t kFirstUnnamedNumber = 123456789;
    static constexpr std::uint32_t kUnnamedDigits = 9;

    DataKeeper(OrrelayEngine::Engine* engine, const LanguageInfo& language, bool threaded);
    virtual ~DataKeeper();

    DataKeeper(const DataKeeper&) = delete;
    DataKeeper& operator=(const DataKeeper&) = delete;

    // The loading step; see the file comment for what it may touch.
    virtual void LoadResources();

    // Runs LoadResources: on a new thread when threaded (returns at once), else
    // here, throwing what it throws. A Load while another runs is logged and
    // refused. A thread that cannot be started is fatal.
    void Load();
    // True once a started load has ended, whether it succeeded or threw.
    bool IsLoadFinished() const;
    // Blocks until a started load has ended; then throws, once, what the
    // loading step threw. Returns at once when no load was started.
    void WaitForLoad();

    // File an object under a name. Null is ignored; a name already filed is
    // logged, and the refused object is deleted. Safe from several loading
    // threads at once; the lookups below are for after the load.
    void AddModel(const std::string& name, OrrelayEngine::Model* model);
    void AddShaderUser(const std::string& name, OrrelayEngine::ShaderUser* shaderUser);
    void AddParticleSystem(const std::string& name, OrrelayEngine::ParticleSystem* particleSystem);
    // File an object that nobody looks up, only so that the keeper owns it.
    void AddUnnamedModel(OrrelayEngine::Model* model);
    void AddUnnamedShaderUser(OrrelayEngine::ShaderUser* shaderUser);
    void AddUnnamedParticleSystem(OrrelayEngine::ParticleSystem* particleSystem);

    // Null when no object is filed under the name.
    OrrelayEngine::Model* FindModel(const std::string& name) const;
    OrrelayEngine::ShaderUser* FindShaderUser(const std::string& name) const;
    OrrelayEngine::ParticleSystem* FindParticleSystem(const std::string& name) const;

    // The resource lists the base step reads, in order (paths relative to the
    // installation folder, in the data folder).
    std::vector<std::string>& GetResourceFiles() { return resourceFiles_; }
    const std::string& GetLanguageCode() const { return languageCode_; }

protected:
    // Raises the stop flag and waits for the loading thread, if one runs.
    void StopLoading();
    // The base step checks it between resource lists; a replacing step may too.
    bool IsStopRequested() const { return stopRequested_.load(); }

    // Reads one resource list and files what it names.
    void ReadResourceList(const std::string& fileName);

    // Runs each step once, on this thread and on helper threads at once
    // (longest steps first make the best use of them); returns when every
    // started step has ended. After a step throws, or once a stop is
    // requested, no further step starts; the first error is thrown here.
    // Without helper threads to be had, the steps run here one by one.
    void RunInParallel(const std::vector<std::function<void()>>& steps);

    OrrelayEngine::Engine* engine_;
    OrrelayEngine::MessageManager* log_;
    OrrelayEngine::FileManager* fileManager_;
    OrrelayEngine::ShaderManager* shaderManager_;
    OrrelayEngine::TextureManager* textureManager_;
    OrrelayEngine::ModelManager* modelManager_;
    OrrelayEngine::SpriteGroupManager* spriteGroupManager_;
    OrrelayEngine::ParticleSystemManager* particleSystemManager_;

private:
    // Files object under name (a number when name is null); a taken name is
    // logged and the object given back through release.
    template <typename Object, typename Release>
    void File(std::map<std::string, Object*>& table, const std::string* name, Object* object, const char* operation,
              const char* kind, Release release);
    void CreateDefaultObjects();
    // LoadResources, drawing its random numbers from the load's own generator.
    void LoadResourcesSeeded();
    void RunLoadingThread();
    void FinishLoad(std::exception_ptr error);
    void DeleteFiledObjects();
    void LogUncollectedError();

    std::vector<std::string> resourceFiles_;
    std::string languageCode_;
    std::uint8_t threaded_;
    std::thread loadingThread_;

    OrrelayEngine::ShaderUser* defaultShaderUser_ = nullptr;
    OrrelayEngine::Model* defaultModel_ = nullptr;
    OrrelayEngine::SpriteGroup* defaultSpriteGroup_ = nullptr;
    OrrelayEngine::ParticleSystem* defaultParticleSystem_ = nullptr;

    // Guards the three tables while loading threads file into them.
    std::mutex filingMutex_;
    std::map<std::string, OrrelayEngine::ShaderUser*> shaderUsers_;
    std::map<std::string, OrrelayEngine::Model*> models_;
    std::map<std::string, OrrelayEngine::ParticleSystem*> particleSystems_;

    // A load has started and not yet ended.
    std::atomic<bool> loading_{false};
    std::atomic<bool> finished_{false};
    std::atomic<bool> stopRequested_{false};
    // Guards the end of a load and its error for the threads waiting on it.
    mutable std::mutex loadMutex_;
    std::condition_variable loadEnded_;
    std::exception_ptr loadError_;
};

} // namespace GameFramework
