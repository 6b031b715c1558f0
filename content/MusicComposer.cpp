#include "content/MusicComposer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "engine/core/Error.h"

namespace Content {

namespace {

constexpr int kBeatsPerBar = 4;
constexpr int kBars = MusicComposer::kBarsPerSection;
constexpr std::array<int, 7> kMajor{{0, 2, 4, 5, 7, 9, 11}};
constexpr std::array<int, 7> kDorian{{0, 2, 3, 5, 7, 9, 10}};

// Rhythms of one bar in beats; a negative length is a rest.
using Rhythm = std::vector<double>;
const std::vector<Rhythm> kCalmRhythms = {{2, 2},        {1, 1, 2},    {2, 1, 1},    {3, 1},
                                          {1.5, 0.5, 2}, {1, 1, 1, 1}, {2, 1.5, 0.5}};
const std::vector<Rhythm> kLivelyRhythms = {
    {1, 1, 1, 1}, {1.5, 0.5, 1, 1},     {1, 0.5, 0.5, 1, 1}, {0.5, 0.5, 1, 1, 1},
    {1, 1, 2},    {1.5, 0.5, 1.5, 0.5}, {1, 0.5, 0.5, 2},    {0.5, 0.5, 0.5, 0.5, 2}};
// The fourth bar's half close, and the eighth bar's full close: the last note
// the longest, then a breath.
const std::vector<Rhythm> kHalfCloseRhythms = {{2, -2}, {1, 2, -1}, {0.5, 0.5, 2, -1}, {3, -1}, {1, 1, 1, -1}};
const std::vector<Rhythm> kCloseRhythms = {{3, -1}, {2, -2}, {1, 2, -1}, {0.5, 0.5, 2, -1}};

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

// A note of the tune in scale degrees, so that variations can move it by steps.
struct TuneNote
{
    double beat;
    double length;
    int degree;
    double velocity;
};

struct Motif
{
    Rhythm rhythm;
    // The move in degrees into each note after the first.
    std::vector<int> steps;
};

struct Range
{
    int low;
    int high;
};

bool IsStrongBeat(double beat)
{
    return std::fmod(beat, 2.0) == 0.0;
}

int ChordAt(const std::vector<int>& bar, double beatInBar)
{
    return bar.size() > 1 && beatInBar >= 2.0 ? bar[1] : bar[0];
}

bool IsChordTone(int degree, int root)
{
    const int interval = ((degree - root) % 7 + 7) % 7;
    return interval == 0 || interval == 2 || interval == 4;
}

// The chord tone nearest to degree within the range, looking first the way the tune moves.
int NearestChordTone(int degree, int root, Range range, int direction)
{
    const int first = direction >= 0 ? 1 : -1;
    for (int distance = 0; distance <= 3; ++distance) {
        for (int sign : {first, -first}) {
            const int candidate = degree + sign * distance;
            if (candidate >= range.low && candidate <= range.high && IsChordTone(candidate, root)) {
                return candidate;
            }
        }
    }
    return std::clamp(degree, range.low, range.high);
}

// A move past the range's edge turns back from it.
int Reflect(int degree, Range range)
{
    if (degree < range.low) {
        return std::min(range.high, 2 * range.low - degree);
    }
    if (degree > range.high) {
        return std::max(range.low, 2 * range.high - degree);
    }
    return degree;
}

int NoteCount(const Rhythm& rhythm)
{
    return static_cast<int>(std::count_if(rhythm.begin(), rhythm.end(), [](double length) { return length > 0.0; }));
}

// Mostly steps; a leap is followed by a step back.
Motif MakeMotif(const std::vector<Rhythm>& rhythms, Walk& walk)
{
    static const int kSteps[] = {1, 1, 1, -1, -1, -1, 2, -2, 0, 3, -3};
    Motif motif;
    motif.rhythm = rhythms[walk.Pick(rhythms.size())];
    int previous = 0;
    for (int i = 0; i < NoteCount(motif.rhythm); ++i) {
        const int step = std::abs(previous) >= 2 ? (previous > 0 ? -1 : 1) : kSteps[walk.Pick(std::size(kSteps))];
        motif.steps.push_back(step);
        previous = step;
    }
    return motif;
}

const std::vector<Rhythm>& RhythmsFor(double liveliness, Walk& walk)
{
    return walk.Unit() < liveliness ? kLivelyRhythms : kCalmRhythms;
}

// One bar of the tune from a motif, its first note on `start`; returns the last degree.
int PlayMotif(const Motif& motif, int start, const std::vector<int>& chord, double barBeat, Range range,
              std::vector<TuneNote>& notes)
{
    int degree = start;
    int index = 0;
    double beat = 0.0;
    for (double length : motif.rhythm) {
        if (length < 0.0) {
            beat -= length;
            continue;
        }
        int direction = 1;
        if (index > 0) {
            const int step = motif.steps[static_cast<std::size_t>(index)];
            direction = step;
            degree = Reflect(degree + step, range);
        }
        if (IsStrongBeat(beat)) {
            degree = NearestChordTone(degree, ChordAt(chord, beat), range, direction);
        }
        notes.push_back(TuneNote{barBeat + beat, length, degree, IsStrongBeat(beat) ? 0.85 : 0.72});
        beat += length;
        ++index;
    }
    return degree;
}

// A close: steps down (or up) onto the target, which is held; from the
// target itself the close steps down onto it from above.
void PlayClose(const Rhythm& rhythm, int from, int target, double barBeat, std::vector<TuneNote>& notes)
{
    const int count = NoteCount(rhythm);
    const int side = from >= target ? 1 : -1;
    if (from == target) {
        from = target + count - 1;
    }
    int index = 0;
    double beat = 0.0;
    for (double length : rhythm) {
        if (length < 0.0) {
            beat -= length;
            continue;
        }
        const int away = std::min(std::abs(from - target), count - 1 - index);
        notes.push_back(TuneNote{barBeat + beat, length, target + side * away, index == 0 ? 0.85 : 0.78});
        beat += length;
        ++index;
    }
}

// The degree nearest to `from` within the range that is the root of the chord (or else one of its tones).
int RootNear(int from, int root, Range range)
{
    int best = NearestChordTone(from, root, range, -1);
    int bestDistance = 100;
    for (int degree = range.low; degree <= range.high; ++degree) {
        if (((degree - root) % 7 + 7) % 7 == 0 && std::abs(degree - from) < bestDistance) {
            best = degree;
            bestDistance = std::abs(degree - from);
        }
    }
    return best;
}

// Eight bars as a period. The first six bars depend on the material alone;
// the last two (the way home) on the variation too.
std::vector<TuneNote> ComposeTune(const std::vector<std::vector<int>>& chords, double liveliness, Range range,
                                  std::uint32_t materialSeed, int variation)
{
    Walk walk(materialSeed);
    const Motif statement = MakeMotif(RhythmsFor(liveliness, walk), walk);
    const Motif answer = MakeMotif(RhythmsFor(liveliness, walk), walk);
    const int answerStep = walk.Pick(2) == 0 ? 1 : -1;
    const int sequenceStep = walk.Pick(2) == 0 ? 1 : 2;
    const Rhythm& halfClose = kHalfCloseRhythms[walk.Pick(kHalfCloseRhythms.size())];
    const int middle = (range.low + range.high) / 2;
    const int start = NearestChordTone(middle - 1 - static_cast<int>(walk.Pick(3)), chords[0][0], range, 1);

    std::vector<TuneNote> notes;
    int last = PlayMotif(statement, start, chords[0], 0.0, range, notes);
    last = PlayMotif(answer, Reflect(last + answerStep, range), chords[1], 4.0, range, notes);
    last = PlayMotif(statement, Reflect(start + sequenceStep, range), chords[2], 8.0, range, notes);
    PlayClose(halfClose, last, NearestChordTone(last, ChordAt(chords[3], 0.0), range, -1), 12.0, notes);

    last = PlayMotif(statement, start, chords[4], 16.0, range, notes);
    last = PlayMotif(answer, Reflect(last + answerStep, range), chords[5], 20.0, range, notes);
    Walk home(materialSeed ^ (0x9E3779B9u * static_cast<std::uint32_t>(variation + 1)));
    const Motif climb = MakeMotif(RhythmsFor(liveliness, home), home);
    last = PlayMotif(climb, Reflect(last + 1 + static_cast<int>(home.Pick(2)), range), chords[6], 24.0, range, notes);
    const Rhythm& close = kCloseRhythms[home.Pick(kCloseRhythms.size())];
    PlayClose(close, last, RootNear(last, chords[7][0], range), 28.0, notes);
    return notes;
}

// Splits long notes that lead on to another: the second half becomes a
// passing note towards the next, or a neighbour of a repeated one.
std::vector<TuneNote> Ornament(const std::vector<TuneNote>& notes, Range range, Walk& walk)
{
    std::vector<TuneNote> result;
    for (std::size_t i = 0; i < notes.size(); ++i) {
        TuneNote note = notes[i];
        const bool leadsOn = i + 1 < notes.size() && notes[i + 1].beat == note.beat + note.length;
        if (!leadsOn || note.length < 1.0 || walk.Unit() >= 0.6) {
            result.push_back(note);
            continue;
        }
        const int gap = notes[i + 1].degree - note.degree;
        int passing = note.degree + (gap > 0 ? 1 : -1);
        if (std::abs(gap) <= 1) {
            passing = note.degree + (gap > 0 ? -1 : 1);
        }
        note.length -= 0.5;
        result.push_back(note);
        result.push_back(TuneNote{note.beat + note.length, 0.5, Reflect(passing, range), 0.66});
    }
    return result;
}

std::uint32_t LetterSeed(std::uint32_t seed, char letter)
{
    return seed ^ (static_cast<std::uint32_t>(static_cast<unsigned char>(letter)) * 0x01000193u);
}

int PitchInWindow(const MusicScore& score, int degree, int low)
{
    int pitch = score.GetDegreePitch(degree);
    while (pitch >= low + 12) {
        pitch -= 12;
    }
    while (pitch < low) {
        pitch += 12;
    }
    return pitch;
}

// The chord's tones (with its seventh when asked), each in the octave window
// starting at low, rising. A seventh that would rub a semitone against another
// tone goes up an octave, above the rest.
std::vector<int> ChordInWindow(const MusicScore& score, int root, int low, bool seventh)
{
    std::vector<int> pitches;
    for (int third = 0; third < 3; ++third) {
        pitches.push_back(PitchInWindow(score, root + 2 * third, low));
    }
    if (seventh) {
        int pitch = PitchInWindow(score, root + 6, low);
        if (std::any_of(pitches.begin(), pitches.end(), [pitch](int tone) { return std::abs(tone - pitch) <= 1; })) {
            pitch += 12;
        }
        pitches.push_back(pitch);
    }
    std::sort(pitches.begin(), pitches.end());
    return pitches;
}

class SectionWriter
{
public:
    SectionWriter(MusicScore& score, const MusicStyle& style, const MusicArrangement& arrangement, int variation,
                  double sectionBeat, Walk& walk)
        : score_(score), style_(style), arrangement_(arrangement), variation_(variation), sectionBeat_(sectionBeat),
          walk_(walk)
    {}

