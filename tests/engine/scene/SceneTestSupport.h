// The scene managers over a null render system, a scratch folder with a file
// manager over it, and helpers to write fixture files with the content
// writers and to read the log. Nothing here draws pixels.
#pragma once

#include "support/ScratchFolder.h"
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "content/ByteBuffer.h"
#include "engine/core/TimerManager.h"
#include "engine/file/FileManager.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/render/LightManager.h"
#include "engine/render/RenderSystemTestSupport.h"
#include "engine/render/ShaderManager.h"
#include "engine/scene/ModelManager.h"
#include "engine/scene/ParticleSystemManager.h"
#include "engine/scene/SpriteGroupManager.h"
#include "support/LogSearch.h"

namespace SceneTest {

class SceneFixture : public testing::Test
{
protected:
    void SetUp() override
    {
        render.Start();
        // The first frame's refresh is what makes the device ready.
        render.system->Refresh();
        log = &render.log;
        files = std::make_unique<OrrelayEngine::FileManager>(log, folder.string(), "");
        timers = std::make_unique<OrrelayEngine::TimerManager>();
        cameras = std::make_unique<OrrelayEngine::CameraManager>(log, nullptr, render.system.get());
        lights = std::make_unique<OrrelayEngine::LightManager>(log, render.system.get());
        shaders = std::make_unique<OrrelayEngine::ShaderManager>(log, files.get(), timers.get(), &render.config,
                                                                 render.system.get());
        models = std::make_unique<OrrelayEngine::ModelManager>(log, files.get(), timers.get(), render.system.get(),
                                                               cameras.get(), lights.get(), shaders.get());
        sprites = std::make_unique<OrrelayEngine::SpriteGroupManager>(log, cameras.get(), shaders.get(), models.get());
        particles = std::make_unique<OrrelayEngine::ParticleSystemManager>(log, files.get(), timers.get(),
                                                                           shaders.get(), sprites.get());
        camera = cameras->GetCurrentCamera();
        // At the origin looking down -z (the back axis is +z).
        camera->Update(1.0f);
    }

    void TearDown() override
    {
        particles.reset();
        sprites.reset();
        models.reset();
        shaders.reset();
        lights.reset();
        cameras.reset();
        timers.reset();
        files.reset();
    }

    // name is relative to the scratch folder, in the engine's spelling.
    void SaveFixture(std::string name, const Content::ByteBuffer& bytes)
    {
        std::replace(name.begin(), name.end(), '\\', '/');
        const std::filesystem::path path = folder / name;
        std::filesystem::create_directories(path.parent_path());
        bytes.Save(path.string());
    }

    std::uint32_t CountLogged(std::uint32_t type, const std::string& text) const
    {
        return TestSupport::CountLogged(*log, text, TestSupport::LogMatch::kPart, type);
    }

    RenderTest::NullRenderSystem render;
    OrrelayEngine::MessageManager* log = nullptr;
    TestSupport::ScratchFolder scratch_;
    std::filesystem::path folder = scratch_.Root();
    std::unique_ptr<OrrelayEngine::FileManager> files;
    std::unique_ptr<OrrelayEngine::TimerManager> timers;
    std::unique_ptr<OrrelayEngine::CameraManager> cameras;
    std::unique_ptr<OrrelayEngine::LightManager> lights;
    std::unique_ptr<OrrelayEngine::ShaderManager> shaders;
    std::unique_ptr<OrrelayEngine::ModelManager> models;
    std::unique_ptr<OrrelayEngine::SpriteGroupManager> sprites;
    std::unique_ptr<OrrelayEngine::ParticleSystemManager> particles;
    OrrelayEngine::Camera* camera = nullptr;
};

} // namespace SceneTest
