// Compares two ways of drawing the same frame. Their frames alternate and the
// medians are compared, so that the load of a shared machine falls on both alike.
#pragma once

#include <algorithm>
#include <chrono>
#include <utility>
#include <vector>

namespace Bench {

struct FrameMedians
{
    double oursSeconds = 0.0;
    double rawSeconds = 0.0;
};

template <typename Work>
double SecondsOf(Work&& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
    return spent.count();
}

inline double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

// One untimed frame of each first: a new state combination compiles the
// rasteriser's code for it.
template <typename Ours, typename Raw>
FrameMedians CompareAlternatingFrames(Ours&& ours, Raw&& raw, int frames)
{
    ours();
    raw();
    std::vector<double> oursTimes;
    std::vector<double> rawTimes;
    for (int frame = 0; frame < frames; ++frame) {
        oursTimes.push_back(SecondsOf(ours));
        rawTimes.push_back(SecondsOf(raw));
    }
    return {Median(std::move(oursTimes)), Median(std::move(rawTimes))};
}

} // namespace Bench
