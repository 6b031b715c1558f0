// The scene managers' per-frame steps over the null render system: once warm,
// a frame takes no memory, whatever moves, sorts, is born or dies in it.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "SceneTestSupport.h"
#include "content/BmpFileWriter.h"
#include "content/FixturePicture.h"
#include "content/ModelFileWriter.h"
#include "content/ShaderFileWriter.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/scene/AnimationControl.h"
#include "platform/Clock.h"
#include "support/AllocationCounter.h"
#include "support/LogSearch.h"
#include "support/ScopedManualClock.h"

namespace OrrelayEngine {
namespace {

using SceneTest::SceneFixture;

constexpr std::uint32_t kFirstGroup = 0x200;
constexpr std::uint32_t kSecondGroup = 0x400;
constexpr int kWarmUpFrames = 3;
constexpr int kCountedFrames = 60;

class SceneFrameAllocationTest : public SceneFixture
{
protected:
    Model* AddBox(float z, std::uint32_t group)
    {
        Model* source = models->CreateBox(Vector3(-0.5f, -0.5f, -0.5f), Vector3(0.5f, 0.5f, 0.5f), nullptr, nullptr, 0);
        Model* model = models->CreateCopy(source, nullptr, 0);
        delete source;
        model->ClearFlags(kFirstGroup | kSecondGroup);
        model->SetFlags(group);
        MatrixSetTranslation(model->matrix, Vector3(0.0f, 0.0f, z));
        return model;
    }

    // A running effect: smooth emission, short lives, gravity and a floor.
    ParticleSystem* AddFountain(float x)
    {
        std::unique_ptr<ParticleSystem> source(particles->CreateSelfMade(nullptr));
        ParticleFile::Settings& settings = source->settings;
        settings.duration = 1.0f;
        settings.smoothEmission = 1;
        settings.gravityOn = 1;
        settings.gravity = 9.8f;
        settings.floorOn = 1;
        settings.floorHeight = -1.0f;
        settings.bounce = 0.5f;
        for (std::uint32_t k = 0; k < ParticleFile::kKeyCount; ++k) {
            settings.lifetime[k] = 0.2f;
            settings.speed[k] = 3.0f;
            settings.emissionRate[k] = 200.0f;
            settings.direction[k] = Vector3(0.0f, 1.0f, 0.0f);
            settings.directionSpread[k] = Vector3(0.5f, 0.1f, 0.5f);
            settings.size[k] = 0.1f;
        }
        ParticleSystem* system = particles->CreateCopy(source.get());
        particles->DeleteParticleSystem(source.get());
        system->repeat = 1;
        system->emitting = 1;
        MatrixSetTranslation(system->GetModel()->matrix, Vector3(x, 0.0f, -10.0f));
        return system;
    }

