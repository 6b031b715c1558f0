#include "content/WavWriter.h"

#include "content/PackWriter.h"

namespace Content {

namespace {

void PutUInt16(std::vector<std::uint8_t>& out, std::uint16_t value)
{
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void PutUInt32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>((value >> shift) & 0xFF));
    }
}

void PutId(std::vector<std::uint8_t>& out, const std::string& id)
{
    for (std::size_t i = 0; i < 4; ++i) {
        out.push_back(static_cast<std::uint8_t>(i < id.size() ? id[i] : ' '));
    }
}

void PutChunk(std::vector<std::uint8_t>& out, const std::string& id, const std::vector<std::uint8_t>& bytes,
              std::uint32_t declaredBytes)
{
    PutId(out, id);
    PutUInt32(out, declaredBytes);
    out.insert(out.end(), bytes.begin(), bytes.end());
    if (bytes.size() % 2 != 0) {
        out.push_back(0);
    }
}

} // namespace

WavWriter::WavWriter(std::uint16_t channels, std::uint32_t samplesPerSecond, std::uint16_t bitsPerSample)
    : channels_(channels), samplesPerSecond_(samplesPerSecond), bitsPerSample_(bitsPerSample)
{}

void WavWriter::SetDeclaredDataBytes(std::uint32_t bytes)
{
    declaredDataBytesSet_ = true;
    declaredDataBytes_ = bytes;
}

void WavWriter::AddChunkBeforeFormat(const std::string& id, const std::vector<std::uint8_t>& bytes)
{
    beforeFormat_.push_back({id, bytes});
}

void WavWriter::AddChunkBeforeData(const std::string& id, const std::vector<std::uint8_t>& bytes)
{
    beforeData_.push_back({id, bytes});
}

std::vector<std::uint8_t> WavWriter::Build(const std::vector<std::uint8_t>& pcm) const
{
    std::vector<std::uint8_t> body;
    PutId(body, "WAVE");
    for (const Chunk& chunk : beforeFormat_) {
        PutChunk(body, chunk.id, chunk.bytes, static_cast<std::uint32_t>(chunk.bytes.size()));
    }
    const std::uint16_t blockAlign = static_cast<std::uint16_t>(channels_ * bitsPerSample_ / 8);
    std::vector<std::uint8_t> format;
    PutUInt16(format, formatTag_);
    PutUInt16(format, channels_);
    PutUInt32(format, samplesPerSecond_);
    PutUInt32(format, samplesPerSecond_ * blockAlign);
    PutUInt16(format, blockAlign);
    PutUInt16(format, bitsPerSample_);
    PutChunk(body, "fmt ", format, static_cast<std::uint32_t>(format.size()));
    for (const Chunk& chunk : beforeData_) {
        PutChunk(body, chunk.id, chunk.bytes, static_cast<std::uint32_t>(chunk.bytes.size()));
    }
    PutChunk(body, "data", pcm, declaredDataBytesSet_ ? declaredDataBytes_ : static_cast<std::uint32_t>(pcm.size()));

    std::vector<std::uint8_t> file;
    PutId(file, "RIFF");
    PutUInt32(file, static_cast<std::uint32_t>(body.size()));
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

void WavWriter::Write(const std::string& path, const std::vector<std::uint8_t>& pcm) const
{
    PackWriter::SaveBytes(path, Build(pcm));
}

} // namespace Content
