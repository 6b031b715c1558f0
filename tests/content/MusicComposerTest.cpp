#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <tuple>

#include "content/EffectSynth.h"
#include "content/GameSounds.h"
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

// The 16-bit mono samples of a WAV file as the effect synthesiser writes it.
std::vector<std::int16_t> SamplesOf(const std::vector<std::uint8_t>& wav)
{
    EXPECT_GT(wav.size(), 44u);
    EXPECT_EQ(wav.size() % 2, 0u);
    std::vector<std::int16_t> samples(wav.size() > 44 ? (wav.size() - 44) / 2 : 0);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<std::int16_t>(wav[44 + 2 * i] | (wav[45 + 2 * i] << 8));
    }
    return samples;
}

} // namespace

TEST(MusicComposer, EveryTrackIsInItsKeyWholeBarsLongAndSingsFromItsStart)
{
    for (const MusicTracks::Track& track : MusicTracks::GetTracks()) {
        SCOPED_TRACE(track.name);
        const MusicScore score = MusicTracks::Compose(track);
        EXPECT_GE(score.GetLengthSeconds(), 90.0);
        EXPECT_EQ(MusicSynth::GetLoopFrames(score),
                  static_cast<std::uint32_t>(std::lround(score.bars * 4 * 60.0 / score.beatsPerMinute * 22050)));
        std::size_t tuneNotes = 0;
        double firstTuneBeat = score.GetLengthBeats();
        for (const Content::MusicNote& note : score.notes) {
            EXPECT_LT(note.startBeat, score.GetLengthBeats());
            if (MusicScore::IsPitched(note.instrument)) {
                EXPECT_TRUE(score.IsInScale(note.pitch)) << "pitch " << note.pitch << " at beat " << note.startBeat;
            }
            if (note.tune) {
                ++tuneNotes;
                firstTuneBeat = std::min(firstTuneBeat, note.startBeat);
            }
        }
        EXPECT_GT(tuneNotes, static_cast<std::size_t>(2 * score.bars));
        EXPECT_LT(firstTuneBeat, 1.0);
        // The same seed, the same piece.
        EXPECT_EQ(MusicTracks::Compose(track).notes.size(), score.notes.size());
    }
}

TEST(MusicComposer, EveryTrackHasFourDistinctSectionsAndNeverRepeatsOneUnchanged)
{
    // What a listener tells apart: the tune note by note, and which parts of
    // the accompaniment play when (not the bass's choice of root or fifth).
    using Section = std::vector<std::tuple<double, double, int, int, bool>>;
    for (const MusicTracks::Track& track : MusicTracks::GetTracks()) {
        SCOPED_TRACE(track.name);
        const MusicScore score = MusicTracks::Compose(track);
        std::vector<Section> sections;
        // The first two bars of the tune, by letter: different letters, different tunes.
        std::map<char, std::vector<int>> openings;
        int nextBar = 0;
        ASSERT_EQ(score.sections.size(), track.style.form.size());
        for (std::size_t index = 0; index < score.sections.size(); ++index) {
            const Content::MusicSection& section = score.sections[index];
            const Content::MusicArrangement& arrangement = track.style.form[index];
            EXPECT_EQ(section.startBar, nextBar);
            nextBar += section.bars;
            const double from = section.startBar * 4.0;
            const double to = from + section.bars * 4.0;
            Section notes;
            std::vector<int> opening;
            for (const Content::MusicNote& note : score.notes) {
                if (note.startBeat >= from && note.startBeat < to) {
                    notes.emplace_back(note.startBeat - from, note.tune ? note.lengthBeats : 0.0,
                                       note.tune ? note.pitch : 0, static_cast<int>(note.instrument), note.tune);
                    if (note.tune && note.startBeat < from + 8.0 && note.instrument == arrangement.tune) {
                        opening.push_back(note.pitch - 12 * arrangement.octave);
                    }
                }
            }
            std::sort(notes.begin(), notes.end());
            sections.push_back(notes);
            if (section.variation == 0) {
                openings[section.letter] = opening;
            }
        }
        EXPECT_EQ(nextBar, score.bars);
        ASSERT_GE(openings.size(), 4u);
        for (auto a = openings.begin(); a != openings.end(); ++a) {
            for (auto b = std::next(a); b != openings.end(); ++b) {
                EXPECT_NE(a->second, b->second) << a->first << " and " << b->first;
            }
        }
        // Around the loop too: the last section is followed by the first.
        for (std::size_t i = 0; i < sections.size(); ++i) {
            for (std::size_t j = i + 1; j < sections.size(); ++j) {
                EXPECT_NE(sections[i], sections[j]) << "sections " << i << " and " << j;
            }
        }
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
        const std::vector<std::int16_t> samples = SamplesOf(Content::MenuSounds::Make(sound.name));
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

TEST(EffectSynth, EveryOneShotDiesAwayToSilenceInItsLastTenMilliseconds)
{
    std::vector<std::pair<std::string, std::vector<std::uint8_t>>> sounds;
    for (const std::string& name : Content::GameSounds::GetNames()) {
        sounds.emplace_back(name, Content::GameSounds::Make(name));
    }
    for (const Content::MenuSounds::Description& sound : Content::MenuSounds::GetSounds()) {
        if (!sound.loop) {
            sounds.emplace_back(sound.name, Content::MenuSounds::Make(sound.name));
        }
    }
    EXPECT_EQ(sounds.size(), 24u + 7u);
    for (const auto& [name, wav] : sounds) {
        const std::vector<std::int16_t> samples = SamplesOf(wav);
        const std::size_t last = 22050 / 100;
        ASSERT_GT(samples.size(), last) << name;
        int loudest = 0;
        for (std::size_t i = samples.size() - last; i < samples.size(); ++i) {
            loudest = std::max(loudest, std::abs(int(samples[i])));
        }
        // -60 dBFS.
        EXPECT_LT(loudest, 33) << name;
    }
}
