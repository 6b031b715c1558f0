// The menu base on the null graphics device: the game's assets, a menu
// background over fixture files (animated quads where animation matters, the
// models missing elsewhere load as boxes), its window manager, and a mixer
// whose effects are counted instead of heard. Step runs one frame as the game
// orders it: background, manager, screens, then the GUI and the models.
#pragma once

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "content/ModelFileWriter.h"
#include "engine/gui/GUIManager.h"
#include "engine/scene/Model.h"
#include "engine/scene/ModelManager.h"
#include "engine/scene/ParticleSystemManager.h"
#include "engine/sound/Sound.h"
#include "engine/sound/SoundBuffer.h"
#include "engine/sound/SoundManager.h"
#include "engine/sound/SoundSystem.h"
#include "framework/Mixer.h"
#include "framework/SoundInstance.h"
#include "game/Profile.h"
#include "game/ProfileManager.h"
#include "game/gui/GUIBackgroundWindow.h"
#include "game/gui/GUIMenuWindowManager.h"
#include "platform/Cursor.h"
#include "tests/game/GameDataTestEngine.h"

namespace MenuTests {

class CountedSound : public OrrelayEngine::Sound
{
public:
    explicit CountedSound(const std::string& name) : Sound(nullptr, nullptr, name) {}
    bool Play() override
    {
        ++plays;
        return true;
    }
    void Pause() override {}
    void Stop() override {}
    State GetState() const override { return kStopped; }
    int plays = 0;
};

class CountedSoundSystem : public OrrelayEngine::SoundSystem
{
public:
    CountedSoundSystem() : SoundSystem(nullptr, nullptr, nullptr, false) {}
    std::unique_ptr<OrrelayEngine::Sound> CreateSound(const std::string& fileName) override
    {
        return std::make_unique<CountedSound>(fileName);
    }
    std::unique_ptr<OrrelayEngine::Sound> CloneSound(const OrrelayEngine::Sound&) override { return nullptr; }
    std::unique_ptr<OrrelayEngine::SoundBuffer> CreateSoundBuffer(const std::string&) override { return nullptr; }
    std::unique_ptr<OrrelayEngine::SoundBuffer> CloneSoundBuffer(const OrrelayEngine::SoundBuffer&) override
    {
        return nullptr;
    }
};

// A quad from (x0, y0) to (x1, y1) at z = 0; with frames > 1 a key-frame model
// whose corners stay put.
inline OrrelayEngine::ModelFile MakeQuad(float x0, float y0, float x1, float y1, std::uint32_t frames = 1)
{
    using OrrelayEngine::Model;
    using OrrelayEngine::ModelFile;
    ModelFile model;
    model.version = ModelFile::kCurrentVersion;
    model.flags =
        (frames > 1 ? Model::kFlagKeyframe : Model::kFlagStatic) | Model::kFlagTriangleList | Model::kFlagVisible;
    model.vertexCount = 4;
    model.frameCount = frames;
    model.animationSpeed = 25.0f;
    model.indices = {0, 1, 2, 2, 1, 3};
    for (std::uint32_t f = 0; f < frames; ++f) {
        for (std::uint32_t i = 0; i < 4; ++i) {
            ModelFile::Vertex vertex;
            vertex.normal = OrrelayEngine::Vector3(0, 0, 1);
            vertex.position = OrrelayEngine::Vector3((i & 1) != 0 ? x1 : x0, (i & 2) != 0 ? y1 : y0, 0);
            model.vertices.push_back(vertex);
        }
        model.boxes.push_back({OrrelayEngine::Vector3(x0, y0, 0), OrrelayEngine::Vector3(x1, y1, 0)});
    }
    return model;
}

class MenuHarness
{
public:
    static constexpr std::uint32_t kIntroFrames = 4;

    OrrelayEngine::ParticleSystem* selfMadeUpgrade = nullptr;

    MenuHarness()
    {
        // As the game base sets it at start.
        t.engine->GetGUIManager()->SetScreenSize(800.0f, 600.0f);
        for (std::uint32_t id : {3u, 4u, 5u}) {
            mixer.AddSound(id, "sound" + std::to_string(id), false, 1);
        }
        WriteText("data/ui/menus/background/background.ini", "2\nsky 1 0\nmeadow 0 0\n");
        WriteText("data/ui/menus/models/background/title_en.ini", "0\n");
        for (const char* name : {"frame", "logo", "mount_title", "mount_text", "text_appear", "text"}) {
            WriteModel(std::string("data/ui/menus/models/background/") + name + ".mlf",
                       MakeQuad(0, 0, 800, 600, kIntroFrames));
        }
        WriteModel("data/ui/menus/models/background/text_area.mlf", MakeQuad(100, 500, 600, 560));
    }

    ~MenuHarness()
    {
        manager.reset();
        background.reset();
        // A template a test made in place of the loaded one: the test's own.
        delete selfMadeUpgrade;
    }

