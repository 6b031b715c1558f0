// Writes particle-system files (".psf", magic "OEPSF") from the record the
// engine reads them into: version 204, or 203 without the speed-spread keys.
// The size field can be made wrong on purpose for tests.
#pragma once

#include <cstdint>

#include "content/ByteBuffer.h"
#include "engine/scene/ParticleFile.h"

namespace Content {

class ParticleFileWriter
{
public:
    static constexpr std::size_t kSizeOffset = 0;
    static constexpr std::size_t kVersionOffset = 9;
    static constexpr std::size_t kMaxParticlesOffset = 13;
    static constexpr std::size_t kDurationOffset = 17;

    void SetSizeFieldError(std::int32_t error) { sizeFieldError_ = error; }

    ByteBuffer Build(const OrrelayEngine::ParticleFile& system) const;

    // A plain fountain: 50 particles, a one-second cycle, smooth emission of
    // 10 a second, one-second lives, upward directions with spread, white
    // fading out.
    static OrrelayEngine::ParticleFile MakeFountain();

private:
    std::int32_t sizeFieldError_ = 0;
};

} // namespace Content
