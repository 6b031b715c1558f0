// Mixing cost: 32 playing voices of mixed rates and formats mixed into ten
// seconds of output, against a plain loop that sums as many samples already
// converted to the output format. Prints the mix time as a share of real time
// (one core) and the ratio of the two.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "content/ToneSynth.h"
#include "platform/AudioBuffer.h"
#include "platform/AudioDevice.h"

namespace {

constexpr std::uint32_t kVoices = 32;
constexpr std::uint32_t kOutputSeconds = 10;
// What the SDL callback asks for at a time.
constexpr std::uint32_t kCallbackFrames = 512;

struct MixScene
{
    std::unique_ptr<Platform::AudioDevice> device;
    std::vector<std::unique_ptr<Platform::AudioBuffer>> voices;
    std::uint32_t outputRate = 0;
};

MixScene MakeScene()
{
    MixScene scene;
    Platform::AudioDevice::SetOutputForTests(Platform::AudioOutput::Manual);
    Platform::AudioDevice::Open(scene.device);
    scene.device->SetCooperativeLevel(Platform::kAudioLevelPriority);
    scene.outputRate = scene.device->GetOutputFormat().samplesPerSecond;
    const std::uint32_t rates[] = {11025, 22050, 44100, 32000, 16000, 48000, 8000, 24000};
    for (std::uint32_t i = 0; i < kVoices; ++i) {
        Platform::AudioBufferDescription description;
        description.flags = Platform::kAudioBufferCtrlVolume | Platform::kAudioBufferCtrlFrequency;
        description.format.channels = 1 + (i % 2);
        description.format.bitsPerSample = (i / 2) % 2 == 0 ? 16 : 8;
        description.format.samplesPerSecond = rates[i % 8];
        const std::uint32_t frames = description.format.samplesPerSecond;
        const auto tone = Content::ToneSynth::Sine(220.0f + 30.0f * i, description.format.samplesPerSecond, frames,
                                                   description.format.channels, 0.05f);
        const auto bytes = description.format.bitsPerSample == 16 ? Content::ToneSynth::ToBytes16(tone)
                                                                  : Content::ToneSynth::ToBytes8(tone);
        description.bytes = static_cast<std::uint32_t>(bytes.size());
        std::unique_ptr<Platform::AudioBuffer> buffer;
        scene.device->CreateBuffer(description, buffer);
        void* first = nullptr;
        std::uint32_t firstBytes = 0;
        buffer->Lock(0, description.bytes, &first, &firstBytes, nullptr, nullptr);
        std::memcpy(first, bytes.data(), firstBytes);
        buffer->Unlock(first, firstBytes, nullptr, 0);
        buffer->SetVolume(-600 - static_cast<std::int32_t>(i) * 10);
        buffer->Play(true);
        scene.voices.push_back(std::move(buffer));
    }
    return scene;
}

void MixTenSeconds(MixScene& scene, std::vector<std::int16_t>& out)
{
    const std::uint32_t total = scene.outputRate * kOutputSeconds;
    for (std::uint32_t done = 0; done < total; done += kCallbackFrames) {
        scene.device->Mix(out.data(), std::min(kCallbackFrames, total - done));
    }
}

// The same number of samples, already at the output rate and format, summed
// with saturation: the least any mixer of these voices could do.
struct PlainScene
{
    std::vector<std::vector<std::int16_t>> voices;
    std::uint32_t outputRate = 0;
};

PlainScene MakePlainScene(std::uint32_t outputRate)
{
    PlainScene scene;
    scene.outputRate = outputRate;
    for (std::uint32_t i = 0; i < kVoices; ++i) {
        scene.voices.push_back(Content::ToneSynth::Sine(220.0f + 30.0f * i, outputRate, outputRate, 2, 0.05f));
    }
    return scene;
}

void SumTenSeconds(const PlainScene& scene, std::vector<std::int16_t>& out)
{
    const std::uint32_t total = scene.outputRate * kOutputSeconds;
    const std::uint32_t length = scene.outputRate;
    std::int32_t accumulator[kCallbackFrames * 2];
    for (std::uint32_t done = 0; done < total; done += kCallbackFrames) {
        const std::uint32_t frames = std::min(kCallbackFrames, total - done);
        std::fill(accumulator, accumulator + frames * 2, 0);
        const std::uint32_t start = (done % length) * 2;
        const std::uint32_t head = std::min(frames * 2, length * 2 - start);
        for (const auto& voice : scene.voices) {
            const std::int16_t* source = voice.data() + start;
            for (std::uint32_t i = 0; i < head; ++i) {
                accumulator[i] += source[i];
            }
            for (std::uint32_t i = head; i < frames * 2; ++i) {
                accumulator[i] += voice[i - head];
            }
        }
        for (std::uint32_t i = 0; i < frames * 2; ++i) {
            out[i] = static_cast<std::int16_t>(std::clamp(accumulator[i], -32768, 32767));
        }
    }
}

void BM_Mix32Voices(benchmark::State& state)
{
    MixScene scene = MakeScene();
    std::vector<std::int16_t> out(kCallbackFrames * 2);
    for (auto _ : state) {
        MixTenSeconds(scene, out);
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_Mix32Voices)->Unit(benchmark::kMillisecond);

void BM_PlainSum32Voices(benchmark::State& state)
{
    const PlainScene scene = MakePlainScene(22050);
    std::vector<std::int16_t> out(kCallbackFrames * 2);
    for (auto _ : state) {
        SumTenSeconds(scene, out);
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_PlainSum32Voices)->Unit(benchmark::kMillisecond);

template <typename Work>
double BestSeconds(Work&& work)
{
    double best = 1e9;
    for (int run = 0; run < 5; ++run) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
        best = std::min(best, spent.count());
    }
    return best;
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    MixScene scene = MakeScene();
    const PlainScene plain = MakePlainScene(scene.outputRate);
    std::vector<std::int16_t> out(kCallbackFrames * 2);
    const double mix = BestSeconds([&] { MixTenSeconds(scene, out); });
    const double sum = BestSeconds([&] { SumTenSeconds(plain, out); });
    std::printf("Mixing %u voices for %u s of output at %u Hz: %.2f ms, %.3f %% of one core (goal under 1 %%)\n",
                kVoices, kOutputSeconds, scene.outputRate, mix * 1000.0, mix / kOutputSeconds * 100.0);
    std::printf("Plain sum of as many converted samples: %.2f ms; mixer / plain sum = %.2f\n", sum * 1000.0, mix / sum);
    return 0;
}
