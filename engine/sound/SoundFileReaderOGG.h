// Decodes Ogg Vorbis files to 16-bit signed little-endian PCM with vorbisfile,
// reading through the engine's file object (so files inside pack files play).
// Only mono and stereo streams whose decoded size fits in 32 bits are taken.
#pragma once

#include <memory>

#include "engine/sound/SoundFileReader.h"

struct OggVorbis_File;

namespace OrrelayEngine {

class SoundFileReaderOGG : public SoundFileReader
{
public:
    // Throws FileError "... - incorrect format" for anything vorbisfile cannot
    // open or this game cannot play.
    SoundFileReaderOGG(MessageManager* log, FileManager* files, const std::string& name);
    ~SoundFileReaderOGG() override;

    void Rewind() override;
    void Read(void* buffer, std::uint32_t bytes, std::uint32_t& bytesRead, bool& atEnd) override;

private:
    std::unique_ptr<OggVorbis_File> decoder_;
    bool opened_ = false;
    // Set by a decoding error that is not a hole; the stream then reads as ended
    // until it is rewound.
    bool failed_ = false;
};

} // namespace OrrelayEngine
