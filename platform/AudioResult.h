// Result codes of the audio services. They carry the numbers of the sound
// codes the engine's result-text table knows, so that the engine's error paths
// and log texts stay meaningful over our own mixer. 0 is success.
#pragma once

#include <cstdint>

namespace Platform {

using AudioResult = std::int32_t;

constexpr AudioResult kAudioOk = 0;
constexpr AudioResult kAudioErrAccessDenied = static_cast<AudioResult>(0x80070005u);
constexpr AudioResult kAudioErrAllocated = static_cast<AudioResult>(0x8878000Au);
constexpr AudioResult kAudioErrBadFormat = static_cast<AudioResult>(0x88780064u);
constexpr AudioResult kAudioErrBufferLost = static_cast<AudioResult>(0x88780096u);
constexpr AudioResult kAudioErrControlUnavailable = static_cast<AudioResult>(0x8878001Eu);
constexpr AudioResult kAudioErrGeneric = static_cast<AudioResult>(0x80004005u);
constexpr AudioResult kAudioErrInvalidCall = static_cast<AudioResult>(0x88780032u);
constexpr AudioResult kAudioErrInvalidParam = static_cast<AudioResult>(0x80070057u);
constexpr AudioResult kAudioErrNoDriver = static_cast<AudioResult>(0x88780078u);
constexpr AudioResult kAudioErrNoInterface = static_cast<AudioResult>(0x80004002u);
constexpr AudioResult kAudioErrOutOfMemory = static_cast<AudioResult>(0x8007000Eu);
constexpr AudioResult kAudioErrPriorityLevelNeeded = static_cast<AudioResult>(0x88780046u);
constexpr AudioResult kAudioErrUnsupported = static_cast<AudioResult>(0x80004001u);

inline bool AudioFailed(AudioResult result)
{
    return result < 0;
}

} // namespace Platform
