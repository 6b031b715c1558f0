// Feeds arbitrary bytes to the WAV reader as a file.
#include <cstddef>
#include <cstdint>

#include "SoundReaderFuzz.h"
#include "engine/sound/SoundFileReaderWAV.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using OrrelayEngine::SoundFileReaderWAV;
    return FuzzTargets::FuzzSoundReader<SoundFileReaderWAV>(
        data, size, "input.wav",
        [](const SoundFileReaderWAV& reader) {
            return reader.GetChannels() >= 1 && reader.GetChannels() <= 2 &&
                   (reader.GetBitsPerSample() == 8 || reader.GetBitsPerSample() == 16);
        },
        true);
}
