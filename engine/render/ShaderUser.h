// What a textured object holds: its own copy of a shader descriptor (whose
// stages' frame and texture transform the animation rewrites) with a frame
// position per stage, and the Shader it shares with every user of an equal
// descriptor. Made, shared and deleted only by the ShaderManager.
//
// An owner shows a chosen frame by writing it into SetFramePosition(0, ...)
// before the frame's shader update; at speed 0 the position stays there.
#pragma once

#include <cstdint>

#include "engine/render/ShaderDescriptor.h"

namespace OrrelayEngine {

class MessageManager;
class Shader;
class TimerManager;

class ShaderUser : public ShaderDescriptor
{
public:
    // Joins the shader's users; a stage that starts at random gets a position
    // in [0, frame count). The log is taken for the creator's sake.
    ShaderUser(MessageManager* log, TimerManager* timerManager, Shader* shader, const ShaderDescriptor& descriptor);
    // Leaves the shader's users; the last one deletes the shader.
    ~ShaderUser() override;

    ShaderUser(const ShaderUser&) = delete;
    ShaderUser& operator=(const ShaderUser&) = delete;

    // The per-frame animation over the timer manager's frame time.
    void Update();
    void Update(float frameTimeSeconds);
    void Apply() const;

    Shader* GetShader() const { return shader_; }
    float GetFramePosition(std::uint32_t stage) const;
    void SetFramePosition(std::uint32_t stage, float frame);

private:
    TimerManager* timerManager_;
    Shader* shader_;
    float framePosition_[kMaxStages] = {0.0f, 0.0f};
};

} // namespace OrrelayEngine
