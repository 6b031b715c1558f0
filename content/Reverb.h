// A plate-like stereo reverb after the Schroeder-Moorer design: eight damped
// comb filters in parallel and four all-pass filters in series per channel,
// the right channel's delays a little longer for width. Purely arithmetic, so
// the same input always gives the same output.
#pragma once

#include <vector>

namespace Content {

class Reverb
{
public:
    // roomSize 0..1 sets the decay; damping 0..1 dulls the tail.
    Reverb(double sampleRate, double roomSize, double damping);

    // Adds the reverberated input (mono send) into left and right, scaled by wet.
    void Process(const std::vector<double>& send, double wet, std::vector<double>& left, std::vector<double>& right);

private:
    struct Comb
    {
        std::vector<double> buffer;
        std::size_t index = 0;
        double store = 0.0;
    };
    struct AllPass
    {
        std::vector<double> buffer;
        std::size_t index = 0;
    };

    double feedback_;
    double damping_;
    std::vector<Comb> combs_[2];
    std::vector<AllPass> allPasses_[2];
};

} // namespace Content