    // A current profile that has reached the position; the first call makes
    // the profile manager.
    Tansywell::Profile* SetReached(std::uint32_t stage, std::uint32_t level, const std::wstring& name = L"Ann")
    {
        if (!profiles) {
            profiles =
                std::make_unique<Tansywell::ProfileManager>(t.engine, nullptr, t.tools.harness.settings.logFolder);
        }
        GameFramework::ProfileBase* profile = profiles->FindProfile(name);
        if (profile == nullptr) {
            profile = profiles->AddProfile(name);
        }
        profile->SetFurthestPosition({stage, level}, false);
        profiles->SetCurrentProfile(profile, false);
        return static_cast<Tansywell::Profile*>(profile);
    }

    void WriteText(const std::string& relative, const std::string& contents) { t.Write(relative, contents); }
    void WriteModel(const std::string& relative, const OrrelayEngine::ModelFile& model)
    {
        const std::filesystem::path path = std::filesystem::path(t.tools.harness.folder.Path()) / relative;
        std::filesystem::create_directories(path.parent_path());
        Content::ModelFileWriter().Build(model).Save(path.string());
    }
    // A template owned by the harness, from a model written now, loaded with
    // vertex colours as the game loads its own.
    OrrelayEngine::Model* Template(const std::string& name, const OrrelayEngine::ModelFile& model)
    {
        WriteModel("data/fixtures/" + name + ".mlf", model);
        templates.emplace_back(t.engine->GetModelManager()->LoadModelTemplate("fixtures\\" + name + ".mlf", nullptr,
                                                                              OrrelayEngine::Model::kFlagVertexColor));
        return templates.back().get();
    }

    void StartBackground()
    {
        background = std::make_unique<Tansywell::GUIBackgroundWindow>(t.engine, &mixer, nullptr, profiles.get(),
                                                                      GameTests::GameDataTestEngine::MakeLanguage());
        manager = std::make_unique<Tansywell::GUIMenuWindowManager>(background.get());
    }

    void Step(std::uint64_t microseconds = GameTests::GameDataTestEngine::kSixtiethOfASecond)
    {
        t.Frame(microseconds);
        t.tools.ReadInput();
        t.engine->GetGUIManager()->Update();
        if (background) {
            background->Update();
        }
        if (manager) {
            manager->Update();
        }
        if (screens) {
            screens();
        }
        t.engine->Frame(0);
        sounds.Update(true);
    }
    void Steps(int count)
    {
        for (int i = 0; i < count; ++i) {
            Step();
        }
    }
    // The mouse over a point in GUI coordinates (800 x 600, y up).
    static void PointAt(float x, float y)
    {
        Platform::RecordCursorPosition(static_cast<std::int32_t>(x), static_cast<std::int32_t>(599.0f - y));
    }
    // A press and a release, a frame each.
    void Click()
    {
        ToolsTests::ToolsTestEngine::MouseButton(true);
        Step();
        ToolsTests::ToolsTestEngine::MouseButton(false);
        Step();
    }

    // Steps until the condition holds; false after the limit.
    bool StepUntil(const std::function<bool()>& condition, int limit = 2000)
    {
        for (int i = 0; i < limit; ++i) {
            if (condition()) {
                return true;
            }
            Step();
        }
        return condition();
    }
    // Runs the introduction and hands the assets over: the background ends ready.
    void RunIntroduction()
    {
        background->started = true;
        StepUntil([this] { return background->IsWaitingForLoad(); });
        background->SetResourceSet(&t.data);
        StepUntil([this] { return background->GetState() >= Tansywell::GUIBackgroundWindow::kStateWaitForFadeIn; });
    }

    int Plays(std::uint32_t soundId) const
    {
        int plays = 0;
        for (const auto& instance : mixer.GetSoundInstances()) {
            if (instance->soundId == soundId && instance->sound != nullptr) {
                plays += static_cast<CountedSound*>(instance->sound)->plays;
            }
        }
        return plays;
    }

    GameTests::GameDataTestEngine t;
    CountedSoundSystem soundSystem;
    OrrelayEngine::SoundManager sounds{t.engine->GetMessageManager(), nullptr, &soundSystem};
    GameFramework::Mixer mixer{t.engine->GetMessageManager(), nullptr, &sounds, t.engine->GetTimerManager(), 1, 1};
    std::vector<std::unique_ptr<OrrelayEngine::Model>> templates;
    std::unique_ptr<Tansywell::ProfileManager> profiles;
    std::unique_ptr<Tansywell::GUIBackgroundWindow> background;
    std::unique_ptr<Tansywell::GUIMenuWindowManager> manager;
    // The screens' updates of a frame.
    std::function<void()> screens;

private:
    // The resource set's own upgrade particles, which it releases itself.
};

} // namespace MenuTests
