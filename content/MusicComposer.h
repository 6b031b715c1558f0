// Writes the game's music as scores: four-bar phrases over a progression of
// diatonic chords that ends on the chord leading back to the first, a pad or
// comping chords, an arpeggio, a bass and drums by style, and a melody that
// walks the scale from a seed, landing on chord tones on strong beats and
// resting at the end of each phrase. Every pitched note lies in the key.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "content/MusicScore.h"

namespace Content {

struct MusicStyle
{
    double beatsPerMinute = 100.0;
    int tonic = 60;
    std::array<int, 7> scale{{0, 2, 4, 5, 7, 9, 11}};
    // Chord roots, one scale degree per bar; phrase letter A uses the first, B the second.
    std::vector<std::array<int, 4>> progressions;
    // One letter per four-bar phrase; a lower-case letter is the phrase without its melody.
    std::string form;
    Instrument melody = Instrument::kBell;
    // The melody's range in scale degrees from the tonic.
    int melodyLowDegree = 7;
    int melodyHighDegree = 14;
    // 0 chooses long notes, 1 lively ones.
    double liveliness = 0.5;
    // Lowest MIDI pitch of each accompaniment part's one-octave window.
    int padLow = 53;
    int arpeggioLow = 60;
    int bassLow = 36;
    bool pad = false;
    bool arpeggio = false;
    bool comp = false;
    bool bass = true;
    bool kick = false;
    bool shaker = false;
    bool brushes = false;
};

class MusicComposer
{
public:
    static MusicStyle GetMenuStyle();
    static MusicStyle GetGame0Style();
    static MusicStyle GetGame1Style();

    static MusicScore Compose(const MusicStyle& style, std::uint32_t seed);
};

} // namespace Content
