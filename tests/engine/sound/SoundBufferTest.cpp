#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "SoundTestFixture.h"
#include "content/OggWriter.h"
#include "content/ToneSynth.h"
#include "content/WavWriter.h"
#include "engine/sound/Sound.h"
#include "engine/sound/SoundBufferManager.h"
#include "engine/sound/SoundBuffer_DS7.h"
#include "engine/sound/SoundManager.h"
#include "engine/sound/SoundSystem_DS7.h"
#include "engine/sound/Sound_DS7.h"
#include "platform/AudioBuffer.h"
#include "platform/AudioDevice.h"
#include "support/AllocationCounter.h"
#include "support/ScopedPlatformFailure.h"

namespace SoundTests {
namespace {

using OrrelayEngine::Sound;
using OrrelayEngine::SoundBuffer;
using OrrelayEngine::SoundBuffer_DS7;
using OrrelayEngine::SoundManager;
using OrrelayEngine::SoundSystem_DS7;

class SoundBufferTest : public SoundTest
{
protected:
    void SetUp() override
    {
        SoundTest::SetUp();
        system_ = std::make_unique<SoundSystem_DS7>(log_.get(), files_.get(), timers_.get(), nullptr, nullptr, true);
        manager_ = std::make_unique<SoundManager>(log_.get(), files_.get(), system_.get());
        log_->ClearMessages();
    }

    void TearDown() override
    {
        manager_.reset();
        system_.reset();
        SoundTest::TearDown();
    }

    static SoundBuffer_DS7* BufferOf(Sound* sound) { return static_cast<SoundBuffer_DS7*>(sound->GetBuffer()); }

    std::vector<std::int16_t> Mix(std::uint32_t frames)
    {
        std::vector<std::int16_t> out(frames * 2);
        system_->GetDevice()->Mix(out.data(), frames);
        return out;
    }

