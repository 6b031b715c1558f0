#include "content/Reverb.h"

#include <cstddef>

namespace Content {

namespace {

// Delays in samples at 44100 Hz, mutually prime so that the echoes do not line up.
constexpr int kCombDelays[] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
constexpr int kAllPassDelays[] = {556, 441, 341, 225};
constexpr int kStereoSpread = 23;
constexpr double kAllPassFeedback = 0.5;
// Keeps eight combs in parallel from overloading.
constexpr double kInputGain = 0.03;

} // namespace

Reverb::Reverb(double sampleRate, double roomSize, double damping)
    : feedback_(0.7 + 0.28 * roomSize), damping_(damping * 0.4)
{
    const double scale = sampleRate / 44100.0;
    for (int channel = 0; channel < 2; ++channel) {
        for (int delay : kCombDelays) {
            Comb comb;
            comb.buffer.assign(static_cast<std::size_t>((delay + channel * kStereoSpread) * scale), 0.0);
            combs_[channel].push_back(comb);
        }
        for (int delay : kAllPassDelays) {
            AllPass allPass;
            allPass.buffer.assign(static_cast<std::size_t>((delay + channel * kStereoSpread) * scale), 0.0);
            allPasses_[channel].push_back(allPass);
        }
    }
}

void Reverb::Process(const std::vector<double>& send, double wet, std::vector<double>& left, std::vector<double>& right)
{
    std::vector<double>* outputs[2] = {&left, &right};
    for (std::size_t i = 0; i < send.size(); ++i) {
        const double input = send[i] * kInputGain;
        for (int channel = 0; channel < 2; ++channel) {
            double sum = 0.0;
            for (Comb& comb : combs_[channel]) {
                const double delayed = comb.buffer[comb.index];
                comb.store = delayed * (1.0 - damping_) + comb.store * damping_;
                comb.buffer[comb.index] = input + comb.store * feedback_;
                comb.index = comb.index + 1 == comb.buffer.size() ? 0 : comb.index + 1;
                sum += delayed;
            }
            for (AllPass& allPass : allPasses_[channel]) {
                const double delayed = allPass.buffer[allPass.index];
                allPass.buffer[allPass.index] = sum + delayed * kAllPassFeedback;
                allPass.index = allPass.index + 1 == allPass.buffer.size() ? 0 : allPass.index + 1;
                sum = delayed - sum;
            }
            (*outputs[channel])[i] += sum * wet;
        }
    }
}

} // namespace Content
