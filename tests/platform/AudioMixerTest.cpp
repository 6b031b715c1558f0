#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

#include "platform/AudioBuffer.h"
#include "platform/AudioDevice.h"
#include "platform/AudioListener.h"
#include "platform/AudioPrimaryBuffer.h"
#include "support/AllocationCounter.h"
#include "support/ScopedPlatformFailure.h"

namespace Platform {
namespace {

constexpr std::uint32_t kAllControls = kAudioBufferCtrlVolume | kAudioBufferCtrlFrequency;

class AudioMixerTest : public testing::Test
{
protected:
    void SetUp() override
    {
        AudioDevice::SetOutputForTests(AudioOutput::Manual);
        AudioDevice::SetFailureForTests(AudioFailure::kNone);
        ASSERT_EQ(AudioDevice::Open(device_), kAudioOk);
        ASSERT_EQ(device_->SetCooperativeLevel(kAudioLevelPriority), kAudioOk);
    }

    void TearDown() override
    {
        AudioDevice::SetOutputForTests(AudioOutput::Sdl);
        AudioDevice::SetFailureForTests(AudioFailure::kNone);
    }

    std::unique_ptr<AudioBuffer> MakeBuffer(std::uint32_t channels, std::uint32_t bits, std::uint32_t rate,
                                            const std::vector<std::uint8_t>& bytes, std::uint32_t flags = kAllControls)
    {
        AudioBufferDescription description;
        description.flags = flags;
        description.bytes = static_cast<std::uint32_t>(bytes.size());
        description.format.channels = channels;
        description.format.bitsPerSample = bits;
        description.format.samplesPerSecond = rate;
        std::unique_ptr<AudioBuffer> buffer;
        EXPECT_EQ(device_->CreateBuffer(description, buffer), kAudioOk);
        if (buffer) {
            Write(*buffer, 0, bytes);
        }
        return buffer;
    }

    static void Write(AudioBuffer& buffer, std::uint32_t offset, const std::vector<std::uint8_t>& bytes)
    {
        void* first = nullptr;
        void* second = nullptr;
        std::uint32_t firstBytes = 0;
        std::uint32_t secondBytes = 0;
        const auto count = static_cast<std::uint32_t>(bytes.size());
        ASSERT_EQ(buffer.Lock(offset, count, &first, &firstBytes, &second, &secondBytes), kAudioOk);
        std::memcpy(first, bytes.data(), firstBytes);
        if (secondBytes != 0) {
            std::memcpy(second, bytes.data() + firstBytes, secondBytes);
        }
        ASSERT_EQ(buffer.Unlock(first, firstBytes, second, secondBytes), kAudioOk);
    }

    // Interleaved stereo output of the next frames.
    std::vector<std::int16_t> Mix(std::uint32_t frames)
    {
        std::vector<std::int16_t> out(frames * 2, 12345);
        device_->Mix(out.data(), frames);
        return out;
    }

