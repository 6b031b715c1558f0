// A state-variable filter (the trapezoidal form, stable at every cutoff below
// the Nyquist frequency) giving low-, band- and high-pass outputs of one input.
// The cutoff may change every sample, for sweeps.
#pragma once

#include <algorithm>
#include <cmath>

namespace Content {

class StateVariableFilter
{
public:
    struct Output
    {
        double low;
        double band;
        double high;
    };

    Output Process(double input, double cutoffHz, double q, double sampleRate)
    {
        if (cutoffHz != cutoffHz_ || q != q_ || sampleRate != sampleRate_) {
            // The coefficients only when the settings move: a held filter costs no tangent a sample.
            cutoffHz_ = cutoffHz;
            q_ = q;
            sampleRate_ = sampleRate;
            const double limited = std::clamp(cutoffHz, 10.0, sampleRate * 0.45);
            const double g = std::tan(3.141592653589793 * limited / sampleRate);
            k_ = 1.0 / q;
            a1_ = 1.0 / (1.0 + g * (g + k_));
            a2_ = g * a1_;
            a3_ = g * a2_;
        }
        const double k = k_;
        const double a1 = a1_;
        const double a2 = a2_;
        const double a3 = a3_;
        const double v3 = input - state2_;
        const double v1 = a1 * state1_ + a2 * v3;
        const double v2 = state2_ + a2 * state1_ + a3 * v3;
        state1_ = 2.0 * v1 - state1_;
        state2_ = 2.0 * v2 - state2_;
        return Output{v2, v1, input - k * v1 - v2};
    }

private:
    double state1_ = 0.0;
    double state2_ = 0.0;
    double cutoffHz_ = -1.0;
    double q_ = 0.0;
    double sampleRate_ = 0.0;
    double k_ = 0.0;
    double a1_ = 0.0;
    double a2_ = 0.0;
    double a3_ = 0.0;
};

} // namespace Content
