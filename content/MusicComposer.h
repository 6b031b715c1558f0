// Writes the game's music as scores, section by section. Each letter of a
// track's form is eight bars of material: a chord progression (one or two
// diatonic chords a bar) and a tune built as a period: a rhythmic motif and its
// contour stated, answered, sequenced a step higher and brought to a half
// close, then stated again and brought home. Strong beats land on chord tones,
// each half ends in a breath. A letter heard again comes back varied: a new
// close, passing notes, another voice or a doubling, a counter-line, and an
// accompaniment of its own (pad, comping, arpeggio, bass figure, drums and a
// fill). Every pitched note lies in the key.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <vector>

#include "content/MusicScore.h"

namespace Content {

// The layers of one section's arrangement, or-ed together.
enum MusicLayer : unsigned
{
    kLayerPad = 1u << 0,
    kLayerComp = 1u << 1,
    kLayerArpeggio = 1u << 2,
    kLayerKick = 1u << 3,
    kLayerShaker = 1u << 4,
    kLayerBrushes = 1u << 5,
    // A second, lower line under the tune's long notes.
    kLayerCounter = 1u << 6,
    // Passing and neighbour notes in the tune's long notes.
    kLayerOrnament = 1u << 7,
    // The tune doubled an octave higher by the style's doubling voice.
    kLayerDouble = 1u << 8,
    // A drum fill through the section's last bar.
    kLayerFill = 1u << 9,
    // The last bar turns to the dominant halfway, leading back to the start.
    kLayerTurnaround = 1u << 10
};

enum class BassFigure
{
    kNone,
    // The root held through each chord.
    kLong,
    // Root, then root or fifth, in half notes.
    kHalves,
    // Root, its repeat off the beat, the fifth and a step towards the next root.
    kGroove
};

struct MusicMaterial
{
    // Eight bars, each one chord root (a scale degree) or two, changing halfway.
    std::vector<std::vector<int>> chords;
    // 0 chooses long notes for the tune, 1 lively ones.
    double liveliness = 0.5;
};

struct MusicArrangement
{
    char letter = 'A';
    Instrument tune = Instrument::kBell;
    unsigned layers = 0;
    BassFigure bass = BassFigure::kHalves;
    // The tune moved by octaves.
    int octave = 0;
};

struct MusicStyle
{
    double beatsPerMinute = 100.0;
    int tonic = 60;
    std::array<int, 7> scale{{0, 2, 4, 5, 7, 9, 11}};
    std::map<char, MusicMaterial> materials;
    std::vector<MusicArrangement> form;
    // The tune's range in scale degrees from the tonic.
    int melodyLowDegree = 7;
    int melodyHighDegree = 14;
    Instrument comp = Instrument::kPluck;
    Instrument counter = Instrument::kPluck;
    Instrument doubling = Instrument::kBell;
    // Adds the seventh to the pad's chords.
    bool sevenths = false;
    // Lowest MIDI pitch of each accompaniment part's one-octave window.
    int padLow = 53;
    int arpeggioLow = 60;
    int bassLow = 36;
};

class MusicComposer
{
public:
    static constexpr int kBarsPerSection = 8;

    static MusicStyle GetMenuStyle();
    static MusicStyle GetGame0Style();
    static MusicStyle GetGame1Style();

    // Throws OrrelayEngine::Error for a form letter without material.
    static MusicScore Compose(const MusicStyle& style, std::uint32_t seed);
};

} // namespace Content
