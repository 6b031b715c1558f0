#include "content/MusicComposer.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace Content {

namespace {

constexpr int kBeatsPerBar = 4;
constexpr int kBarsPerPhrase = 4;
constexpr std::array<int, 7> kMajor{{0, 2, 4, 5, 7, 9, 11}};
constexpr std::array<int, 7> kDorian{{0, 2, 3, 5, 7, 9, 10}};

// Rhythms of one bar in beats; a negative length is a rest.
using Rhythm = std::vector<double>;
const std::vector<Rhythm> kCalmRhythms = {{2, 2}, {1, 1, 2}, {2, 1, 1}, {3, 1}, {1.5, 0.5, 2}, {1, 1, 1, 1}};
const std::vector<Rhythm> kLivelyRhythms = {{1, 1, 1, 1},        {1.5, 0.5, 1, 1}, {1, 0.5, 0.5, 1, 1},
                                            {0.5, 0.5, 1, 1, 1}, {1, 1, 2},        {1.5, 0.5, 1.5, 0.5}};
const std::vector<Rhythm> kPhraseEndRhythms = {{2, -2}, {1, 1, -2}, {1.5, 0.5, -2}, {3, -1}};

class Walk
{
public:
    explicit Walk(std::uint32_t seed) : state_(seed != 0 ? seed : 0x2545F491u) {}

