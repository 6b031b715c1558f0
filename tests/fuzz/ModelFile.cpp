// Reads arbitrary bytes as a model file, then plays its animation range the
// way the model would, checking that no frame outside the data is named.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "engine/core/FileError.h"
#include "engine/file/FileBinary.h"
#include "engine/scene/AnimationControl.h"
#include "engine/scene/ModelFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > 0xFFFFFFFFu)
        return 0;
    OrrelayEngine::FileBinary file(nullptr, "models\\fuzz.mlf", false, false, true, static_cast<std::uint32_t>(size),
                                   data);
    OrrelayEngine::ModelFile model;
    try {
        model.Read(file, "models\\fuzz.mlf", 0);
    } catch (const OrrelayEngine::FileError&) {
        return 0;
    }
    // What the reader accepted must hold together.
    for (std::uint32_t index : model.indices) {
        if (index >= model.vertexCount)
            std::abort();
    }
    for (const OrrelayEngine::ModelFile::SkinnedVertex& vertex : model.skinnedVertices) {
        for (std::uint32_t i = 0; i < vertex.influenceCount; ++i) {
            if (vertex.influences[i].bone >= model.bones.size())
                std::abort();
        }
    }
    OrrelayEngine::AnimationControl control(nullptr, nullptr, model.frameCount);
    control.loop = 1;
    control.speed = model.animationSpeed;
    control.Play();
    for (int step = 0; step < 8; ++step) {
        control.Advance(0.05f);
        if (control.currentFrame >= model.frameCount || control.nextFrame >= model.frameCount)
            std::abort();
    }
    return 0;
}
