// The score of one level and the points each kind of scoring event is worth.
#pragma once

#include <cstdint>
#include <map>

namespace GameFramework {

class ScoreKeeper
{
public:
    explicit ScoreKeeper(std::uint32_t initialScore);
    virtual ~ScoreKeeper();

    // The first registration of a kind wins; later ones are ignored.
    void AddPointValue(std::uint32_t kind, std::uint32_t points);
    // Points of the kind times the multiplier; 0 for a kind never registered.
    std::uint32_t GetPoints(std::uint32_t kind) const;
    // Wraps around like the unsigned counter it is.
    void AddScore(std::uint32_t value);

    std::uint32_t GetScore() const { return score_; }
    void SetScore(std::uint32_t score) { score_ = score; }
    std::uint32_t GetMultiplier() const { return multiplier_; }
    // For tests: the game keeps the multiplier at 1.
    void SetMultiplier(std::uint32_t multiplier) { multiplier_ = multiplier; }

private:
    std::map<std::uint32_t, std::uint32_t> points_;
    std::uint32_t multiplier_ = 1;
    std::uint32_t score_ = 0;
};

} // namespace GameFramework
