#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>

#include "engine/core/Config.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Timer.h"
#include "engine/core/TimerManager.h"
#include "engine/sound/Sound.h"
#include "engine/sound/SoundBuffer.h"
#include "engine/sound/SoundManager.h"
#include "engine/sound/SoundSystem.h"
#include "framework/FadingSound.h"
#include "framework/Mixer.h"
#include "framework/SoundInstance.h"
#include "support/AllocationCounter.h"
#include "tests/framework/FrameworkTestSupport.h"

namespace {

using GameFramework::FadingSound;
using GameFramework::Mixer;

class FakeSound : public OrrelayEngine::Sound
{
public:
    explicit FakeSound(const std::string& name) : Sound(nullptr, nullptr, name) {}
    bool Play() override
    {
        ++plays;
        state = kPlaying;
        return true;
    }
    void Pause() override { state = kPaused; }
    void Stop() override { state = kStopped; }
    State GetState() const override { return state; }

    int plays = 0;
    State state = kStopped;
};

class FakeSoundSystem : public OrrelayEngine::SoundSystem
{
public:
    FakeSoundSystem() : SoundSystem(nullptr, nullptr, nullptr, false) {}
    std::unique_ptr<OrrelayEngine::Sound> CreateSound(const std::string& fileName) override
    {
        return std::make_unique<FakeSound>(fileName);
    }
    std::unique_ptr<OrrelayEngine::Sound> CloneSound(const OrrelayEngine::Sound&) override { return nullptr; }
    std::unique_ptr<OrrelayEngine::SoundBuffer> CreateSoundBuffer(const std::string&) override { return nullptr; }
    std::unique_ptr<OrrelayEngine::SoundBuffer> CloneSoundBuffer(const OrrelayEngine::SoundBuffer&) override
    {
        return nullptr;
    }
};

class MixerTest : public testing::Test
{
protected:
    enum : std::uint32_t
    {
        kMenuTrack = 10,
        kGameTrack = 11,
        kClick = 1,
        kRain = 2
    };

    MixerTest()
    {
        mixer.AddMusicTrack(kMenuTrack, "audio\\music\\menu.ogg", true);
        mixer.AddMusicTrack(kGameTrack, "audio\\music\\game.ogg", true);
        mixer.AddSound(kClick, "audio\\sfx\\click.wav", false, 3);
        mixer.AddSound(kRain, "audio\\sfx\\rain.wav", true, 1);
    }

    FakeSound& TrackSound(std::uint32_t trackId)
    {
        return *static_cast<FakeSound*>(mixer.FindTrack(trackId)->GetSound());
    }
    std::vector<FakeSound*> Instances(std::uint32_t soundId)
    {
        std::vector<FakeSound*> found;
        for (const auto& instance : mixer.GetSoundInstances()) {
            if (instance->soundId == soundId)
                found.push_back(static_cast<FakeSound*>(instance->sound));
        }
        return found;
    }
    // Plays the effect at that clock time and runs the frame's queue.
    void PlayAt(std::uint32_t soundId, float seconds)
    {
        timers.GetFrameTimer()->SetTime(seconds);
        mixer.PlaySound(soundId);
        sounds.Update(true);
    }

