// The silent placeholder: eight bytes of 8-bit mono silence at 22050 Hz, used
// wherever a sound file cannot be used so that the game plays on.
#pragma once

#include "engine/sound/SoundFileReader.h"

namespace OrrelayEngine {

class SoundFileReaderEMP : public SoundFileReader
{
public:
    SoundFileReaderEMP(MessageManager* log, const std::string& name);

    void Rewind() override;
    void Read(void* buffer, std::uint32_t bytes, std::uint32_t& bytesRead, bool& atEnd) override;

private:
    std::uint32_t position_ = 0;
};

} // namespace OrrelayEngine
