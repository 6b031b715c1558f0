#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "SoundTestFixture.h"
#include "content/ToneSynth.h"
#include "content/WavWriter.h"
#include "engine/sound/Sound.h"
#include "engine/sound/SoundBufferManager.h"
#include "engine/sound/SoundManager.h"
#include "engine/sound/SoundSystem_DS7.h"
#include "platform/AudioDevice.h"

namespace SoundTests {
namespace {

using OrrelayEngine::Sound;
using OrrelayEngine::SoundManager;
using OrrelayEngine::SoundSystem_DS7;

class SoundManagerTest : public SoundTest
{
protected:
    void SetUp() override
    {
        SoundTest::SetUp();
        system_ = std::make_unique<SoundSystem_DS7>(log_.get(), files_.get(), timers_.get(), nullptr, nullptr, false);
        manager_ = std::make_unique<SoundManager>(log_.get(), files_.get(), system_.get());
        std::vector<std::int16_t> ramp;
        for (int i = 1; i <= 100; ++i) {
            ramp.push_back(static_cast<std::int16_t>(i * 10));
        }
        path_ = WriteFile("ramp.wav", Content::WavWriter(1, 22050, 16).Build(Content::ToneSynth::ToBytes16(ramp)));
    }

    void TearDown() override
    {
        manager_.reset();
        system_.reset();
        SoundTest::TearDown();
    }

    std::int16_t NextSample()
    {
        std::int16_t out[2] = {};
        system_->GetDevice()->Mix(out, 1);
        return out[0];
    }