    FrameworkTests::FrameworkEnvironment env;
    OrrelayEngine::MessageManager& log = env.Log();
    OrrelayEngine::TimerManager timers;
    FakeSoundSystem system;
    OrrelayEngine::SoundManager sounds{&log, nullptr, &system};
    OrrelayEngine::Config config{&log, &env.Files(), env.UserFolder(), "Quillory", false, "", false, true};
    Mixer mixer{&log, &config, &sounds, &timers, 0.37f, 0.48f};
};

TEST_F(MixerTest, VolumesAreSavedVariablesWithSixDecimalDefaults)
{
    EXPECT_EQ(config.GetDefaultValue("g_music_volume"), "0.370000");
    EXPECT_EQ(config.GetDefaultValue("g_sound_volume"), "0.480000");
    EXPECT_FLOAT_EQ(mixer.GetDefaultMusicVolume(), 0.37f);
    EXPECT_FLOAT_EQ(mixer.GetDefaultSoundVolume(), 0.48f);
    EXPECT_FLOAT_EQ(mixer.FindTrack(kMenuTrack)->GetMasterVolume(), 0.37f);
    EXPECT_FLOAT_EQ(Instances(kClick)[0]->GetVolume(), 0.48f);
    config.SetValue("g_sound_volume", "0.5");
    EXPECT_EQ(mixer.GetSoundVolume(), 0.5f);
}

TEST_F(MixerTest, ValueFromTheIniFileWinsAndTheLastValueOutlivesTheMixer)
{
    FrameworkTests::FrameworkEnvironment::WriteAll(env.NativeUserFolder() + "/Quillory.ini", "g_music_volume 0.9\r\n");
    OrrelayEngine::Config loaded(&log, &env.Files(), env.UserFolder(), "Quillory", false, "", false, true);
    loaded.Load();
    {
        Mixer other(&log, &loaded, &sounds, &timers, 0.37f, 0.48f);
        EXPECT_FLOAT_EQ(other.GetMusicVolume(), 0.9f);
        EXPECT_FLOAT_EQ(other.GetDefaultMusicVolume(), 0.37f);
        other.SetSoundVolume(0.25f);
    }
    EXPECT_EQ(loaded.GetValue("g_sound_volume"), "0.250000");
    loaded.SetValue("g_sound_volume", "0.75");
    EXPECT_EQ(loaded.GetValue("g_sound_volume"), "0.250000");
}

TEST_F(MixerTest, VolumesAreClampedAndReachTheirOwnSounds)
{
    struct Case
    {
        float given;
        float stored;
    };
    const Case cases[] = {{0.5f, 0.5f}, {2.0f, 1.0f}, {-0.5f, 0.0f}, {std::numeric_limits<float>::quiet_NaN(), 0.0f}};
    OrrelayEngine::Sound* gui = sounds.CreateSound("audio\\menu\\button_click.wav");
    for (const Case& c : cases) {
        mixer.SetMusicVolume(c.given);
        mixer.SetSoundVolume(c.given);
        EXPECT_EQ(mixer.GetMusicVolume(), c.stored) << c.given;
        EXPECT_EQ(mixer.GetSoundVolume(), c.stored) << c.given;
        EXPECT_EQ(gui->GetVolume(), c.stored) << c.given;
        EXPECT_EQ(Instances(kRain)[0]->GetVolume(), c.stored) << c.given;
        // The tracks follow the music volume only, times their own fade level.
        EXPECT_EQ(TrackSound(kMenuTrack).GetVolume(), c.stored * mixer.FindTrack(kMenuTrack)->GetFadeVolume());
    }
}

TEST_F(MixerTest, ChangedVariablesTakeEffectClampedOnTheNextFrame)
{
    EXPECT_EQ(config.Execute("g_music_volume 2"), OrrelayEngine::Config::kExecuteDone);
    config.SetValue("g_sound_volume", "0.25");
    mixer.Advance(0.016f);
    EXPECT_EQ(mixer.FindTrack(kMenuTrack)->GetMasterVolume(), 1.0f);
    EXPECT_EQ(mixer.FindTrack(kGameTrack)->GetMasterVolume(), 1.0f);
    EXPECT_EQ(Instances(kClick)[2]->GetVolume(), 0.25f);
}

TEST_F(MixerTest, MusicFadesInOverTime)
{
    mixer.SetMusicVolume(0.5f);
    mixer.PlayMusic(0, kMenuTrack, true, 2.0f);
    EXPECT_EQ(mixer.GetMusicState(0), 0u);
    EXPECT_EQ(TrackSound(kMenuTrack).plays, 1);
    EXPECT_EQ(TrackSound(kMenuTrack).GetVolume(), 0.0f);

    mixer.Advance(0.25f);
    EXPECT_FLOAT_EQ(mixer.FindTrack(kMenuTrack)->GetFadeVolume(), 0.5f);
    EXPECT_FLOAT_EQ(TrackSound(kMenuTrack).GetVolume(), 0.25f);
    mixer.Advance(0.3f);
    EXPECT_EQ(mixer.FindTrack(kMenuTrack)->GetFadeVolume(), 1.0f);
    EXPECT_EQ(mixer.FindTrack(kMenuTrack)->GetFadeState(), FadingSound::kFadeNone);
}

TEST_F(MixerTest, SwitchingTheChannelFadesTheOldTrackOutAtOnePerSecond)
{
    mixer.PlayMusic(0, kMenuTrack, false, 0.0f);
    mixer.PlayMusic(0, kGameTrack, true, 0.5f);
    EXPECT_EQ(mixer.GetChannelTrack(0), mixer.FindTrack(kGameTrack));
    EXPECT_EQ(mixer.FindTrack(kMenuTrack)->GetFadeState(), FadingSound::kFadeOutThenStop);

    mixer.Advance(0.5f);
    EXPECT_FLOAT_EQ(mixer.FindTrack(kMenuTrack)->GetFadeVolume(), 0.5f);
    EXPECT_FLOAT_EQ(mixer.FindTrack(kGameTrack)->GetFadeVolume(), 0.25f);
    EXPECT_EQ(TrackSound(kMenuTrack).GetState(), OrrelayEngine::Sound::kPlaying);
    mixer.Advance(0.5f);
    EXPECT_EQ(TrackSound(kMenuTrack).GetState(), OrrelayEngine::Sound::kStopped);
    EXPECT_EQ(mixer.GetMusicState(0), 0u);
}

TEST_F(MixerTest, PlayingTheChannelsOwnTrackRestartsItOnlyWhenNotPlaying)
{
    mixer.PlayMusic(1, kMenuTrack, false, 0.0f);
    mixer.PlayMusic(1, kMenuTrack, true, 1.0f);
    EXPECT_EQ(TrackSound(kMenuTrack).plays, 1);
    EXPECT_EQ(mixer.FindTrack(kMenuTrack)->GetFadeState(), FadingSound::kFadeNone);

    mixer.PauseMusic(1, true, false, 0.0f);
    EXPECT_EQ(mixer.GetMusicState(1), 1u);
    mixer.PlayMusic(1, kMenuTrack, true, 1.0f);
    EXPECT_EQ(TrackSound(kMenuTrack).plays, 2);
    EXPECT_EQ(mixer.FindTrack(kMenuTrack)->GetFadeState(), FadingSound::kFadeIn);
}

TEST_F(MixerTest, PauseAndStopFollowTheTracksState)
{
    mixer.PlayMusic(0, kMenuTrack, false, 0.0f);
    mixer.PauseMusic(0, true, true, 4.0f);
    EXPECT_EQ(mixer.GetMusicState(0), 0u);
    mixer.Advance(0.3f);
    EXPECT_EQ(mixer.GetMusicState(0), 1u);

    mixer.PauseMusic(0, false, true, 2.0f);
    EXPECT_EQ(mixer.GetMusicState(0), 0u);
    EXPECT_EQ(mixer.FindTrack(kMenuTrack)->GetFadeState(), FadingSound::kFadeIn);

    mixer.StopMusic(0, true, 1.0f);
    EXPECT_EQ(mixer.FindTrack(kMenuTrack)->GetFadeState(), FadingSound::kFadeOutThenStop);
    // Pausing without a fade a track that was fading out to stop stops it.
    mixer.PauseMusic(0, true, false, 0.0f);
    EXPECT_EQ(mixer.GetMusicState(0), 2u);

    mixer.PlayMusic(2, kGameTrack, false, 0.0f);
    mixer.PauseMusic(2, true, false, 0.0f);
    mixer.StopMusic(2, true, 1.0f);
    EXPECT_EQ(mixer.GetMusicState(2), 2u);
    EXPECT_EQ(mixer.GetMusicState(9), 2u);
}

TEST_F(MixerTest, AFadingStopOutlastsAFadingPauseAndResumingDoesNotRevive)
{
    mixer.PlayMusic(0, kMenuTrack, false, 0.0f);
    mixer.StopMusic(0, true, 2.0f);
    mixer.Advance(0.25f);
    mixer.PauseMusic(0, true, true, 4.0f);
    EXPECT_EQ(mixer.FindTrack(kMenuTrack)->GetFadeState(), FadingSound::kFadeOutThenStop);
    mixer.Advance(0.3f);
    EXPECT_EQ(mixer.GetMusicState(0), 2u);
    mixer.PauseMusic(0, false, true, 1.0f);
    mixer.Advance(0.1f);
    EXPECT_EQ(mixer.GetMusicState(0), 2u);
    EXPECT_EQ(TrackSound(kMenuTrack).plays, 1);
}

TEST_F(MixerTest, PauseAllAndStopAllReachEveryChannel)
{
    mixer.PlayMusic(0, kMenuTrack, false, 0.0f);
    mixer.PlayMusic(3, kGameTrack, false, 0.0f);
    mixer.PauseAllMusic(true, false, 0.0f);
    EXPECT_EQ(mixer.GetMusicState(0), 1u);
    EXPECT_EQ(mixer.GetMusicState(3), 1u);
    mixer.StopAllMusic(false, 0.0f);
    EXPECT_EQ(mixer.GetMusicState(0), 2u);
    EXPECT_EQ(mixer.GetMusicState(3), 2u);
}

TEST_F(MixerTest, UnknownTrackLeavesTheChannelAsItWas)
{
    mixer.PlayMusic(0, kMenuTrack, false, 0.0f);
    mixer.PlayMusic(0, 99, false, 0.0f);
    EXPECT_EQ(mixer.GetChannelTrack(0), mixer.FindTrack(kMenuTrack));
    EXPECT_EQ(mixer.FindTrack(kMenuTrack)->GetFadeState(), FadingSound::kFadeNone);
    mixer.PlayMusic(5, 99, false, 0.0f);
    EXPECT_EQ(mixer.GetChannelTrack(5), nullptr);
}

TEST_F(MixerTest, EffectPoolReusesTheOldestInstance)
{
    const std::vector<FakeSound*> pool = Instances(kClick);
    ASSERT_EQ(pool.size(), 3u);
    PlayAt(kClick, 10.0f);
    PlayAt(kClick, 10.1f);
    PlayAt(kClick, 10.2f);
    PlayAt(kClick, 10.3f);
    EXPECT_EQ(pool[0]->plays, 2);
    EXPECT_EQ(pool[1]->plays, 1);
    EXPECT_EQ(pool[2]->plays, 1);
}

TEST_F(MixerTest, TheSameEffectWithinTwoHundredthsOfASecondIsHeardOnce)
{
    struct Case
    {
        float gapSeconds;
        int plays;
    };
    const Case cases[] = {{0.0f, 1}, {0.01f, 1}, {0.05f, 2}};
    for (const Case& c : cases) {
        FakeSoundSystem freshSystem;
        OrrelayEngine::SoundManager freshSounds(&log, nullptr, &freshSystem);
        Mixer fresh(&log, nullptr, &freshSounds, &timers, 1.0f, 1.0f);
        fresh.AddSound(kClick, "click", false, 3);
        timers.GetFrameTimer()->SetTime(20.0f);
        fresh.PlaySound(kClick);
        timers.GetFrameTimer()->SetTime(20.0f + c.gapSeconds);
        fresh.PlaySound(kClick);
        freshSounds.Update(true);
        int plays = 0;
        for (const auto& instance : fresh.GetSoundInstances())
            plays += static_cast<FakeSound*>(instance->sound)->plays;
        EXPECT_EQ(plays, c.plays) << c.gapSeconds;
    }
}

TEST_F(MixerTest, EffectsStillPlayAfterADayOfPlay)
{
    // Once every instance has started late in a long session, one must still be found.
    for (float t : {200000.0f, 200001.0f, 200002.0f, 200003.0f})
        PlayAt(kClick, t);
    EXPECT_EQ(Instances(kClick)[0]->plays, 2);
    EXPECT_EQ(Instances(kClick)[1]->plays, 1);
    EXPECT_EQ(Instances(kClick)[2]->plays, 1);
}

TEST_F(MixerTest, LoopingEffectIsNotRestartedWhilePlaying)
{
    PlayAt(kRain, 5.0f);
    PlayAt(kRain, 6.0f);
    EXPECT_EQ(Instances(kRain)[0]->plays, 1);
    EXPECT_EQ(mixer.GetSoundState(kRain), 0u);

    mixer.StopSound(kRain);
    EXPECT_EQ(mixer.GetSoundState(kRain), 0u);
    sounds.Update(true);
    EXPECT_EQ(mixer.GetSoundState(kRain), 2u);
    PlayAt(kRain, 7.0f);
    EXPECT_EQ(Instances(kRain)[0]->plays, 2);
    EXPECT_EQ(mixer.GetSoundState(77), 2u);
}

TEST(MixerSilent, WithoutASoundDeviceEverythingAnswersStoppedAndVolumesAreKept)
{
    FrameworkTests::FrameworkEnvironment env;
    OrrelayEngine::TimerManager timers;
    OrrelayEngine::Config config(&env.Log(), &env.Files(), env.UserFolder(), "Quillory", false, "", false, true);
    Mixer mixer(&env.Log(), &config, nullptr, &timers, 0.37f, 0.48f);
    mixer.AddMusicTrack(1, "menu", true);
    mixer.AddSound(2, "click", false, 4);
    mixer.PlayMusic(0, 1, true, 1.0f);
    mixer.PauseMusic(0, true, true, 1.0f);
    mixer.StopAllMusic(true, 1.0f);
    mixer.PlaySound(2);
    mixer.StopSound(2);
    mixer.Update();

    EXPECT_EQ(mixer.GetMusicState(0), 2u);
    EXPECT_EQ(mixer.GetSoundState(2), 2u);
    EXPECT_TRUE(mixer.GetSoundInstances().empty());
    mixer.SetMusicVolume(3.0f);
    mixer.SetSoundVolume(0.2f);
    EXPECT_EQ(mixer.GetMusicVolume(), 1.0f);
    EXPECT_EQ(mixer.GetSoundVolume(), 0.2f);
    EXPECT_FLOAT_EQ(mixer.GetDefaultMusicVolume(), 0.37f);
}

TEST_F(MixerTest, FramesWithFadesRunningAllocateNothing)
{
    mixer.PlayMusic(0, kMenuTrack, true, 0.5f);
    mixer.PlaySound(kRain);
    sounds.Update(true);
    for (int frame = 0; frame < 3; ++frame) {
        mixer.Advance(0.016f);
    }
    std::size_t allocations = 0;
    for (int frame = 0; frame < 60; ++frame) {
        if (frame == 20) {
            // The menu track fades out and stops while the game track fades in.
            mixer.PlayMusic(0, kGameTrack, true, 1.0f);
        }
        if (frame == 40) {
            mixer.PauseAllMusic(true, true, 0.5f);
        }
        timers.Update();
        TestSupport::ScopedAllocationCount count;
        mixer.Update();
        mixer.Advance(0.016f);
        allocations += count.Count();
    }
    EXPECT_EQ(allocations, 0u);
    EXPECT_NE(mixer.FindTrack(kGameTrack)->GetFadeState(), FadingSound::kFadeNone) << "a fade was still running";
}

} // namespace
