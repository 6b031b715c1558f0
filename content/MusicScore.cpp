#include "content/MusicScore.h"

namespace Content {

int MusicScore::GetDegreePitch(int degree) const
{
    const int octave = degree >= 0 ? degree / 7 : -((-degree + 6) / 7);
    return tonic + 12 * octave + scale[static_cast<std::size_t>(degree - 7 * octave)];
}

bool MusicScore::IsInScale(int pitch) const
{
    const int interval = ((pitch - tonic) % 12 + 12) % 12;
    for (int step : scale) {
        if (step == interval) {
            return true;
        }
    }
    return false;
}

bool MusicScore::IsPitched(Instrument instrument)
{
    return instrument != Instrument::kShaker && instrument != Instrument::kKick && instrument != Instrument::kBrush;
}

} // namespace Content