    std::unique_ptr<SoundSystem_DS7> system_;
    std::unique_ptr<SoundManager> manager_;
    std::string path_;
};

TEST_F(SoundManagerTest, FreedIdsAreReusedFirstFreedFirst)
{
    std::vector<Sound*> sounds;
    for (int i = 0; i < 7; ++i) {
        sounds.push_back(manager_->CreateSound(path_));
        EXPECT_EQ(manager_->GetSoundId(sounds.back()), i);
    }
    manager_->DeleteSound(sounds[2]);
    manager_->DeleteSound(sounds[5]);
    manager_->DeleteSound(nullptr);
    EXPECT_EQ(manager_->GetSoundCount(), 5u);
    Sound* a = manager_->CreateSound(path_);
    Sound* b = manager_->CreateSound(path_);
    Sound* c = manager_->CreateSound(path_);
    EXPECT_EQ(manager_->GetSoundId(a), 2);
    EXPECT_EQ(manager_->GetSoundId(b), 5);
    EXPECT_EQ(manager_->GetSoundId(c), 7);
    // The live list keeps creation order.
    ASSERT_EQ(manager_->GetSoundCount(), 8u);
    EXPECT_EQ(manager_->GetSound(0), sounds[0]);
    EXPECT_EQ(manager_->GetSound(4), sounds[6]);
    EXPECT_EQ(manager_->GetSound(5), a);
    EXPECT_EQ(manager_->GetSound(7), c);
    EXPECT_EQ(manager_->GetSound(8), nullptr);
}

TEST_F(SoundManagerTest, QueuedCommandsRunInOrderAtTheNextFullUpdate)
{
    Sound* sound = manager_->CreateSound(path_);
    struct Case
    {
        std::vector<SoundManager::Command> commands;
        Sound::State after;
    };
    const Case cases[] = {
        {{SoundManager::kPlay}, Sound::kPlaying},
        {{SoundManager::kPlay, SoundManager::kStop}, Sound::kStopped},
        {{SoundManager::kStop, SoundManager::kPlay}, Sound::kPlaying},
        {{SoundManager::kPlay, SoundManager::kPause}, Sound::kPaused},
    };
    for (const Case& c : cases) {
        manager_->StopSound(sound, true);
        for (SoundManager::Command command : c.commands) {
            if (command == SoundManager::kPlay) {
                manager_->PlaySound(sound, false);
            } else if (command == SoundManager::kPause) {
                manager_->PauseSound(sound, false);
            } else {
                manager_->StopSound(sound, false);
            }
        }
        EXPECT_EQ(sound->GetState(), Sound::kStopped);
        manager_->Update(false);
        EXPECT_EQ(sound->GetState(), Sound::kStopped) << "Update(false) runs nothing";
        EXPECT_EQ(manager_->GetCommandCount(), c.commands.size());
        manager_->Update(true);
        EXPECT_EQ(manager_->GetCommandCount(), 0u);
        EXPECT_EQ(sound->GetState(), c.after);
    }
}

TEST_F(SoundManagerTest, SecondQueuedPlayRestartsFromTheBeginning)
{
    Sound* sound = manager_->CreateSound(path_);
    manager_->PlaySound(sound, true);
    EXPECT_EQ(NextSample(), 10);
    EXPECT_EQ(NextSample(), 20);
    EXPECT_EQ(NextSample(), 30);
    manager_->PlaySound(sound, false);
    manager_->PlaySound(sound, false);
    manager_->Update(true);
    EXPECT_EQ(NextSample(), 10);
}

TEST_F(SoundManagerTest, FinishedSoundBecomesStopped)
{
    Sound* once = manager_->CreateSound(path_);
    Sound* looped = manager_->CreateSound(path_);
    looped->SetLoop(true);
    manager_->PlaySound(once, true);
    manager_->PlaySound(looped, true);
    std::int16_t out[2 * 150];
    system_->GetDevice()->Mix(out, 150);
    EXPECT_EQ(out[2 * 120], 210) << "only the looping one is left";
    manager_->Update(true);
    EXPECT_EQ(once->GetState(), Sound::kStopped);
    EXPECT_EQ(looped->GetState(), Sound::kPlaying);
}

TEST_F(SoundManagerTest, DeletingASoundDropsItsQueuedCommands)
{
    Sound* doomed = manager_->CreateSound(path_);
    Sound* kept = manager_->CreateSound(path_);
    manager_->PlaySound(doomed, false);
    manager_->PlaySound(kept, false);
    manager_->StopSound(doomed, false);
    manager_->DeleteSound(doomed);
    EXPECT_EQ(manager_->GetCommandCount(), 1u);
    manager_->Update(true);
    EXPECT_EQ(kept->GetState(), Sound::kPlaying);
    manager_->PlaySound(kept, false);
    manager_->ClearCommands();
    EXPECT_EQ(manager_->GetCommandCount(), 0u);
}

TEST_F(SoundManagerTest, RefusedPlayStopsTheFirstOtherOneShotSound)
{
    Sound* looped = manager_->CreateSound(path_);
    Sound* stopped = manager_->CreateSound(path_);
    Sound* playing = manager_->CreateSound(path_);
    Sound* wanted = manager_->CreateSound(path_);
    looped->SetLoop(true);
    manager_->PlaySound(looped, true);
    manager_->PlaySound(playing, true);
    // A lost device refuses every play.
    system_->GetDevice()->SimulateLoss();
    manager_->PlaySound(wanted, true);
    EXPECT_EQ(looped->GetState(), Sound::kPlaying);
    EXPECT_EQ(stopped->GetState(), Sound::kStopped);
    EXPECT_EQ(playing->GetState(), Sound::kStopped);
    EXPECT_TRUE(Logged("DirectSound Subsystem (SoundBuffer_DS7::Play): The buffer memory has been lost"));
}

TEST_F(SoundManagerTest, BuffersAreReleasedWithTheirSounds)
{
    Sound* a = manager_->CreateSound(path_);
    Sound* b = manager_->CreateSound(path_);
    auto* buffers = system_->GetBufferManager();
    ASSERT_NE(buffers, nullptr);
    EXPECT_EQ(buffers->GetBufferCount(), 2u);
    manager_->DeleteSound(a);
    EXPECT_EQ(buffers->GetBufferCount(), 1u);
    manager_->PlaySound(b, true);
    EXPECT_EQ(NextSample(), 10);
    manager_.reset();
    EXPECT_EQ(system_->GetBufferManager(), nullptr);
}

} // namespace
} // namespace SoundTests