    std::unique_ptr<AudioDevice> device_;
};

std::vector<std::uint8_t> Samples16(const std::vector<std::int16_t>& samples)
{
    std::vector<std::uint8_t> bytes;
    for (std::int16_t s : samples) {
        bytes.push_back(static_cast<std::uint8_t>(s & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>((static_cast<std::uint16_t>(s) >> 8) & 0xFF));
    }
    return bytes;
}

std::vector<std::int16_t> Constant(std::size_t count, std::int16_t value)
{
    return std::vector<std::int16_t>(count, value);
}

TEST_F(AudioMixerTest, VolumeScalesByDecibelsAndSilencesAtMinimum)
{
    struct Case
    {
        std::int32_t centibels;
        std::int32_t expected;
    };
    const Case cases[] = {{0, 10000}, {-600, 5012}, {-2000, 1000}, {-10000, 0}};
    for (const Case& c : cases) {
        auto buffer = MakeBuffer(1, 16, 22050, Samples16(Constant(64, 10000)));
        ASSERT_EQ(buffer->SetVolume(c.centibels), kAudioOk);
        ASSERT_EQ(buffer->Play(false), kAudioOk);
        const auto out = Mix(16);
        for (std::size_t i = 0; i < out.size(); ++i) {
            EXPECT_NEAR(out[i], c.expected, 2) << c.centibels << " at " << i;
        }
    }
}

TEST_F(AudioMixerTest, OutOfRangeSettingsAreRefused)
{
    auto buffer = MakeBuffer(1, 16, 22050, Samples16(Constant(8, 0)));
    EXPECT_EQ(buffer->SetVolume(1), kAudioErrInvalidParam);
    EXPECT_EQ(buffer->SetVolume(-10001), kAudioErrInvalidParam);
    EXPECT_EQ(buffer->SetFrequency(99), kAudioErrInvalidParam);
    EXPECT_EQ(buffer->SetFrequency(100001), kAudioErrInvalidParam);
    EXPECT_EQ(buffer->SetFrequency(100), kAudioOk);
    EXPECT_EQ(buffer->SetFrequency(100000), kAudioOk);
    std::uint32_t hertz = 0;
    EXPECT_EQ(buffer->SetFrequency(0), kAudioOk);
    buffer->GetFrequency(hertz);
    EXPECT_EQ(hertz, 22050u);
    auto plain = MakeBuffer(1, 16, 22050, Samples16(Constant(8, 0)), 0);
    EXPECT_EQ(plain->SetVolume(-100), kAudioErrControlUnavailable);
    EXPECT_EQ(plain->SetFrequency(44100), kAudioErrControlUnavailable);

    struct Shape
    {
        std::uint32_t channels, bits, rate, bytes, flags;
        AudioResult expected;
    };
    const Shape shapes[] = {
        {1, 24, 22050, 96, 0, kAudioErrBadFormat},
        {4, 16, 22050, 96, 0, kAudioErrBadFormat},
        {1, 16, 99, 96, 0, kAudioErrBadFormat},
        {1, 16, 100001, 96, 0, kAudioErrBadFormat},
        {2, 16, 22050, 6, 0, kAudioErrInvalidParam},
        {2, 16, 22050, 0, 0, kAudioErrInvalidParam},
        {2, 8, 22050, 8, kAudioBufferCtrl3D, kAudioErrInvalidParam},
        {1, 8, 100000, 8, kAudioBufferCtrl3D, kAudioOk},
    };
    for (const Shape& s : shapes) {
        AudioBufferDescription description;
        description.flags = s.flags;
        description.bytes = s.bytes;
        description.format = AudioFormat{s.channels, s.rate, s.bits};
        std::unique_ptr<AudioBuffer> made;
        EXPECT_EQ(device_->CreateBuffer(description, made), s.expected) << s.channels << "/" << s.bits << "/" << s.rate;
        EXPECT_EQ(made != nullptr, s.expected == kAudioOk);
    }
}

TEST_F(AudioMixerTest, DoubledFrequencyPlaysEverySecondSample)
{
    std::vector<std::int16_t> ramp;
    for (int i = 0; i < 200; ++i) {
        ramp.push_back(static_cast<std::int16_t>(i * 100));
    }
    auto buffer = MakeBuffer(1, 16, 22050, Samples16(ramp));
    ASSERT_EQ(buffer->SetFrequency(44100), kAudioOk);
    ASSERT_EQ(buffer->Play(false), kAudioOk);
    const auto out = Mix(50);
    for (int i = 0; i < 50; ++i) {
        EXPECT_EQ(out[i * 2], ramp[i * 2]) << i;
    }
    std::uint32_t play = 0;
    buffer->GetCurrentPosition(&play, nullptr);
    EXPECT_EQ(play, 200u);
}

TEST_F(AudioMixerTest, HalfRateInterpolatesBetweenSamples)
{
    auto buffer = MakeBuffer(1, 16, 11025, Samples16({0, 1000, 2000, 3000}));
    ASSERT_EQ(buffer->Play(false), kAudioOk);
    const auto out = Mix(6);
    const std::int16_t expected[] = {0, 500, 1000, 1500, 2000, 2500};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(out[i * 2], expected[i]) << i;
    }
}

TEST_F(AudioMixerTest, FullScaleStepsAtFractionalRatesMatchExactInterpolation)
{
    constexpr std::uint64_t kOutputRate = 22050;
    constexpr std::uint64_t kSourceFrames = 128;
    constexpr std::uint32_t kMixedFrames = 64;
    struct Format
    {
        std::uint32_t channels, bits;
    };
    const Format formats[] = {{1, 16}, {2, 16}, {1, 8}};
    const std::uint32_t rates[] = {2756, 7350, 11025, 16000, 30000, 33075};
    for (const Format& format : formats) {
        // Neighbouring frames alternate between the lowest and the highest
        // value, so every interpolation spans a full-scale step, up or down.
        auto sample = [&format](std::uint64_t frame, std::uint32_t channel) -> std::int64_t {
            const bool high = (frame + channel) % 2 != 0;
            if (format.bits == 8) {
                return high ? 127 * 256 : -128 * 256;
            }
            return high ? 32767 : -32768;
        };
        std::vector<std::uint8_t> bytes;
        for (std::uint64_t frame = 0; frame < kSourceFrames; ++frame) {
            for (std::uint32_t channel = 0; channel < format.channels; ++channel) {
                const std::int64_t value = sample(frame, channel);
                if (format.bits == 8) {
                    bytes.push_back(static_cast<std::uint8_t>(value / 256 + 128));
                } else {
                    bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
                    bytes.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
                }
            }
        }
        for (std::uint32_t rate : rates) {
            SCOPED_TRACE(testing::Message() << format.channels << "ch " << format.bits << "bit at " << rate << " Hz");
            auto buffer = MakeBuffer(format.channels, format.bits, rate, bytes);
            ASSERT_EQ(buffer->Play(false), kAudioOk);
            const auto out = Mix(kMixedFrames);
            // Output frame i lies at source position i * rate / output rate exactly.
            std::int64_t worst = 0;
            std::uint32_t worstFrame = 0;
            for (std::uint32_t i = 0; i < kMixedFrames; ++i) {
                const std::uint64_t scaled = std::uint64_t(i) * rate;
                const std::uint64_t index = scaled / kOutputRate;
                const auto remainder = static_cast<std::int64_t>(scaled % kOutputRate);
                for (std::uint32_t side = 0; side < 2; ++side) {
                    const std::uint32_t channel = format.channels == 2 ? side : 0;
                    const std::int64_t a = sample(index, channel);
                    const std::int64_t b = sample(index + 1, channel);
                    const std::int64_t expected = a + (b - a) * remainder / std::int64_t(kOutputRate);
                    const std::int64_t error = std::abs(out[i * 2 + side] - expected);
                    if (error > worst) {
                        worst = error;
                        worstFrame = i;
                    }
                }
            }
            EXPECT_LE(worst, 2) << "worst at output frame " << worstFrame;
            buffer.reset();
        }
    }
}

TEST_F(AudioMixerTest, LoopWrapsAndOneShotEndsRewound)
{
    const std::vector<std::int16_t> pattern{1000, 2000, 3000, 4000};
    auto looping = MakeBuffer(1, 16, 22050, Samples16(pattern));
    ASSERT_EQ(looping->Play(true), kAudioOk);
    auto out = Mix(10);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(out[i * 2], pattern[i % 4]) << i;
    }
    std::uint32_t status = 0;
    looping->GetStatus(status);
    EXPECT_EQ(status, kAudioStatusPlaying | kAudioStatusLooping);
    looping->Stop();

