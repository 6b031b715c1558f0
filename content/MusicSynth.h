// Plays a MusicScore into 16-bit stereo at 22050 Hz: one small voice per
// instrument (pad, pluck, bell, round bass, marimba, filtered lead, shaker,
// soft kick, brushes, flute, electric piano), a stereo reverb, then the tail
// that rings past the end folded back onto the start so that the piece loops
// without a seam, and the level set to an RMS of about -20 dBFS with peaks no
// higher than -4 dBFS (leaving room for the encoder's overshoot below -3 dBFS).
//
// The result depends only on the score and the seed of the noise.
#pragma once

#include <cstdint>
#include <vector>

#include "content/MusicScore.h"

namespace Content {

class MusicSynth
{
public:
    static constexpr std::uint32_t kSampleRate = 22050;
    static constexpr double kTargetRmsDbfs = -20.0;
    static constexpr double kPeakLimitDbfs = -4.0;

    // Whole bars: the frame nearest to the score's length in seconds.
    static std::uint32_t GetLoopFrames(const MusicScore& score);
    // Interleaved left, right; GetLoopFrames frames.
    static std::vector<std::int16_t> Render(const MusicScore& score, std::uint32_t seed);
};

} // namespace Content