    // Runs the warm-up frames, then counts what the counted frames allocate.
    template <typename Frame>
    std::size_t CountSteadyAllocations(Frame frame)
    {
        int number = 0;
        for (; number < kWarmUpFrames; ++number) {
            frame(number);
        }
        TestSupport::ScopedAllocationCount allocations;
        for (; number < kWarmUpFrames + kCountedFrames; ++number) {
            frame(number);
        }
        return allocations.Count();
    }
};

TEST_F(SceneFrameAllocationTest, RenderingModelsOfBothGroupsAllocatesNothing)
{
    std::vector<Model*> boxes;
    for (int i = 0; i < 24; ++i) {
        boxes.push_back(AddBox(-2.0f - static_cast<float>(i), kFirstGroup));
        boxes.push_back(AddBox(-2.5f - static_cast<float>(i), kSecondGroup));
        boxes.push_back(AddBox(-3.0f - static_cast<float>(i), 0));
    }
    // One box behind the camera, to be culled.
    boxes.push_back(AddBox(10.0f, kFirstGroup));
    const std::size_t allocations = CountSteadyAllocations([&](int number) {
        // The depths change order every frame, so each frame sorts anew.
        for (std::size_t i = 0; i < boxes.size() - 1; ++i) {
            const float wobble = (number + static_cast<int>(i)) % 2 == 0 ? 0.7f : -0.7f;
            MatrixSetTranslation(boxes[i]->matrix, Vector3(0.0f, 0.0f, -2.0f - static_cast<float>(i) * 0.3f + wobble));
        }
        cameras->Update();
        models->RenderAll();
    });
    EXPECT_EQ(allocations, 0u);
    EXPECT_GE(models->GetDrawCount(), 72u);
}

// A triangle whose two key frames move it away and back, or, skinned, one
// whose two bones carry it.
ModelFile MakeAnimatedTriangle(bool skinned)
{
    ModelFile model;
    model.version = ModelFile::kCurrentVersion;
    model.flags =
        (skinned ? Model::kFlagSkinned : Model::kFlagKeyframe) | Model::kFlagTriangleList | Model::kFlagVisible;
    model.frameCount = 2;
    model.animationSpeed = 1.0f;
    model.vertexCount = 3;
    model.indices = {0, 1, 2};
    for (std::uint32_t frame = 0; frame < (skinned ? 1u : 2u); ++frame) {
        for (std::uint32_t i = 0; i < 3; ++i) {
            ModelFile::Vertex vertex;
            vertex.u = 0.1f * static_cast<float>(i + 1);
            vertex.normal = Vector3(0.0f, 0.0f, 1.0f);
            vertex.position = Vector3(static_cast<float>(i == 1), static_cast<float>(i == 2), -5.0f - 2.0f * frame);
            model.vertices.push_back(vertex);
        }
        model.boxes.push_back({Vector3(0, 0, -5.0f - 2.0f * frame), Vector3(1, 1, -5)});
    }
    if (skinned) {
        ModelFile::Bone bone;
        bone.boxMin = Vector3(-1, -1, -1);
        bone.boxMax = Vector3(1, 1, 1);
        model.bones = {bone, bone};
        for (std::uint32_t f = 0; f < 2; ++f) {
            for (std::uint32_t b = 0; b < 2; ++b) {
                ModelFile::BoneFrame frame;
                frame.position = Vector3(static_cast<float>(f), static_cast<float>(b), -5.0f);
                frame.scale = Vector3(1, 1, 1);
                model.boneFrames.push_back(frame);
            }
        }
        for (std::uint32_t i = 0; i < 3; ++i) {
            ModelFile::SkinnedVertex vertex;
            vertex.influenceCount = 2;
            vertex.influences[0] = {0, 0.75f, Vector3(0, 0, 1), Vector3(static_cast<float>(i), 0, 0)};
            vertex.influences[1] = {1, 0.25f, Vector3(0, 0, 1), Vector3(0, static_cast<float>(i), 0)};
            model.skinnedVertices.push_back(vertex);
        }
    }
    return model;
}

TEST_F(SceneFrameAllocationTest, RenderingTexturedAndAnimatedModelsAllocatesNothing)
{
    Content::FixturePicture wood;
    wood.width = 4;
    wood.height = 4;
    wood.channels = 3;
    wood.pixels.assign(4 * 4 * 3, 120);
    SaveFixture("data\\wood.bmp", Content::BmpFileWriter(wood).Build());
    SaveFixture("data\\models\\walker.mlf", Content::ModelFileWriter().Build(MakeAnimatedTriangle(false)));
    SaveFixture("data\\models\\dancer.mlf", Content::ModelFileWriter().Build(MakeAnimatedTriangle(true)));
    SaveFixture("data\\models\\walker.srf", Content::ShaderFileWriter().Build());
    SaveFixture("data\\models\\dancer.srf", Content::ShaderFileWriter().Build());
    ShaderDescriptor textured = MakeSingleTextureShaderDescriptor("wood.bmp", "", false);
    ShaderDescriptor blended = MakeSingleTextureShaderDescriptor("wood.bmp", "", false);
    blended.AddFlags(ShaderDescriptor::kFlagAlphaBlend);

    std::vector<Model*> moving;
    for (int i = 0; i < 12; ++i) {
        const bool first = i % 2 == 0;
        std::unique_ptr<Model> source(models->CreateBox(Vector3(-0.5f, -0.5f, -0.5f), Vector3(0.5f, 0.5f, 0.5f),
                                                        first ? &textured : &blended, nullptr, 0));
        Model* box = models->CreateCopy(source.get(), nullptr, 0);
        box->ClearFlags(kFirstGroup | kSecondGroup);
        box->SetFlags(first ? kFirstGroup : kSecondGroup);
        moving.push_back(box);
        for (const char* name : {"models\\walker.mlf", "models\\dancer.mlf"}) {
            Model* animated = models->LoadModel(name, nullptr, 0);
            animated->ClearFlags(kFirstGroup | kSecondGroup);
            animated->SetFlags(first ? kSecondGroup : kFirstGroup);
            animated->GetAnimationControl()->Play();
            moving.push_back(animated);
        }
    }
    const std::size_t allocations = CountSteadyAllocations([&](int number) {
        for (std::size_t i = 0; i < moving.size(); ++i) {
            const float wobble = (number + static_cast<int>(i)) % 2 == 0 ? 0.7f : -0.7f;
            MatrixSetTranslation(moving[i]->matrix, Vector3(0.0f, 0.0f, -2.0f - static_cast<float>(i) * 0.3f + wobble));
        }
        timers->Update();
        shaders->UpdateShaderUsers();
        cameras->Update();
        lights->ApplyAll();
        models->RenderAll();
        models->PresentFrame();
    });
    EXPECT_EQ(allocations, 0u);
    EXPECT_EQ(TestSupport::LoggedTexts(*log, MessageManager::kError), std::vector<std::string>());
    EXPECT_EQ(models->GetDrawCount(), moving.size());
}

TEST_F(SceneFrameAllocationTest, UpdatingSpriteGroupsAllocatesNothing)
{
    for (int g = 0; g < 4; ++g) {
        SpriteGroup* group = sprites->CreateRegisteredSpriteGroup(20, nullptr, nullptr);
        group->sortByDepth = static_cast<std::uint8_t>(g % 2);
        for (int s = 0; s < 15; ++s) {
            group->AddSprite(Vector3(static_cast<float>(s), static_cast<float>(g), -5.0f - static_cast<float>(s)), 1.0f,
                             Color(1, 1, 1, 1));
        }
    }
    const std::size_t allocations = CountSteadyAllocations([&](int number) {
        camera->SetPosition(Vector3(0.1f * static_cast<float>(number % 5), 0.0f, 0.0f));
        cameras->Update();
        sprites->UpdateAll();
    });
    EXPECT_EQ(allocations, 0u);
}

TEST_F(SceneFrameAllocationTest, RunningParticleSystemsAllocateNothing)
{
    // Frames of a steady 20 ms, so that particles are born and die while counted.
    const TestSupport::ScopedManualClock clock;
    std::vector<ParticleSystem*> fountains;
    for (int i = 0; i < 4; ++i) {
        fountains.push_back(AddFountain(static_cast<float>(i)));
    }
    const std::size_t allocations = CountSteadyAllocations([&](int) {
        Platform::AdvanceManualClock(20000);
        timers->Update();
        particles->UpdateAll();
        sprites->UpdateAll();
        models->RenderAll();
    });
    EXPECT_EQ(allocations, 0u);
    EXPECT_GT(fountains[0]->GetLiveCount(), 0u) << "the effect really runs";
}

} // namespace
} // namespace OrrelayEngine