    auto once = MakeBuffer(1, 16, 22050, Samples16(pattern));
    ASSERT_EQ(once->Play(false), kAudioOk);
    out = Mix(10);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(out[i * 2], i < 4 ? pattern[i] : 0) << i;
    }
    once->GetStatus(status);
    EXPECT_EQ(status, 0u);
    std::uint32_t play = 99;
    std::uint32_t write = 99;
    once->GetCurrentPosition(&play, &write);
    EXPECT_EQ(play, 0u);
    EXPECT_EQ(write, 0u);
}

TEST_F(AudioMixerTest, StopKeepsTheCursorAndPlayGoesOn)
{
    auto buffer = MakeBuffer(1, 16, 22050, Samples16({10, 20, 30, 40, 50, 60}));
    buffer->Play(false);
    Mix(2);
    buffer->Stop();
    auto out = Mix(2);
    EXPECT_EQ(out[0], 0);
    std::uint32_t play = 0;
    buffer->GetCurrentPosition(&play, nullptr);
    EXPECT_EQ(play, 4u);
    buffer->Play(false);
    out = Mix(2);
    EXPECT_EQ(out[0], 30);
    EXPECT_EQ(out[2], 40);
    ASSERT_EQ(buffer->SetCurrentPosition(2), kAudioOk);
    out = Mix(1);
    EXPECT_EQ(out[0], 20);
    EXPECT_EQ(buffer->SetCurrentPosition(12), kAudioErrInvalidParam);
}