    void Bar(int bar, const std::vector<int>& chord, int nextRoot)
    {
        const double barBeat = sectionBeat_ + bar * kBeatsPerBar;
        const bool fill = Has(kLayerFill) && bar == kBars - 1;
        for (std::size_t half = 0; half < chord.size(); ++half) {
            const double length = kBeatsPerBar / static_cast<double>(chord.size());
            const double start = barBeat + length * static_cast<double>(half);
            if (Has(kLayerPad)) {
                for (int pitch : ChordInWindow(score_, chord[half], style_.padLow, style_.sevenths)) {
                    Add(start, length, pitch, 0.5, Instrument::kPad);
                }
            }
        }
        if (Has(kLayerComp)) {
            for (double beat : fill ? std::vector<double>{1.0, 2.5, 3.0, 3.5} : std::vector<double>{1.0, 3.0}) {
                for (int pitch : ChordInWindow(score_, ChordAt(chord, beat), style_.padLow, false)) {
                    Add(barBeat + beat, style_.comp == Instrument::kKeys ? 0.8 : 0.45, pitch, 0.6, style_.comp);
                }
            }
        }
        if (Has(kLayerArpeggio)) {
            static const int kOrders[3][8] = {
                {0, 1, 2, 3, 2, 1, 2, 1}, {0, 2, 1, 3, 0, 2, 1, 2}, {3, 2, 1, 0, 1, 2, 3, 1}};
            const int* order = kOrders[variation_ % 3];
            for (int step = 0; step < 8; ++step) {
                std::vector<int> tones = ChordInWindow(score_, ChordAt(chord, 0.5 * step), style_.arpeggioLow, false);
                tones.push_back(tones.front() + 12);
                Add(barBeat + 0.5 * step, 0.5, tones[static_cast<std::size_t>(order[step])],
                    step % 2 == 0 ? 0.55 : 0.42, Instrument::kPluck);
            }
        }
        AddBass(barBeat, chord, nextRoot);
        AddDrums(barBeat, fill);
    }