    std::uint32_t Next()
    {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    // Uniform in [0, 1).
    double Unit() { return static_cast<double>(Next() >> 8) / 16777216.0; }
    std::size_t Pick(std::size_t count) { return static_cast<std::size_t>(Unit() * static_cast<double>(count)); }

private:
    std::uint32_t state_;
};

bool IsChordTone(int degree, int root)
{
    const int interval = ((degree - root) % 7 + 7) % 7;
    return interval == 0 || interval == 2 || interval == 4;
}

// The chord's tones, each placed in the octave window starting at low, in rising order.
std::vector<int> ChordInWindow(const MusicScore& score, int root, int low)
{
    std::vector<int> pitches;
    for (int third = 0; third < 3; ++third) {
        int degree = root + 2 * third;
        while (score.GetDegreePitch(degree) >= low + 12) {
            degree -= 7;
        }
        while (score.GetDegreePitch(degree) < low) {
            degree += 7;
        }
        pitches.push_back(score.GetDegreePitch(degree));
    }
    std::sort(pitches.begin(), pitches.end());
    return pitches;
}

int NearestChordTone(int from, int root, int low, int high, Walk& walk)
{
    int best = from;
    int bestDistance = 100;
    for (int degree = from - 3; degree <= from + 3; ++degree) {
        const int distance = std::abs(degree - from) * 2 + static_cast<int>(walk.Pick(2));
        if (degree >= low && degree <= high && IsChordTone(degree, root) && distance < bestDistance) {
            best = degree;
            bestDistance = distance;
        }
    }
    return best;
}

// The melody of one phrase, beats counted from the phrase's start.
std::vector<MusicNote> ComposePhraseMelody(const MusicScore& score, const MusicStyle& style,
                                           const std::array<int, 4>& chords, Walk& walk)
{
    const std::vector<Rhythm>& rhythms = walk.Unit() < style.liveliness ? kLivelyRhythms : kCalmRhythms;
    std::vector<MusicNote> notes;
    int degree = NearestChordTone((style.melodyLowDegree + style.melodyHighDegree) / 2, chords[0],
                                  style.melodyLowDegree, style.melodyHighDegree, walk);
    for (int bar = 0; bar < kBarsPerPhrase; ++bar) {
        const Rhythm& rhythm = bar == kBarsPerPhrase - 1 ? kPhraseEndRhythms[walk.Pick(kPhraseEndRhythms.size())]
                                                         : rhythms[walk.Pick(rhythms.size())];
        double beat = 0.0;
        for (double length : rhythm) {
            if (length < 0.0) {
                beat -= length;
                continue;
            }
            if (std::fmod(beat, 2.0) == 0.0) {
                degree = NearestChordTone(degree, chords[static_cast<std::size_t>(bar)], style.melodyLowDegree,
                                          style.melodyHighDegree, walk);
            } else {
                static const int kSteps[] = {-2, -1, -1, 1, 1, 2};
                degree += kSteps[walk.Pick(6)];
                if (degree < style.melodyLowDegree || degree > style.melodyHighDegree) {
                    degree = std::clamp(
                        2 * (degree < style.melodyLowDegree ? style.melodyLowDegree : style.melodyHighDegree) - degree,
                        style.melodyLowDegree, style.melodyHighDegree);
                }
            }
            const bool strong = std::fmod(beat, 2.0) == 0.0;
            notes.push_back(MusicNote{bar * kBeatsPerBar + beat, length * 0.92, score.GetDegreePitch(degree),
                                      (strong ? 0.85 : 0.7) + 0.1 * walk.Unit(), style.melody});
            beat += length;
        }
    }
    return notes;
}

void AddAccompaniment(MusicScore& score, const MusicStyle& style, int root, double barStart, Walk& walk)
{
    const std::vector<int> padChord = ChordInWindow(score, root, style.padLow);
    if (style.pad) {
        for (int pitch : padChord) {
            score.notes.push_back(MusicNote{barStart, 4.0, pitch, 0.5, Instrument::kPad});
        }
    }
    if (style.comp) {
        for (double beat : {1.0, 3.0}) {
            for (int pitch : padChord) {
                score.notes.push_back(MusicNote{barStart + beat, 0.45, pitch, 0.6, Instrument::kPluck});
            }
        }
    }
    if (style.arpeggio) {
        std::vector<int> tones = ChordInWindow(score, root, style.arpeggioLow);
        tones.push_back(tones.front() + 12);
        static const int kOrder[] = {0, 1, 2, 3, 2, 1, 2, 1};
        for (int step = 0; step < 8; ++step) {
            score.notes.push_back(MusicNote{barStart + 0.5 * step, 0.5, tones[static_cast<std::size_t>(kOrder[step])],
                                            step % 2 == 0 ? 0.55 : 0.42, Instrument::kPluck});
        }
    }
    if (style.bass) {
        int rootPitch = score.GetDegreePitch(root);
        while (rootPitch >= style.bassLow + 12) {
            rootPitch -= 12;
        }
        while (rootPitch < style.bassLow) {
            rootPitch += 12;
        }
        const int upper = rootPitch + score.GetDegreePitch(root + 4) - score.GetDegreePitch(root);
        score.notes.push_back(MusicNote{barStart, 1.85, rootPitch, 0.8, Instrument::kBass});
        score.notes.push_back(
            MusicNote{barStart + 2.0, 1.85, walk.Unit() < 0.5 ? rootPitch : upper, 0.7, Instrument::kBass});
    }
    for (int beat = 0; beat < kBeatsPerBar; ++beat) {
        if (style.kick && beat % 2 == 0) {
            score.notes.push_back(MusicNote{barStart + beat, 0.5, 0, 0.8, Instrument::kKick});
        }
        if (style.shaker) {
            score.notes.push_back(MusicNote{barStart + beat, 0.25, 0, 0.3, Instrument::kShaker});
            score.notes.push_back(MusicNote{barStart + beat + 0.5, 0.25, 0, 0.5, Instrument::kShaker});
        }
        if (style.brushes) {
            const bool backbeat = beat % 2 == 1;
            score.notes.push_back(
                MusicNote{barStart + beat, backbeat ? 0.4 : 1.0, 0, backbeat ? 0.7 : 0.45, Instrument::kBrush});
            score.notes.push_back(MusicNote{barStart + beat + 0.5, 0.3, 0, 0.25, Instrument::kBrush});
        }
    }
}

} // namespace

MusicStyle MusicComposer::GetMenuStyle()
{
    MusicStyle style;
    style.beatsPerMinute = 76.0;
    style.tonic = 65; // F
    style.scale = kMajor;
    style.progressions = {{{0, 5, 3, 4}}, {{5, 3, 1, 4}}};
    style.form = "AABA";
    style.melody = Instrument::kBell;
    style.melodyLowDegree = 7;
    style.melodyHighDegree = 14;
    style.liveliness = 0.2;
    style.padLow = 53;
    style.arpeggioLow = 60;
    style.bassLow = 36;
    style.pad = true;
    style.arpeggio = true;
    return style;
}

MusicStyle MusicComposer::GetGame0Style()
{
    MusicStyle style;
    style.beatsPerMinute = 96.0;
    style.tonic = 60; // C
    style.scale = kMajor;
    style.progressions = {{{0, 5, 3, 4}}, {{5, 3, 1, 4}}};
    style.form = "aABAB";
    style.melody = Instrument::kMarimba;
    style.melodyLowDegree = 7;
    style.melodyHighDegree = 15;
    style.liveliness = 0.8;
    style.padLow = 55;
    style.bassLow = 36;
    style.comp = true;
    style.kick = true;
    style.shaker = true;
    return style;
}

MusicStyle MusicComposer::GetGame1Style()
{
    MusicStyle style;
    style.beatsPerMinute = 104.0;
    style.tonic = 62; // D, Dorian
    style.scale = kDorian;
    style.progressions = {{{0, 3, 6, 4}}, {{2, 6, 3, 4}}};
    style.form = "aABAB";
    style.melody = Instrument::kLead;
    style.melodyLowDegree = 4;
    style.melodyHighDegree = 12;
    style.liveliness = 0.6;
    style.padLow = 52;
    style.bassLow = 38;
    style.pad = true;
    style.brushes = true;
    return style;
}

MusicScore MusicComposer::Compose(const MusicStyle& style, std::uint32_t seed)
{
    MusicScore score;
    score.beatsPerMinute = style.beatsPerMinute;
    score.beatsPerBar = kBeatsPerBar;
    score.tonic = style.tonic;
    score.scale = style.scale;
    score.bars = static_cast<int>(style.form.size()) * kBarsPerPhrase;
    Walk walk(seed);
    // A phrase letter keeps its melody wherever it comes back, so the piece has a shape.
    std::map<char, std::vector<MusicNote>> melodies;
    for (std::size_t phrase = 0; phrase < style.form.size(); ++phrase) {
        const char letter = style.form[phrase];
        const char upper = static_cast<char>(letter >= 'a' ? letter - 'a' + 'A' : letter);
        const auto& chords = style.progressions[static_cast<std::size_t>(upper - 'A') % style.progressions.size()];
        const double phraseStart = static_cast<double>(phrase * kBarsPerPhrase * kBeatsPerBar);
        for (int bar = 0; bar < kBarsPerPhrase; ++bar) {
            AddAccompaniment(score, style, chords[static_cast<std::size_t>(bar)], phraseStart + bar * kBeatsPerBar,
                             walk);
        }
        if (letter == upper) {
            if (melodies.count(upper) == 0) {
                melodies[upper] = ComposePhraseMelody(score, style, chords, walk);
            }
            for (MusicNote note : melodies[upper]) {
                note.startBeat += phraseStart;
                score.notes.push_back(note);
            }
        }
    }
    return score;
}

} // namespace Content
