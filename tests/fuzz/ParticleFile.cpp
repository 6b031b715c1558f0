// Reads arbitrary bytes as a particle-system file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "engine/core/FileError.h"
#include "engine/file/FileBinary.h"
#include "engine/scene/ParticleFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > 0xFFFFFFFFu)
        return 0;
    OrrelayEngine::FileBinary file(nullptr, "particles\\fuzz.psf", false, false, true, static_cast<std::uint32_t>(size),
                                   data);
    OrrelayEngine::ParticleFile system;
    try {
        system.Read(file, "particles\\fuzz.psf");
    } catch (const OrrelayEngine::FileError&) {
        return 0;
    }
    if (system.maxParticles > OrrelayEngine::ParticleFile::kMaxParticles)
        std::abort();
    return 0;
}