    void Tune(const std::vector<TuneNote>& tune, const std::vector<std::vector<int>>& chords)
    {
        const Range range{style_.melodyLowDegree, style_.melodyHighDegree};
        std::vector<TuneNote> notes = tune;
        if (Has(kLayerOrnament)) {
            notes = Ornament(notes, range, walk_);
        }
        const double legato = arrangement_.tune == Instrument::kMarimba ? 1.0 : 0.92;
        for (const TuneNote& note : notes) {
            const int pitch = score_.GetDegreePitch(note.degree) + 12 * arrangement_.octave;
            const double velocity = std::min(1.0, note.velocity + 0.08 * walk_.Unit());
            AddTune(note.beat, note.length * legato, pitch, velocity, arrangement_.tune);
            if (Has(kLayerDouble)) {
                AddTune(note.beat, note.length * legato, pitch + 12, 0.45 * velocity, style_.doubling);
            }
            if (Has(kLayerCounter) && note.length >= 1.0 && IsStrongBeat(note.beat)) {
                const auto bar = static_cast<std::size_t>(note.beat / kBeatsPerBar);
                const int root = ChordAt(chords[bar], std::fmod(note.beat, kBeatsPerBar));
                int below = note.degree - 2;
                while (!IsChordTone(below, root)) {
                    --below;
                }
                Add(sectionBeat_ + note.beat, note.length * 0.95,
                    score_.GetDegreePitch(below - 7) + 12 * arrangement_.octave, 0.55, style_.counter);
            }
        }
    }

private:
    bool Has(unsigned layer) const { return (arrangement_.layers & layer) != 0; }

