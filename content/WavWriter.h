// Writes RIFF WAVE files: a "fmt " chunk and a "data" chunk, with any other
// chunks placed before either, each odd-sized chunk followed by its pad byte.
// The fields can be set to values no good file has (a 24-bit format, a data
// size larger than the data), so tests can build the files readers must refuse.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Content {

class WavWriter
{
public:
    WavWriter(std::uint16_t channels, std::uint32_t samplesPerSecond, std::uint16_t bitsPerSample);

    void SetFormatTag(std::uint16_t tag) { formatTag_ = tag; }
    // The size written in the data chunk's header instead of the real one.
    void SetDeclaredDataBytes(std::uint32_t bytes);
    void AddChunkBeforeFormat(const std::string& id, const std::vector<std::uint8_t>& bytes);
    void AddChunkBeforeData(const std::string& id, const std::vector<std::uint8_t>& bytes);

    std::vector<std::uint8_t> Build(const std::vector<std::uint8_t>& pcm) const;
    // path is a native path. Throws OrrelayEngine::FileError when it cannot be written.
    void Write(const std::string& path, const std::vector<std::uint8_t>& pcm) const;

private:
    struct Chunk
    {
        std::string id;
        std::vector<std::uint8_t> bytes;
    };

    std::uint16_t formatTag_ = 1;
    std::uint16_t channels_;
    std::uint32_t samplesPerSecond_;
    std::uint16_t bitsPerSample_;
    bool declaredDataBytesSet_ = false;
    std::uint32_t declaredDataBytes_ = 0;
    std::vector<Chunk> beforeFormat_;
    std::vector<Chunk> beforeData_;
};

} // namespace Content