TEST_F(AudioMixerTest, FormatsReachBothOutputChannels)
{
    struct Case
    {
        std::uint32_t channels, bits;
        std::vector<std::uint8_t> frame;
        std::int16_t left, right;
    };
    const Case cases[] = {
        {1, 8, {0xC0}, 64 * 256, 64 * 256},
        {1, 8, {0x00}, -32768, -32768},
        {2, 8, {0x80, 0xFF}, 0, 127 * 256},
        {1, 16, {0x34, 0x12}, 0x1234, 0x1234},
        {2, 16, {0x00, 0x80, 0xFF, 0x7F}, -32768, 32767},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> bytes;
        for (int i = 0; i < 8; ++i) {
            bytes.insert(bytes.end(), c.frame.begin(), c.frame.end());
        }
        auto buffer = MakeBuffer(c.channels, c.bits, 22050, bytes);
        buffer->Play(false);
        const auto out = Mix(4);
        EXPECT_EQ(out[0], c.left) << c.channels << "ch " << c.bits << "bit";
        EXPECT_EQ(out[1], c.right) << c.channels << "ch " << c.bits << "bit";
        buffer.reset();
    }
}

TEST_F(AudioMixerTest, VoicesSumAndSaturate)
{
    auto a = MakeBuffer(1, 16, 22050, Samples16(Constant(8, 30000)));
    auto b = MakeBuffer(1, 16, 22050, Samples16(Constant(8, 30000)));
    auto c = MakeBuffer(1, 16, 22050, Samples16(Constant(8, -1000)));
    a->Play(false);
    c->Play(false);
    EXPECT_EQ(Mix(1)[0], 29000);
    b->Play(false);
    EXPECT_EQ(Mix(1)[0], 32767);
    a->SetVolume(-10000);
    EXPECT_EQ(Mix(1)[0], 29000);
}

TEST_F(AudioMixerTest, DuplicateSharesSamplesAndOutlivesOriginal)
{
    auto original = MakeBuffer(1, 16, 22050, Samples16({5, 6, 7, 8}));
    original->SetVolume(-600);
    std::unique_ptr<AudioBuffer> copy;
    ASSERT_EQ(device_->DuplicateBuffer(*original, copy), kAudioOk);
    std::int32_t volume = 0;
    copy->GetVolume(volume);
    EXPECT_EQ(volume, -600);
    copy->SetVolume(0);
    Write(*original, 0, Samples16({100, 200, 300, 400}));
    original.reset();
    ASSERT_EQ(copy->Play(false), kAudioOk);
    const auto out = Mix(4);
    EXPECT_EQ(out[0], 100);
    EXPECT_EQ(out[6], 400);
}

TEST_F(AudioMixerTest, LockWrapsIntoTwoRegions)
{
    auto buffer = MakeBuffer(1, 8, 22050, std::vector<std::uint8_t>(8, 128));
    void* first = nullptr;
    void* second = nullptr;
    std::uint32_t firstBytes = 0;
    std::uint32_t secondBytes = 0;
    ASSERT_EQ(buffer->Lock(6, 5, &first, &firstBytes, &second, &secondBytes), kAudioOk);
    EXPECT_EQ(firstBytes, 2u);
    EXPECT_EQ(secondBytes, 3u);
    EXPECT_EQ(buffer->Lock(0, 1, &first, &firstBytes, &second, &secondBytes), kAudioErrInvalidCall);
    std::memset(first, 200, firstBytes);
    std::memset(second, 100, secondBytes);
    ASSERT_EQ(buffer->Unlock(first, firstBytes, second, secondBytes), kAudioOk);
    EXPECT_EQ(buffer->Unlock(first, firstBytes, second, secondBytes), kAudioErrInvalidParam);
    buffer->Play(false);
    const auto out = Mix(8);
    const int expected[] = {100, 100, 100, 128, 128, 128, 200, 200};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(out[i * 2], (expected[i] - 128) * 256) << i;
    }
    EXPECT_EQ(buffer->Lock(8, 1, &first, &firstBytes, &second, &secondBytes), kAudioErrInvalidParam);
    EXPECT_EQ(buffer->Lock(0, 9, &first, &firstBytes, &second, &secondBytes), kAudioErrInvalidParam);
}