    void Add(double beat, double length, int pitch, double velocity, Instrument instrument)
    {
        score_.notes.push_back(MusicNote{beat, length, pitch, velocity, instrument, false});
    }

    void AddTune(double beat, double length, int pitch, double velocity, Instrument instrument)
    {
        score_.notes.push_back(MusicNote{sectionBeat_ + beat, length, pitch, velocity, instrument, true});
    }

    void AddBass(double barBeat, const std::vector<int>& chord, int nextRoot)
    {
        const int low = style_.bassLow;
        switch (arrangement_.bass) {
        case BassFigure::kNone:
            break;
        case BassFigure::kLong:
            for (std::size_t half = 0; half < chord.size(); ++half) {
                const double length = kBeatsPerBar / static_cast<double>(chord.size());
                Add(barBeat + length * static_cast<double>(half), length - 0.15,
                    PitchInWindow(score_, chord[half], low), 0.8, Instrument::kBass);
            }
            break;
        case BassFigure::kHalves:
            for (double beat : {0.0, 2.0}) {
                const int root = ChordAt(chord, beat);
                const bool fifth = beat > 0.0 && chord.size() == 1 && walk_.Unit() < 0.5;
                const int rootPitch = PitchInWindow(score_, root, low);
                const int pitch =
                    fifth ? rootPitch + score_.GetDegreePitch(root + 4) - score_.GetDegreePitch(root) : rootPitch;
                Add(barBeat + beat, 1.85, pitch, beat == 0.0 ? 0.8 : 0.7, Instrument::kBass);
            }
            break;
        case BassFigure::kGroove: {
            const int first = PitchInWindow(score_, chord[0], low);
            const int second = chord.size() > 1
                                   ? PitchInWindow(score_, chord[1], low)
                                   : first + score_.GetDegreePitch(chord[0] + 4) - score_.GetDegreePitch(chord[0]);
            // A step towards the next chord's root, from above or below.
            const int target = PitchInWindow(score_, nextRoot, low);
            const int approach = PitchInWindow(score_, nextRoot + (target > second ? -1 : 1), low);
            Add(barBeat, 1.4, first, 0.85, Instrument::kBass);
            Add(barBeat + 1.5, 0.4, first, 0.55, Instrument::kBass);
            Add(barBeat + 2.0, 0.9, second, 0.75, Instrument::kBass);
            Add(barBeat + 3.0, 0.9, approach, 0.65, Instrument::kBass);
            break;
        }
        }
    }

