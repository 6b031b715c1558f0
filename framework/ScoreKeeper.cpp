#include "framework/ScoreKeeper.h"

namespace GameFramework {

ScoreKeeper::ScoreKeeper(std::uint32_t initialScore) : score_(initialScore)
{}

ScoreKeeper::~ScoreKeeper() = default;

void ScoreKeeper::AddPointValue(std::uint32_t kind, std::uint32_t points)
{
    points_.emplace(kind, points);
}

std::uint32_t ScoreKeeper::GetPoints(std::uint32_t kind) const
{
    const auto found = points_.find(kind);
    return found == points_.end() ? 0 : found->second * multiplier_;
}

void ScoreKeeper::AddScore(std::uint32_t value)
{
    score_ += value;
}

} // namespace GameFramework