TEST_F(AudioMixerTest, PositionalSoundAttenuatesAndPansAfterCommit)
{
    std::unique_ptr<AudioPrimaryBuffer> primary;
    ASSERT_EQ(device_->CreatePrimaryBuffer(kAudioBufferPrimary | kAudioBufferCtrl3D | kAudioBufferCtrlVolume, primary),
              kAudioOk);
    std::unique_ptr<AudioListener> listener;
    ASSERT_EQ(primary->QueryListener(listener), kAudioOk);
    auto buffer = MakeBuffer(1, 16, 22050, Samples16(Constant(64, 16000)), kAllControls | kAudioBufferCtrl3D);
    buffer->Play(true);

    ASSERT_EQ(buffer->Set3DPosition({4.0f, 0.0f, 0.0f}, true), kAudioOk);
    auto out = Mix(1);
    EXPECT_EQ(out[0], 16000) << "deferred until committed";
    listener->CommitDeferredSettings();
    out = Mix(1);
    EXPECT_EQ(out[0], 0);
    EXPECT_NEAR(out[1], 4000, 2);

    buffer->Set3DPosition({0.0f, 0.0f, 0.5f}, false);
    out = Mix(1);
    EXPECT_EQ(out[0], 16000);
    EXPECT_EQ(out[1], 16000);

    // Twice the distance halves the gain; with the listener facing +x, +z lies to its left.
    listener->SetPosition({0.0f, 0.0f, -1.5f}, false);
    out = Mix(1);
    EXPECT_NEAR(out[0], 8000, 2);
    EXPECT_NEAR(out[1], 8000, 2);
    listener->SetOrientation({1.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}, false);
    listener->SetPosition({0.0f, 0.0f, 0.0f}, false);
    buffer->Set3DPosition({0.0f, 0.0f, 2.0f}, false);
    out = Mix(1);
    EXPECT_NEAR(out[0], 8000, 2);
    EXPECT_EQ(out[1], 0);

    auto flat = MakeBuffer(1, 16, 22050, Samples16(Constant(8, 0)));
    EXPECT_EQ(flat->Set3DPosition({1.0f, 0.0f, 0.0f}, false), kAudioErrControlUnavailable);
}

TEST_F(AudioMixerTest, PrimaryVolumeIsMasterAndFormatIsChecked)
{
    std::unique_ptr<AudioPrimaryBuffer> primary;
    ASSERT_EQ(device_->CreatePrimaryBuffer(kAudioBufferPrimary | kAudioBufferCtrlVolume, primary), kAudioOk);
    std::unique_ptr<AudioListener> listener;
    EXPECT_EQ(primary->QueryListener(listener), kAudioErrNoInterface);
    EXPECT_EQ(primary->SetFormat(AudioFormat{2, 22050, 16}), kAudioOk);
    EXPECT_EQ(primary->SetFormat(AudioFormat{2, 22050, 24}), kAudioErrBadFormat);
    auto buffer = MakeBuffer(1, 16, 22050, Samples16(Constant(8, 10000)));
    buffer->Play(true);
    primary->SetVolume(-2000);
    EXPECT_NEAR(Mix(1)[0], 1000, 1);
}

TEST_F(AudioMixerTest, LostBuffersStayQuietUntilRestored)
{
    std::unique_ptr<AudioPrimaryBuffer> primary;
    ASSERT_EQ(device_->CreatePrimaryBuffer(kAudioBufferPrimary, primary), kAudioOk);
    auto buffer = MakeBuffer(1, 16, 22050, Samples16(Constant(8, 10000)));
    buffer->Play(true);
    device_->SimulateLoss();
    std::uint32_t status = 0;
    primary->GetStatus(status);
    EXPECT_EQ(status, kAudioStatusLost);
    buffer->GetStatus(status);
    EXPECT_EQ(status, kAudioStatusLost);
    EXPECT_EQ(buffer->Play(true), kAudioErrBufferLost);
    EXPECT_EQ(Mix(1)[0], 0);
    primary->Restore();
    buffer->Restore();
    primary->GetStatus(status);
    EXPECT_EQ(status & kAudioStatusLost, 0u);
    EXPECT_EQ(buffer->Play(true), kAudioOk);
    EXPECT_EQ(Mix(1)[0], 10000);
}