    void AddDrums(double barBeat, bool fill)
    {
        if (Has(kLayerKick)) {
            for (double beat : fill ? std::vector<double>{0.0, 2.0, 3.0, 3.5} : std::vector<double>{0.0, 2.0}) {
                Add(barBeat + beat, 0.5, 0, beat == 0.0 ? 0.8 : 0.7, Instrument::kKick);
            }
        }
        for (int beat = 0; beat < kBeatsPerBar; ++beat) {
            const bool roll = fill && beat >= 2;
            if (Has(kLayerShaker)) {
                for (int tick = 0; tick < (roll ? 4 : 2); ++tick) {
                    const double step = roll ? 0.25 : 0.5;
                    Add(barBeat + beat + step * tick, 0.25, 0, tick % 2 == 0 ? 0.3 : 0.5, Instrument::kShaker);
                }
            }
            if (Has(kLayerBrushes)) {
                const bool backbeat = beat % 2 == 1;
                Add(barBeat + beat, backbeat ? 0.4 : 1.0, 0, backbeat ? 0.7 : 0.45, Instrument::kBrush);
                for (double tap : roll ? std::vector<double>{0.25, 0.5, 0.75} : std::vector<double>{0.5}) {
                    Add(barBeat + beat + tap, 0.3, 0, roll ? 0.4 : 0.25, Instrument::kBrush);
                }
            }
        }
    }

