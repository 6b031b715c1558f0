#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "content/EffectSynth.h"
#include "content/MenuSounds.h"
#include "content/MusicSynth.h"
#include "content/MusicTracks.h"

using Content::MusicScore;
using Content::MusicSynth;
using Content::MusicTracks;

namespace {

// The step across a loop's join (last frame to first) against the largest
// step within 50 ms on either side of it, per channel.
void ExpectJoinHolds(const std::vector<std::int16_t>& samples, std::size_t channels, std::uint32_t rate)
{
    const std::size_t frames = samples.size() / channels;
    const std::size_t window = rate / 20;
    ASSERT_GT(frames, 2 * window);
    for (std::size_t c = 0; c < channels; ++c) {
        auto at = [&](std::size_t frame) { return static_cast<int>(samples[(frame % frames) * channels + c]); };
        const int join = std::abs(at(0) - at(frames - 1));
        int largest = 0;
        for (std::size_t i = frames - window; i < frames + window; ++i) {
            if (i != frames - 1) {
                largest = std::max(largest, std::abs(at(i + 1) - at(i)));
            }
        }
        EXPECT_LE(join, largest) << "channel " << c;
    }
}

} // namespace

TEST(MusicComposer, EveryTrackIsInItsKeyWholeBarsLongAndHasAMelody)
{
    for (const MusicTracks::Track& track : MusicTracks::GetTracks()) {
        SCOPED_TRACE(track.name);
        const MusicScore score = MusicTracks::Compose(track);
        EXPECT_GE(score.GetLengthSeconds(), 45.0);
        EXPECT_EQ(score.bars % 4, 0);
        EXPECT_EQ(MusicSynth::GetLoopFrames(score),
                  static_cast<std::uint32_t>(std::lround(score.bars * 4 * 60.0 / score.beatsPerMinute * 22050)));
        std::size_t melodyNotes = 0;
        for (const Content::MusicNote& note : score.notes) {
            EXPECT_LT(note.startBeat, score.GetLengthBeats());
            if (MusicScore::IsPitched(note.instrument)) {
                EXPECT_TRUE(score.IsInScale(note.pitch)) << "pitch " << note.pitch << " at beat " << note.startBeat;
            }
            melodyNotes += note.instrument == track.style.melody ? 1 : 0;
        }
        EXPECT_GT(melodyNotes, static_cast<std::size_t>(score.bars));
        // The same seed, the same piece.
        EXPECT_EQ(MusicTracks::Compose(track).notes.size(), score.notes.size());
    }
}

TEST(MusicSynth, ALoopedTrackJoinsWithoutAStepAndKeepsItsLevel)
{
    const MusicTracks::Track track = MusicTracks::GetTracks()[1];
    const MusicScore score = MusicTracks::Compose(track);
    const std::vector<std::int16_t> samples = MusicSynth::Render(score, 7);
    ASSERT_EQ(samples.size(), 2u * MusicSynth::GetLoopFrames(score));
    ExpectJoinHolds(samples, 2, MusicSynth::kSampleRate);

    double sumSquares = 0.0;
    int peak = 0;
    for (std::int16_t sample : samples) {
        sumSquares += double(sample) * sample;
        peak = std::max(peak, std::abs(int(sample)));
    }
    const double rmsDbfs = 20.0 * std::log10(std::sqrt(sumSquares / samples.size()) / 32767.0);
    const double peakDbfs = 20.0 * std::log10(peak / 32767.0);
    EXPECT_LE(peakDbfs, -3.9);
    EXPECT_NEAR(rmsDbfs, -20.0, 2.0);
}

TEST(EffectSynth, LoopedEffectsAreWholePeriodsAndOneShotsStartAtOnce)
{
    Content::EffectSynth loop = Content::EffectSynth::Loop(11025, 1);
    EXPECT_DOUBLE_EQ(loop.WholeCycles(441.3) * 0.5, std::round(441.3 * 0.5));
    for (const Content::MenuSounds::Description& sound : Content::MenuSounds::GetSounds()) {
        SCOPED_TRACE(sound.name);
        const std::vector<std::uint8_t> wav = Content::MenuSounds::Make(sound.name);
        ASSERT_GT(wav.size(), 44u);
        ASSERT_EQ((wav.size() - 44) % 2, 0u);
        std::vector<std::int16_t> samples((wav.size() - 44) / 2);
        for (std::size_t i = 0; i < samples.size(); ++i) {
            samples[i] = static_cast<std::int16_t>(wav[44 + 2 * i] | (wav[45 + 2 * i] << 8));
        }
        if (sound.loop) {
            ExpectJoinHolds(samples, 1, 22050);
            continue;
        }
        EXPECT_LT(samples.size(), 22050u * 3 / 2);
        const auto loud =
            std::find_if(samples.begin(), samples.end(), [](std::int16_t s) { return std::abs(s) > 300; });
        EXPECT_LT(loud - samples.begin(), 22050 * 5 / 1000);
    }
}
