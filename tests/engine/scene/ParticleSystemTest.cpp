#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

#include "SceneTestSupport.h"
#include "content/ParticleFileWriter.h"
#include "content/ShaderFileWriter.h"
#include "engine/core/Random.h"

namespace OrrelayEngine {
namespace {

using Content::ParticleFileWriter;
using SceneTest::SceneFixture;

class ParticleSystemTest : public SceneFixture
{
protected:
    // A system with long lives, no gravity and no floor, standing still.
    std::unique_ptr<ParticleSystem> MakeQuiet()
    {
        std::unique_ptr<ParticleSystem> system(particles->CreateSelfMade(nullptr));
        ParticleFile::Settings& settings = system->settings;
        settings.gravityOn = 0;
        settings.floorOn = 0;
        for (std::uint32_t k = 0; k < ParticleFile::kKeyCount; ++k) {
            settings.lifetime[k] = 100.0f;
            settings.speed[k] = 0.0f;
        }
        return system;
    }

    void SetRates(ParticleSystem& system, std::uint8_t smooth, const float (&rates)[6])
    {
        system.settings.smoothEmission = smooth;
        for (std::uint32_t k = 0; k < 6; ++k) {
            system.settings.emissionRate[k] = rates[k];
        }
    }

    void WriteSystem(const std::string& name, const ParticleFile& contents)
    {
        SaveFixture("data\\particles\\" + name + ".psf", ParticleFileWriter().Build(contents));
        SaveFixture("data\\particles\\" + name + ".srf", Content::ShaderFileWriter().Build());
    }
};

TEST_F(ParticleSystemTest, KeyByKeyEmissionBurstsOnEnteringAKeyAndAgainEachCycle)
{
    std::unique_ptr<ParticleSystem> system = MakeQuiet();
    SetRates(*system, 0, {5, 0, 0, 0, 0, 0});
    system->emitting = 1;
    system->Advance(0.01f);
    EXPECT_EQ(system->GetLiveCount(), 5u);
    for (int i = 0; i < 150; ++i) {
        system->Advance(0.01f);
    }
    EXPECT_EQ(system->GetLiveCount(), 5u);
    EXPECT_EQ(system->emitting, 0u);
    EXPECT_EQ(system->GetLastKey(), -1);

    std::unique_ptr<ParticleSystem> repeating = MakeQuiet();
    SetRates(*repeating, 0, {5, 0, 0, 0, 0, 0});
    repeating->repeat = 1;
    repeating->emitting = 1;
    for (int i = 0; i < 250; ++i) {
        repeating->Advance(0.01f);
    }
    EXPECT_EQ(repeating->GetLiveCount(), 15u);
    EXPECT_EQ(repeating->emitting, 1u);
}

TEST_F(ParticleSystemTest, SmoothEmissionCarriesFractionsBetweenFrames)
{
    std::unique_ptr<ParticleSystem> system = MakeQuiet();
    SetRates(*system, 1, {10, 10, 10, 10, 10, 10});
    system->repeat = 1;
    system->emitting = 1;
    for (int i = 0; i < 100; ++i) {
        system->Advance(0.01f);
    }
    EXPECT_GE(system->GetLiveCount(), 9u);
    EXPECT_LE(system->GetLiveCount(), 10u);
    EXPECT_LT(system->GetEmissionCarry(), 1.0f);
    EXPECT_EQ(system->GetPeakCount(), system->GetLiveCount());
}

TEST_F(ParticleSystemTest, SmoothEmissionKeepsItsRateWhenAFrameOwesMoreThanOne)
{
    std::unique_ptr<ParticleSystem> system = MakeQuiet();
    SetRates(*system, 1, {15, 15, 15, 15, 15, 15});
    system->repeat = 1;
    system->emitting = 1;
    // 1.5 births a frame: one, then two with the carried half.
    for (int i = 0; i < 10; ++i) {
        system->Advance(0.1f);
    }
    EXPECT_EQ(system->GetLiveCount(), 15u);
}

TEST_F(ParticleSystemTest, BirthsBeyondTheFullPoolAreDroppedNotOwed)
{
    std::unique_ptr<ParticleSystem> system = MakeQuiet();
    SetRates(*system, 0, {150, 0, 0, 0, 0, 0});
    system->emitting = 1;
    system->Advance(0.01f);
    EXPECT_EQ(system->GetLiveCount(), 100u);
    EXPECT_FLOAT_EQ(system->GetEmissionCarry(), 0.0f);
    SetRates(*system, 0, {std::numeric_limits<float>::infinity(), 0, 0, 0, 0, 0});
    system->elapsedTime = 0.0f;
    system->Advance(0.01f);
    EXPECT_EQ(system->GetLiveCount(), 100u);
    EXPECT_TRUE(std::isfinite(system->GetEmissionCarry()));
}

TEST_F(ParticleSystemTest, ZeroOrBrokenTimesEndTheEffectInsteadOfDividing)
{
    struct Case
    {
        const char* label;
        float duration;
        float lifetime;
        std::uint32_t live;
        std::uint8_t emitting;
    };
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const Case cases[] = {
        {"zero life", 1.0f, 0.0f, 0u, 1u},         {"negative life", 1.0f, -2.0f, 0u, 1u},
        {"life not a number", 1.0f, nan, 0u, 1u},  {"zero cycle", 0.0f, 100.0f, 0u, 0u},
        {"negative cycle", -1.0f, 100.0f, 0u, 0u}, {"cycle not a number", nan, 100.0f, 0u, 0u},
        {"tiny cycle", 1e-30f, 100.0f, 100u, 1u},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        std::unique_ptr<ParticleSystem> system = MakeQuiet();
        SetRates(*system, 0, {200, 200, 200, 200, 200, 200});
        system->settings.duration = c.duration;
        for (float& life : system->settings.lifetime) {
            life = c.lifetime;
        }
        system->repeat = 1;
        system->emitting = 1;
        system->Advance(0.05f);
        system->Advance(0.05f);
        EXPECT_EQ(system->GetLiveCount(), c.live);
        EXPECT_EQ(system->emitting, c.emitting);
    }
}

TEST_F(ParticleSystemTest, FilesOfBothVersionsGiveTheirSpeedsAndCapTheirPools)
{
    ParticleFile fountain = ParticleFileWriter::MakeFountain();
    fountain.version = ParticleFile::kVersionWithoutSpeedSpread;
    WriteSystem("old", fountain);
    fountain.version = ParticleFile::kCurrentVersion;
    fountain.maxParticles = 0xFFFFFFFFu;
    WriteSystem("huge", fountain);

    std::unique_ptr<ParticleSystem> old(particles->LoadParticleSystem("particles\\old.psf", nullptr));
    ASSERT_EQ(old->GetName(), "particles\\old.psf");
    EXPECT_EQ(old->GetMaxParticles(), 50u);
    EXPECT_FLOAT_EQ(old->settings.speedSpread[3], 0.0f);
    old->emitting = 1;
    old->Advance(0.5f);
    ASSERT_GT(old->GetLiveCount(), 0u);
    for (std::uint32_t j = 0; j < 6; ++j) {
        EXPECT_EQ(old->GetParticle(0).speedKeys[j], fountain.settings.speed[j]);
    }

    std::unique_ptr<ParticleSystem> huge(particles->LoadParticleSystem("particles\\huge.psf", nullptr));
    EXPECT_EQ(huge->GetMaxParticles(), ParticleFile::kMaxParticles);
    EXPECT_EQ(CountLogged(MessageManager::kWarning, "asks for 4294967295 particles"), 1u);
    EXPECT_FLOAT_EQ(huge->settings.speedSpread[0], 0.1f);
}

TEST_F(ParticleSystemTest, AFileThatCannotBeReadGivesTheDefaultSystemAndAnError)
{
    ParticleFile fountain = ParticleFileWriter::MakeFountain();
    ParticleFileWriter writer;
    writer.SetSizeFieldError(4);
    SaveFixture("data\\particles\\bad.psf", writer.Build(fountain));
    Content::ByteBuffer version = ParticleFileWriter().Build(fountain);
    version.PatchU32(ParticleFileWriter::kVersionOffset, 205);
    SaveFixture("data\\particles\\version.psf", version);
    // A current file cut where an older one ends: the size field agrees, the
    // emitter box is missing.
    Content::ByteBuffer cut = ParticleFileWriter().Build(fountain);
    std::vector<std::uint8_t> cutBytes = cut.GetBytes();
    cutBytes.resize(ParticleFile::kFileBytesWithoutSpeedSpread);
    Content::ByteBuffer shortened;
    shortened.PutBytes(cutBytes.data(), cutBytes.size());
    shortened.PatchU32(ParticleFileWriter::kSizeOffset, ParticleFile::kFileBytesWithoutSpeedSpread);
    SaveFixture("data\\particles\\cut.psf", shortened);
    const char* names[] = {"particles\\bad.psf", "particles\\version.psf", "particles\\missing.psf",
                           "particles\\cut.psf"};
    for (const char* name : names) {
        std::unique_ptr<ParticleSystem> system(particles->LoadParticleSystem(name, nullptr));
        EXPECT_EQ(system->GetName(), "self_made");
        EXPECT_EQ(system->GetMaxParticles(), 100u);
        EXPECT_FLOAT_EQ(system->settings.floorHeight, -1.0f);
    }
    EXPECT_EQ(CountLogged(MessageManager::kError, "Incorrect \"particles\\bad.psf\" file format"), 1u);
    EXPECT_EQ(CountLogged(MessageManager::kError, "format version, current is 204"), 1u);
    EXPECT_EQ(CountLogged(MessageManager::kError, "missing.psf"), 1u);
    // A cut file fails on the first field it lacks, with the file layer's own words.
    EXPECT_EQ(CountLogged(MessageManager::kError, "Failed to read 4 bytes from \""), 1u);
    EXPECT_EQ(CountLogged(MessageManager::kError, "data\\particles\\cut.psf\" file"), 1u);
}

TEST_F(ParticleSystemTest, ABouncedParticleAtRestVanishesOneUpdateLater)
{
    std::unique_ptr<ParticleSystem> system = MakeQuiet();
    SetRates(*system, 0, {1, 0, 0, 0, 0, 0});
    system->settings.gravityOn = 1;
    system->settings.gravity = 1.0f;
    system->settings.floorOn = 1;
    system->settings.floorHeight = -0.5f;
    system->settings.bounce = 0.1f;
    system->settings.restSpeed = 0.4f;
    system->settings.stopAtRest = 1;
    system->emitting = 1;
    SpriteGroup* group = system->GetSpriteGroup();
    bool landed = false;
    for (int i = 0; i < 100 && !landed; ++i) {
        system->Advance(0.01f);
        const ParticleSystem::Particle& particle = system->GetParticle(0);
        landed = particle.speedFactor == 0.0f;
        if (landed) {
            EXPECT_FLOAT_EQ(group->GetSprite(particle.spriteIndex)->position.z, -0.499f);
            EXPECT_EQ(system->GetLiveCount(), 1u);
        }
    }
    ASSERT_TRUE(landed);
    system->Advance(0.01f);
    EXPECT_EQ(system->GetLiveCount(), 0u);
    EXPECT_EQ(group->GetFreeCount(), 100u);
}

TEST_F(ParticleSystemTest, HiddenSystemsNeitherAgeNorEmit)
{
    std::unique_ptr<ParticleSystem> system = MakeQuiet();
    SetRates(*system, 0, {3, 3, 3, 3, 3, 3});
    system->emitting = 1;
    system->Advance(0.1f);
    const float age = system->GetParticle(0).age;
    system->SetVisible(false);
    EXPECT_FALSE(system->IsVisible());
    system->Advance(0.5f);
    EXPECT_FLOAT_EQ(system->GetParticle(0).age, age);
    EXPECT_EQ(system->GetLiveCount(), 3u);
    EXPECT_FLOAT_EQ(system->elapsedTime, 0.1f);
}

TEST_F(ParticleSystemTest, ASeedGivesTheSameEffectAndBoxStartsStayInTheBox)
{
    std::unique_ptr<ParticleSystem> first = MakeQuiet();
    std::unique_ptr<ParticleSystem> second = MakeQuiet();
    for (ParticleSystem* system : {first.get(), second.get()}) {
        SetRates(*system, 0, {20, 0, 0, 0, 0, 0});
        system->emitterShape = ParticleSystem::kShapeBox;
        system->SetPosition(Vector3(10, 0, 0));
        system->emitting = 1;
    }
    SetRandomSeed(77);
    first->Advance(0.01f);
    SetRandomSeed(77);
    second->Advance(0.01f);
    for (std::uint32_t i = 0; i < 20; ++i) {
        const Vector3& a = first->GetSpriteGroup()->GetSprite(first->GetParticle(i).spriteIndex)->position;
        const Vector3& b = second->GetSpriteGroup()->GetSprite(second->GetParticle(i).spriteIndex)->position;
        EXPECT_FLOAT_EQ(a.x, b.x);
        EXPECT_FLOAT_EQ(a.z, b.z);
        EXPECT_GE(a.x, 9.5f);
        EXPECT_LT(a.x, 10.5f);
        EXPECT_FLOAT_EQ(first->GetParticle(i).lifetime, 100.0f);
    }
    // The point list: on the points, or on the segments between them.
    first->emitterShape = ParticleSystem::kShapePointList;
    first->pathPoints = {Vector3(0, 0, 5), Vector3(0, 4, 5)};
    first->alongSegments = 1;
    // Finish the running cycle, so that the next one bursts again.
    first->Advance(1.0f);
    first->emitting = 1;
    first->Advance(0.0f);
    const Vector3& start = first->GetSpriteGroup()->GetSprite(first->GetParticle(20).spriteIndex)->position;
    EXPECT_FLOAT_EQ(start.z, 5.0f);
    EXPECT_GE(start.y, 0.0f);
    EXPECT_LE(start.y, 4.0f);
}

TEST_F(ParticleSystemTest, ManagerStepsCopiesHidesFinishedOnesAndDeletesOnlyItsOwn)
{
    std::unique_ptr<ParticleSystem> source = MakeQuiet();
    SetRates(*source, 0, {2, 0, 0, 0, 0, 0});
    for (float& life : source->settings.lifetime) {
        life = 0.3f;
    }
    ParticleSystem* copy = particles->CreateCopy(source.get());
    EXPECT_EQ(particles->GetSystemCount(), 1u);
    EXPECT_FLOAT_EQ(copy->settings.lifetime[0], 0.3f);
    EXPECT_EQ(copy->emitting, 0u);
    // The burst is emitted by hand; from then on the manager steps the copy
    // with the real frame time until its effect has finished.
    copy->emitting = 1;
    copy->Advance(0.01f);
    ASSERT_EQ(copy->GetLiveCount(), 2u);
    copy->emitting = 0;
    particles->HideWhenDone(copy);
    for (int i = 0; i < 5000 && particles->GetHideWhenDoneCount() > 0; ++i) {
        timers->Update();
        particles->UpdateAll();
    }
    EXPECT_EQ(particles->GetHideWhenDoneCount(), 0u);
    EXPECT_FALSE(copy->IsVisible());
    EXPECT_EQ(copy->GetLiveCount(), 0u);
    EXPECT_EQ(copy->GetPeakCount(), 2u);

    particles->DeleteParticleSystem(source.get());
    EXPECT_EQ(source->GetName(), "self_made");
    particles->HideWhenDone(copy);
    particles->DeleteParticleSystem(copy);
    EXPECT_EQ(particles->GetSystemCount(), 0u);
    particles->UpdateAll();
    EXPECT_EQ(particles->GetHideWhenDoneCount(), 0u);
}

} // namespace
} // namespace OrrelayEngine
