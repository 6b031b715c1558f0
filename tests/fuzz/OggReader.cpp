// Feeds arbitrary bytes to the Ogg Vorbis reader as a file.
#include <cstddef>
#include <cstdint>

#include "SoundReaderFuzz.h"
#include "engine/sound/SoundFileReaderOGG.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using OrrelayEngine::SoundFileReaderOGG;
    return FuzzTargets::FuzzSoundReader<SoundFileReaderOGG>(
        data, size, "input.ogg",
        [](const SoundFileReaderOGG& reader) {
            return reader.GetChannels() >= 1 && reader.GetChannels() <= 2 && reader.GetBitsPerSample() == 16;
        },
        false);
}
