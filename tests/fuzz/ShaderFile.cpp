// Reads arbitrary bytes as a shader file, as a model or particle system does.
#include <cstddef>
#include <cstdint>

#include "engine/core/Error.h"
#include "engine/file/FileBinary.h"
#include "engine/render/ShaderDescriptor.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > 0xFFFFFFFFu)
        return 0;
    OrrelayEngine::FileBinary file(nullptr, "models\\fuzz.srf", false, false, true, static_cast<std::uint32_t>(size),
                                   data);
    OrrelayEngine::ShaderDescriptor descriptor;
    try {
        descriptor.ReadFromFile(file, "models\\fuzz.srf");
    } catch (const OrrelayEngine::Error&) {
        // FileError for a damaged file, FatalError for a third stage: both are
        // what a caller catches.
    }
    // Whatever was read must animate without stalling.
    for (std::uint32_t i = 0; i < descriptor.GetStageCount(); ++i) {
        float position = 0.5f;
        descriptor.GetStage(i).UpdateAnimation(position, 0.25f);
    }
    return 0;
}