    MusicScore& score_;
    const MusicStyle& style_;
    const MusicArrangement& arrangement_;
    int variation_;
    double sectionBeat_;
    Walk& walk_;
};

} // namespace

MusicStyle MusicComposer::GetMenuStyle()
{
    MusicStyle style;
    style.beatsPerMinute = 76.0;
    style.tonic = 65; // F
    style.scale = kMajor;
    style.materials = {
        {'A', {{{0}, {5}, {3}, {4}, {0}, {5}, {1, 4}, {0}}, 0.2}},
        {'B', {{{3}, {0}, {1}, {4}, {3}, {2}, {1}, {4}}, 0.3}},
        {'C', {{{5}, {2}, {3}, {0}, {1}, {5}, {3}, {4}}, 0.15}},
        {'D', {{{3}, {4}, {2}, {5}, {3}, {4}, {0}, {4}}, 0.35}},
    };
    style.form = {
        {'A', Instrument::kBell, kLayerPad | kLayerArpeggio, BassFigure::kLong, 0},
        {'B', Instrument::kFlute, kLayerPad | kLayerArpeggio, BassFigure::kHalves, 0},
        {'A', Instrument::kFlute, kLayerPad | kLayerDouble | kLayerOrnament | kLayerCounter, BassFigure::kLong, 0},
        {'C', Instrument::kBell, kLayerPad | kLayerComp | kLayerCounter, BassFigure::kHalves, 0},
        {'D', Instrument::kBell, kLayerPad | kLayerArpeggio | kLayerTurnaround, BassFigure::kLong, -1},
    };
    style.melodyLowDegree = 7;
    style.melodyHighDegree = 14;
    style.comp = Instrument::kKeys;
    style.counter = Instrument::kKeys;
    style.doubling = Instrument::kBell;
    style.sevenths = true;
    style.padLow = 53;
    style.arpeggioLow = 60;
    style.bassLow = 36;
    return style;
}

MusicStyle MusicComposer::GetGame0Style()
{
    MusicStyle style;
    style.beatsPerMinute = 96.0;
    style.tonic = 60; // C
    style.scale = kMajor;
    style.materials = {
        {'A', {{{0}, {4}, {5}, {3}, {0}, {4}, {3, 4}, {0}}, 0.8}},
        {'B', {{{3}, {4}, {2}, {5}, {1}, {4}, {0, 5}, {4}}, 0.7}},
        {'C', {{{5}, {2}, {3}, {0}, {5}, {2}, {1}, {4}}, 0.4}},
        {'D', {{{3}, {0}, {1}, {4}, {3}, {0}, {1, 3}, {4}}, 0.6}},
    };
    const unsigned groove = kLayerComp | kLayerKick | kLayerShaker;
    style.form = {
        {'A', Instrument::kMarimba, groove, BassFigure::kHalves, 0},
        {'B', Instrument::kMarimba, groove | kLayerFill, BassFigure::kGroove, 0},
        {'A', Instrument::kMarimba, groove | kLayerOrnament | kLayerCounter, BassFigure::kGroove, 0},
        {'C', Instrument::kFlute, kLayerPad | kLayerShaker | kLayerArpeggio, BassFigure::kLong, -1},
        {'D', Instrument::kKeys, kLayerPad | kLayerKick | kLayerComp | kLayerFill, BassFigure::kHalves, 0},
        {'A', Instrument::kMarimba, groove | kLayerDouble | kLayerFill | kLayerTurnaround, BassFigure::kGroove, 0},
    };
    style.melodyLowDegree = 7;
    style.melodyHighDegree = 15;
    style.comp = Instrument::kKeys;
    style.counter = Instrument::kFlute;
    style.doubling = Instrument::kBell;
    style.padLow = 55;
    style.arpeggioLow = 60;
    style.bassLow = 36;
    return style;
}

MusicStyle MusicComposer::GetGame1Style()
{
    MusicStyle style;
    style.beatsPerMinute = 104.0;
    style.tonic = 62; // D, Dorian
    style.scale = kDorian;
    style.materials = {
        {'A', {{{0}, {3}, {0}, {6}, {0}, {3}, {2, 6}, {0}}, 0.6}},
        {'B', {{{2}, {6}, {3}, {0}, {2}, {6}, {3}, {4}}, 0.5}},
        {'C', {{{6}, {2}, {3}, {3}, {6}, {2}, {4}, {4}}, 0.3}},
        {'D', {{{0}, {4}, {6}, {3}, {2}, {6}, {3, 4}, {0}}, 0.7}},
    };
    style.form = {
        {'A', Instrument::kLead, kLayerPad | kLayerBrushes, BassFigure::kHalves, 0},
        {'B', Instrument::kLead, kLayerPad | kLayerBrushes | kLayerComp | kLayerFill, BassFigure::kGroove, 0},
        {'C', Instrument::kFlute, kLayerPad | kLayerArpeggio, BassFigure::kLong, 0},
        {'A', Instrument::kLead, kLayerPad | kLayerBrushes | kLayerOrnament | kLayerCounter, BassFigure::kGroove, 0},
        {'D', Instrument::kKeys, kLayerBrushes | kLayerArpeggio | kLayerFill, BassFigure::kGroove, 0},
        {'B', Instrument::kLead, kLayerPad | kLayerBrushes | kLayerDouble | kLayerTurnaround, BassFigure::kHalves, 0},
    };
    style.melodyLowDegree = 4;
    style.melodyHighDegree = 12;
    style.comp = Instrument::kKeys;
    style.counter = Instrument::kFlute;
    style.doubling = Instrument::kBell;
    style.sevenths = true;
    style.padLow = 52;
    style.arpeggioLow = 57;
    style.bassLow = 38;
    return style;
}

MusicScore MusicComposer::Compose(const MusicStyle& style, std::uint32_t seed)
{
    MusicScore score;
    score.beatsPerMinute = style.beatsPerMinute;
    score.beatsPerBar = kBeatsPerBar;
    score.tonic = style.tonic;
    score.scale = style.scale;
    score.bars = static_cast<int>(style.form.size()) * kBars;
    Walk walk(seed);
    std::map<char, int> heard;
    const Range range{style.melodyLowDegree, style.melodyHighDegree};
    for (const MusicArrangement& arrangement : style.form) {
        const auto material = style.materials.find(arrangement.letter);
        if (material == style.materials.end() || material->second.chords.size() != static_cast<std::size_t>(kBars) ||
            std::any_of(material->second.chords.begin(), material->second.chords.end(),
                        [](const std::vector<int>& bar) { return bar.empty() || bar.size() > 2; })) {
            throw OrrelayEngine::Error(std::string("no eight bars of music for section ") + arrangement.letter);
        }
    }
    for (std::size_t index = 0; index < style.form.size(); ++index) {
        const MusicArrangement& arrangement = style.form[index];
        const auto material = style.materials.find(arrangement.letter);
        const int variation = heard[arrangement.letter]++;
        const int startBar = static_cast<int>(index) * kBars;
        score.sections.push_back(MusicSection{arrangement.letter, variation, startBar, kBars});

        std::vector<std::vector<int>> chords = material->second.chords;
        if ((arrangement.layers & kLayerTurnaround) != 0 && chords.back()[0] != 4) {
            chords.back() = {chords.back()[0], 4};
        }
        const MusicArrangement& next = style.form[(index + 1) % style.form.size()];
        const int nextRoot = style.materials.at(next.letter).chords[0][0];
        SectionWriter writer(score, style, arrangement, variation, startBar * kBeatsPerBar, walk);
        for (int bar = 0; bar < kBars; ++bar) {
            writer.Bar(bar, chords[static_cast<std::size_t>(bar)],
                       bar + 1 < kBars ? chords[static_cast<std::size_t>(bar + 1)][0] : nextRoot);
        }
        writer.Tune(
            ComposeTune(chords, material->second.liveliness, range, LetterSeed(seed, arrangement.letter), variation),
            chords);
    }
    return score;
}

} // namespace Content