TEST(AudioDeviceTest, FailureSwitchesFailTheirStep)
{
    AudioDevice::SetOutputForTests(AudioOutput::Manual);
    std::unique_ptr<AudioDevice> device;
    {
        const TestSupport::ScopedPlatformFailure failOpen(AudioFailure::kOpen);
        EXPECT_EQ(AudioDevice::Open(device), kAudioErrNoDriver);
        EXPECT_EQ(device, nullptr);
    }
    ASSERT_EQ(AudioDevice::Open(device), kAudioOk);
    std::unique_ptr<AudioPrimaryBuffer> primary;
    EXPECT_EQ(device->CreatePrimaryBuffer(kAudioBufferPrimary, primary), kAudioErrInvalidCall);
    {
        const TestSupport::ScopedPlatformFailure failLevel(AudioFailure::kCooperativeLevel);
        EXPECT_TRUE(AudioFailed(device->SetCooperativeLevel(kAudioLevelPriority)));
    }
    EXPECT_EQ(device->SetCooperativeLevel(kAudioLevelPriority), kAudioOk);
    {
        const TestSupport::ScopedPlatformFailure failPrimary(AudioFailure::kPrimaryBuffer);
        EXPECT_TRUE(AudioFailed(device->CreatePrimaryBuffer(kAudioBufferPrimary, primary)));
    }
    AudioDevice::SetOutputForTests(AudioOutput::Sdl);
}

TEST(AudioDeviceTest, SdlDevicePullsFromTheMixer)
{
    // Never a real sound card: the dummy driver pulls in real time without one.
    ::setenv("SDL_AUDIODRIVER", "dummy", 0);
    AudioDevice::SetOutputForTests(AudioOutput::Sdl);
    AudioDevice::SetFailureForTests(AudioFailure::kNone);
    std::unique_ptr<AudioDevice> device;
    if (AudioDevice::Open(device) != kAudioOk) {
        GTEST_SKIP() << "no SDL audio driver here";
    }
    EXPECT_FALSE(device->IsManual());
    EXPECT_GE(device->GetOutputFormat().samplesPerSecond, 8000u);
    ASSERT_EQ(device->SetCooperativeLevel(kAudioLevelPriority), kAudioOk);
    AudioBufferDescription description;
    description.bytes = 22050 * 2;
    description.format = AudioFormat{1, 22050, 16};
    std::unique_ptr<AudioBuffer> buffer;
    ASSERT_EQ(device->CreateBuffer(description, buffer), kAudioOk);
    buffer->Play(true);
    std::uint32_t play = 0;
    // The device's thread pulls when it is scheduled: on a busy machine that
    // can take a while, so only a device that never pulls runs out the limit.
    for (int i = 0; i < 3000 && play == 0; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        buffer->GetCurrentPosition(&play, nullptr);
    }
    EXPECT_GT(play, 0u);
}

TEST_F(AudioMixerTest, MixingPlayingVoicesAllocatesNothing)
{
    std::vector<std::int16_t> ramp;
    for (int i = 0; i < 4000; ++i) {
        ramp.push_back(static_cast<std::int16_t>((i % 200) * 50));
    }
    auto mono = MakeBuffer(1, 16, 22050, Samples16(ramp));
    auto stereo = MakeBuffer(2, 16, 44100, Samples16(ramp));
    auto bytes8 = MakeBuffer(1, 8, 11025, std::vector<std::uint8_t>(3000, 200));
    auto once = MakeBuffer(1, 16, 22050, Samples16(ramp));
    ASSERT_EQ(mono->Play(true), kAudioOk);
    ASSERT_EQ(stereo->Play(true), kAudioOk);
    ASSERT_EQ(bytes8->Play(true), kAudioOk);
    mono->SetVolume(-600);
    mono->SetFrequency(30000);
    // Frames of about 60 per second at 44.1 kHz, into the output of one frame.
    std::vector<std::int16_t> out(2 * 735);
    for (int frame = 0; frame < 3; ++frame) {
        device_->Mix(out.data(), 735);
    }
    std::size_t allocations = 0;
    for (int frame = 0; frame < 60; ++frame) {
        if (frame % 10 == 0) {
            // A one-shot voice that starts, plays out and ends while counted.
            ASSERT_EQ(once->Play(false), kAudioOk);
        }
        TestSupport::ScopedAllocationCount count;
        device_->Mix(out.data(), 735);
        allocations += count.Count();
    }
    EXPECT_EQ(allocations, 0u);
    EXPECT_NE(out[0], 0) << "the voices were heard";
}

} // namespace
} // namespace Platform
