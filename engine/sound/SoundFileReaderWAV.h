// Reads RIFF WAVE files of 8- or 16-bit PCM, mono or stereo. Chunks are
// walked from the start of the RIFF body; unknown chunks are skipped with
// their pad byte, and a data chunk that claims more than the file holds is
// cut to what is there.
#pragma once

#include "engine/sound/SoundFileReader.h"

namespace OrrelayEngine {

class SoundFileReaderWAV : public SoundFileReader
{
public:
    // Throws FileError when the file is not a WAV file this game can play.
    SoundFileReaderWAV(MessageManager* log, FileManager* files, const std::string& name);

    void Rewind() override;
    void Read(void* buffer, std::uint32_t bytes, std::uint32_t& bytesRead, bool& atEnd) override;

private:
    std::string MakeError(const char* what) const;
    // Leaves the file at the chunk's body; false when no such chunk lies wholly
    // before the end of the file.
    bool FindChunk(const char* id, std::uint32_t& chunkBytes, std::uint64_t& afterChunk, std::uint64_t from);

    std::uint32_t dataStart_ = 0;
    std::uint32_t bytesLeft_ = 0;
};

} // namespace OrrelayEngine
