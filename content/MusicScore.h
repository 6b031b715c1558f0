// A piece of music as notes: tempo, bars and key, its sections in order, and
// every note with its start and length in beats, MIDI pitch, velocity and
// instrument. The composer writes it, the synthesiser plays it, and tests read
// it (every pitched note in the key's scale, the piece whole bars long, the
// sections distinct).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace Content {

enum class Instrument
{
    kPad,
    kPluck,
    kBell,
    kBass,
    kMarimba,
    kLead,
    kShaker,
    kKick,
    kBrush,
    kFlute,
    kKeys
};

struct MusicNote
{
    double startBeat = 0.0;
    double lengthBeats = 1.0;
    // MIDI numbering (60 is middle C); unused by the drums.
    int pitch = 60;
    double velocity = 0.8;
    Instrument instrument = Instrument::kPad;
    // A note of the tune (as against its accompaniment).
    bool tune = false;
};

// One stretch of the piece: its material (chords and tune) by letter, and how
// many times that material was heard before (0 the first time).
struct MusicSection
{
    char letter = 'A';
    int variation = 0;
    int startBar = 0;
    int bars = 0;
};

struct MusicScore
{
    double beatsPerMinute = 100.0;
    int beatsPerBar = 4;
    int bars = 0;
    // MIDI pitch of the key's first degree, and the seven degrees in semitones above it.
    int tonic = 60;
    std::array<int, 7> scale{{0, 2, 4, 5, 7, 9, 11}};
    std::vector<MusicSection> sections;
    std::vector<MusicNote> notes;

    double GetSecondsPerBeat() const { return 60.0 / beatsPerMinute; }
    double GetLengthBeats() const { return static_cast<double>(bars) * beatsPerBar; }
    double GetLengthSeconds() const { return GetLengthBeats() * GetSecondsPerBeat(); }
    // The MIDI pitch of a scale degree counted from the tonic (7 is the octave above, -1 the degree below).
    int GetDegreePitch(int degree) const;
    bool IsInScale(int pitch) const;
    static bool IsPitched(Instrument instrument);
};

} // namespace Content