    std::unique_ptr<SoundSystem_DS7> system_;
    std::unique_ptr<SoundManager> manager_;
};

// A stereo 16-bit file whose frame i holds i in its left sample (mod 32768) and
// the frame's ring lap in its right one, so any misplaced byte shows.
std::vector<std::uint8_t> CountingFrames(std::uint32_t frames)
{
    std::vector<std::int16_t> samples;
    samples.reserve(frames * 2);
    for (std::uint32_t i = 0; i < frames; ++i) {
        samples.push_back(static_cast<std::int16_t>(i & 0x7FFF));
        samples.push_back(static_cast<std::int16_t>(1 + (i >> 15)));
    }
    return Content::ToneSynth::ToBytes16(samples);
}

TEST_F(SoundBufferTest, OneMebibyteIsStaticOneByteMoreIsStreamed)
{
    const std::string exact =
        WriteFile("exact.wav", Content::WavWriter(1, 22050, 8).Build(std::vector<std::uint8_t>(0x100000, 140)));
    const std::string over =
        WriteFile("over.wav", Content::WavWriter(1, 22050, 8).Build(std::vector<std::uint8_t>(0x100001, 140)));
    Sound* a = manager_->CreateSound(exact);
    Sound* b = manager_->CreateSound(over);
    Sound* c = manager_->CreateSound(over);
    EXPECT_FALSE(BufferOf(a)->IsStreamed());
    EXPECT_EQ(BufferOf(a)->GetDeviceBuffer()->GetSize(), 0x100000u);
    EXPECT_TRUE(BufferOf(b)->IsStreamed());
    EXPECT_EQ(BufferOf(b)->GetTotalBytes(), 0x100001u);
    EXPECT_EQ(BufferOf(b)->GetDeviceBuffer()->GetSize(), SoundBuffer::kRingBytes);
    // Each streamed sound has a ring of its own.
    EXPECT_NE(BufferOf(b), BufferOf(c));
    EXPECT_NE(BufferOf(b)->GetDeviceBuffer(), BufferOf(c)->GetDeviceBuffer());
    EXPECT_EQ(log_->GetMessageCount(), 0u);
}

TEST_F(SoundBufferTest, StaticBuffersAreSharedByLowerCasedName)
{
    const std::string path =
        WriteFile("shared.wav", Content::WavWriter(1, 22050, 16).Build(Content::ToneSynth::ToBytes16({1000, 2000})));
    std::string upper = path;
    upper.replace(upper.size() - 10, 10, "SHARED.WAV");
    Sound* a = manager_->CreateSound(path);
    Sound* b = manager_->CreateSound(upper);
    EXPECT_EQ(BufferOf(a)->GetName(), BufferOf(b)->GetName());
    EXPECT_NE(BufferOf(a)->GetDeviceBuffer(), BufferOf(b)->GetDeviceBuffer());
    // The duplicate plays the original's samples even after the original is gone.
    manager_->DeleteSound(a);
    manager_->PlaySound(b, true);
    const auto out = Mix(2);
    EXPECT_EQ(out[0], 1000);
    EXPECT_EQ(out[2], 2000);
}

TEST_F(SoundBufferTest, VolumeToAttenuationFollowsTheCurveAndStaysAtOrBelowZero)
{
    struct Case
    {
        float volume;
        std::int32_t centibels;
    };
    const Case cases[] = {{1.0f, 0},      {0.5f, -693},    {0.1f, -2302}, {0.0001f, -9210}, {0.00009f, -10000},
                          {0.0f, -10000}, {-1.0f, -10000}, {2.0f, 0},     {1000.0f, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(SoundBuffer_DS7::VolumeToAttenuation(c.volume), c.centibels) << c.volume;
    }
    const std::string path = WriteFile("loud.wav", Content::WavWriter(1, 22050, 16).Build({0, 0, 0, 0}));
    Sound* sound = manager_->CreateSound(path);
    sound->SetVolume(3.0f);
    std::int32_t centibels = -1;
    BufferOf(sound)->GetDeviceBuffer()->GetVolume(centibels);
    EXPECT_EQ(centibels, 0);
    EXPECT_EQ(log_->GetMessageCount(), 0u);
}

TEST_F(SoundBufferTest, TempoSetsTheFrequencyAndACopyTakesOnlyVolumeAndPosition)
{
    const std::string path = WriteFile("tempo.wav", Content::WavWriter(1, 22050, 16).Build({0, 0, 0, 0}));
    // The first live buffer of the file is the one a copy's buffer duplicates.
    Sound* first = manager_->CreateSound(path);
    Sound* sound = manager_->CreateSound(path);
    sound->SetTempo(2.0f);
    std::uint32_t hertz = 0;
    BufferOf(sound)->GetDeviceBuffer()->GetFrequency(hertz);
    EXPECT_EQ(hertz, 44100u);
    sound->SetVolume(0.5f);
    std::unique_ptr<Sound> copy = system_->CloneSound(*sound);
    EXPECT_FLOAT_EQ(copy->GetTempo(), 2.0f);
    BufferOf(copy.get())->GetDeviceBuffer()->GetFrequency(hertz);
    EXPECT_EQ(hertz, 22050u);
    std::int32_t centibels = 0;
    BufferOf(copy.get())->GetDeviceBuffer()->GetVolume(centibels);
    EXPECT_EQ(centibels, -693);
    EXPECT_EQ(copy->GetState(), Sound::kStopped);
    manager_->DeleteSound(first);

    // A streamed buffer is never shared, and the copy's does not loop.
    const std::string longPath =
        WriteFile("long.wav", Content::WavWriter(1, 22050, 8).Build(std::vector<std::uint8_t>(0x100001, 128)));
    Sound* looping = manager_->CreateSound(longPath);
    looping->SetLoop(true);
    ASSERT_TRUE(BufferOf(looping)->GetLoop());
    std::unique_ptr<Sound> streamedCopy = system_->CloneSound(*looping);
    ASSERT_TRUE(BufferOf(streamedCopy.get())->IsStreamed());
    EXPECT_FALSE(BufferOf(streamedCopy.get())->GetLoop());
}

TEST_F(SoundBufferTest, UnusableFilesPlaySilenceAndSayWhy)
{
    const std::string ogg = WriteFile(
        "music.wav", Content::OggWriter::Encode(Content::ToneSynth::Sine(440.0f, 11025, 2000, 1, 0.5f), 1, 11025));
    const std::string deep =
        WriteFile("deep.wav", Content::WavWriter(1, 22050, 24).Build(std::vector<std::uint8_t>(9)));
    struct Case
    {
        std::string name;
        std::string error;
    };
    const Case cases[] = {
        {"effect.mp3", "Error: Failed to load \"effect.mp3\" sound file - unknown type!"},
        {ogg, "sound file - no RIFF header!"},
        {deep, "sound file - no format chunk!"},
        {"/no/such/sound.ogg", "Error: "},
    };
    for (const Case& c : cases) {
        log_->ClearMessages();
        Sound* sound = manager_->CreateSound(c.name);
        EXPECT_TRUE(Logged(c.error)) << c.name;
        EXPECT_EQ(BufferOf(sound)->GetTotalBytes(), 8u) << c.name;
        EXPECT_EQ(BufferOf(sound)->GetBitsPerSample(), 8u) << c.name;
        EXPECT_TRUE(manager_->GetSound(0) != nullptr);
        manager_->PlaySound(sound, true);
        const auto out = Mix(16);
        for (std::int16_t sample : out) {
            ASSERT_EQ(sample, 0) << c.name;
        }
        manager_->Update(true);
        EXPECT_EQ(sound->GetState(), Sound::kStopped) << c.name;
        manager_->DeleteSound(sound);
    }
}

TEST_F(SoundBufferTest, FailedDeviceBufferGivesSilentSoundsAndSilentCopies)
{
    const std::string path = WriteFile("fail.wav", Content::WavWriter(1, 22050, 16).Build({1, 2, 3, 4}));
    Sound* first = nullptr;
    {
        const TestSupport::ScopedPlatformFailure failBuffer(Platform::AudioFailure::kSecondaryBuffer);
        first = manager_->CreateSound(path);
        EXPECT_TRUE(Logged("Error: Sound System: DirectSound buffers overflow!"));
    }
    EXPECT_FALSE(BufferOf(first)->HasDeviceBuffer());
    Sound* second = manager_->CreateSound(path);
    EXPECT_FALSE(BufferOf(second)->HasDeviceBuffer());
    manager_->PlaySound(second, true);
    manager_->Update(true);
    EXPECT_EQ(second->GetState(), Sound::kStopped);
    second->SetVolume(0.3f);
    second->SetTempo(1.5f);
    second->SetLoop(true);
    second->Pause();
    EXPECT_EQ(second->GetState(), Sound::kPaused);
}

TEST_F(SoundBufferTest, MonoBuffersGetThreeDControlsStereoDoNot)
{
    const std::string mono = WriteFile("mono.wav", Content::WavWriter(1, 22050, 16).Build({0, 0, 0, 0}));
    const std::string stereo = WriteFile("stereo.wav", Content::WavWriter(2, 22050, 16).Build({0, 0, 0, 0}));
    Sound* a = manager_->CreateSound(mono);
    Sound* b = manager_->CreateSound(stereo);
    EXPECT_TRUE(BufferOf(a)->Has3DBuffer());
    EXPECT_FALSE(BufferOf(b)->Has3DBuffer());
    a->SetPosition(OrrelayEngine::Vector3(3.0f, 0.0f, 0.0f));
    Platform::AudioVector position;
    BufferOf(a)->GetDeviceBuffer()->Get3DPosition(position);
    EXPECT_EQ(position.x, 0.0f) << "deferred until the frame's refresh";
    system_->Refresh();
    BufferOf(a)->GetDeviceBuffer()->Get3DPosition(position);
    EXPECT_EQ(position.x, 3.0f);
}

TEST_F(SoundBufferTest, StreamPlaysEveryByteInOrderAndStopsAtItsEnd)
{
    constexpr std::uint32_t kFrames = 300000; // 1.2 MB: streamed
    const std::string path = WriteFile("stream.wav", Content::WavWriter(2, 22050, 16).Build(CountingFrames(kFrames)));
    Sound* sound = manager_->CreateSound(path);
    ASSERT_TRUE(BufferOf(sound)->IsStreamed());
    // Played again once the end is seen, and played again at once, before any update saw it.
    for (const bool updateBeforeReplay : {true, false}) {
        manager_->StopSound(sound, true);
        manager_->PlaySound(sound, false);
        manager_->Update(true);
        EXPECT_EQ(sound->GetState(), Sound::kPlaying);

        std::uint32_t frame = 0;
        std::uint32_t mismatches = 0;
        // Frames of uneven length, as a real frame rate gives.
        const std::uint32_t steps[] = {735, 1470, 367, 2205, 4000};
        for (int step = 0; frame < kFrames; ++step) {
            const std::uint32_t count = std::min(steps[step % 5], kFrames - frame);
            const auto out = Mix(count);
            for (std::uint32_t i = 0; i < count; ++i, ++frame) {
                if (out[i * 2] != static_cast<std::int16_t>(frame & 0x7FFF) ||
                    out[i * 2 + 1] != static_cast<std::int16_t>(1 + (frame >> 15))) {
                    ++mismatches;
                }
            }
            manager_->Update(true);
        }
        EXPECT_EQ(mismatches, 0u);
        EXPECT_EQ(BufferOf(sound)->GetTotalPlayed(), std::uint64_t(kFrames) * 4);
        // After the end only silence; the next update finds the sound stopped.
        const auto tail = Mix(500);
        for (std::int16_t sample : tail) {
            ASSERT_EQ(sample, 0);
        }
        if (updateBeforeReplay) {
            manager_->Update(true);
            EXPECT_EQ(sound->GetState(), Sound::kStopped);
        }
        EXPECT_EQ(log_->GetMessageCount(), 0u);

        manager_->PlaySound(sound, true);
        const auto again = Mix(3);
        EXPECT_EQ(again[0], 0) << updateBeforeReplay;
        EXPECT_EQ(again[2], 1) << updateBeforeReplay;
        EXPECT_EQ(again[4], 2) << updateBeforeReplay;
    }
}

TEST_F(SoundBufferTest, LoopingStreamWrapsToItsStart)
{
    constexpr std::uint32_t kFrames = 270000;
    const std::string path = WriteFile("loop.wav", Content::WavWriter(2, 22050, 16).Build(CountingFrames(kFrames)));
    Sound* sound = manager_->CreateSound(path);
    sound->SetLoop(true);
    manager_->PlaySound(sound, true);
    std::uint64_t frame = 0;
    std::uint32_t mismatches = 0;
    while (frame < kFrames + 50000) {
        const auto out = Mix(2000);
        for (std::uint32_t i = 0; i < 2000; ++i, ++frame) {
            const auto index = static_cast<std::uint32_t>(frame % kFrames);
            if (out[i * 2] != static_cast<std::int16_t>(index & 0x7FFF)) {
                ++mismatches;
            }
        }
        manager_->Update(true);
    }
    EXPECT_EQ(mismatches, 0u);
    EXPECT_EQ(sound->GetState(), Sound::kPlaying);
}

TEST_F(SoundBufferTest, PausedStreamResumesWhereItStopped)
{
    constexpr std::uint32_t kFrames = 280000;
    const std::string path = WriteFile("pause.wav", Content::WavWriter(2, 22050, 16).Build(CountingFrames(kFrames)));
    Sound* sound = manager_->CreateSound(path);
    manager_->PlaySound(sound, true);
    Mix(1000);
    manager_->Update(true);
    manager_->PauseSound(sound, true);
    EXPECT_EQ(sound->GetState(), Sound::kPaused);
    EXPECT_EQ(Mix(10)[0], 0);
    manager_->Update(true);
    manager_->PlaySound(sound, true);
    EXPECT_EQ(Mix(1)[0], 1000);
}

TEST_F(SoundBufferTest, LoopingOggStreamPlaysOnPastItsEnd)
{
    const auto tone = Content::ToneSynth::Sine(220.0f, 22050, 262200, 2, 0.5f);
    const std::string path = WriteFile("music.ogg", Content::OggWriter::Encode(tone, 2, 22050));
    Sound* sound = manager_->CreateSound(path);
    ASSERT_TRUE(BufferOf(sound)->IsStreamed());
    EXPECT_EQ(BufferOf(sound)->GetTotalBytes(), 262200u * 4);
    sound->SetLoop(true);
    manager_->PlaySound(sound, true);
    std::int32_t loudest = 0;
    for (int i = 0; i < 140; ++i) {
        const auto out = Mix(2205);
        // From frame 275625 on, well past the end of the file's 262200.
        for (std::size_t j = 0; i >= 125 && j < out.size(); ++j) {
            loudest = std::max<std::int32_t>(loudest, std::abs(out[j]));
        }
        manager_->Update(true);
    }
    EXPECT_GT(loudest, 10000);
    EXPECT_EQ(sound->GetState(), Sound::kPlaying);
    EXPECT_EQ(log_->GetMessageCount(), 0u);
}

TEST_F(SoundBufferTest, SteadyFramesOfPlayingAndStreamedSoundsAllocateNothing)
{
    const std::string wavStream = WriteFile("long.wav", Content::WavWriter(2, 22050, 16).Build(CountingFrames(300000)));
    const auto tone = Content::ToneSynth::Sine(330.0f, 22050, 270000, 2, 0.5f);
    const std::string oggStream = WriteFile("music.ogg", Content::OggWriter::Encode(tone, 2, 22050));
    const std::string shortPath = WriteFile("click.wav", Content::WavWriter(2, 22050, 16).Build(CountingFrames(2000)));
    Sound* streamed = manager_->CreateSound(wavStream);
    Sound* music = manager_->CreateSound(oggStream);
    Sound* loop = manager_->CreateSound(shortPath);
    Sound* click = manager_->CreateSound(shortPath);
    ASSERT_TRUE(BufferOf(streamed)->IsStreamed());
    ASSERT_TRUE(BufferOf(music)->IsStreamed());
    for (Sound* sound : {streamed, music, loop}) {
        sound->SetLoop(true);
        manager_->PlaySound(sound, true);
    }

    // A frame: the device pulls about 1/30 s, then the game queues a click
    // now and then and runs its update, which refills the streams.
    std::vector<std::int16_t> out(2 * 1470);
    std::size_t mixing = 0;
    std::size_t updating = 0;
    for (int frame = 0; frame < 230; ++frame) {
        const bool counted = frame >= 3;
        {
            TestSupport::ScopedAllocationCount count;
            system_->GetDevice()->Mix(out.data(), 1470);
            mixing += counted ? count.Count() : 0;
        }
        TestSupport::ScopedAllocationCount count;
        if (frame % 7 == 0) {
            manager_->PlaySound(click, false);
        }
        manager_->Update(true);
        updating += counted ? count.Count() : 0;
    }
    EXPECT_EQ(mixing, 0u);
    EXPECT_EQ(updating, 0u);
    EXPECT_GT(BufferOf(streamed)->GetTotalPlayed(), 300000u * 4) << "the stream wrapped while counted";
    EXPECT_EQ(streamed->GetState(), Sound::kPlaying);
    EXPECT_EQ(log_->GetMessageCount(), 0u);
}

} // namespace
} // namespace SoundTests
