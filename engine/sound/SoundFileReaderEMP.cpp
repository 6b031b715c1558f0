#include "engine/sound/SoundFileReaderEMP.h"

#include <algorithm>
#include <cstring>

namespace OrrelayEngine {

namespace {

constexpr std::uint32_t kSilentBytes = 8;
constexpr std::uint32_t kSilentRateHz = 22050;
constexpr std::uint8_t kSilence8Bit = 128;

} // namespace

SoundFileReaderEMP::SoundFileReaderEMP(MessageManager* log, const std::string& name) : SoundFileReader(log, name)
{
    totalBytes_ = kSilentBytes;
    channels_ = 1;
    bitsPerSample_ = 8;
    sampleRate_ = kSilentRateHz;
}

void SoundFileReaderEMP::Rewind()
{
    position_ = 0;
}

void SoundFileReaderEMP::Read(void* buffer, std::uint32_t bytes, std::uint32_t& bytesRead, bool& atEnd)
{
    if (bytes == 0) {
        bytesRead = 0;
        atEnd = true;
        return;
    }
    bytesRead = std::min(bytes, totalBytes_ - position_);
    std::memset(buffer, kSilence8Bit, bytesRead);
    position_ += bytesRead;
    atEnd = position_ >= totalBytes_;
}

} // namespace OrrelayEngine
