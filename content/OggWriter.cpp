#include "content/OggWriter.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cstdlib>

#include "content/PackWriter.h"
#include "engine/core/Error.h"

namespace Content {

namespace {

// Frames handed to the analyser at a time.
constexpr std::size_t kBlockFrames = 4096;
// A fixed serial number keeps the output the same from run to run.
constexpr int kStreamSerial = 0x51554C4C;

void AppendPage(std::vector<std::uint8_t>& out, const ogg_page& page)
{
    out.insert(out.end(), page.header, page.header + page.header_len);
    out.insert(out.end(), page.body, page.body + page.body_len);
}

} // namespace

std::vector<std::uint8_t> OggWriter::Encode(const std::vector<std::int16_t>& samples, std::uint32_t channels,
                                            std::uint32_t samplesPerSecond, float quality)
{
    if (channels == 0) {
        throw OrrelayEngine::Error("Ogg Vorbis encoder: no channels");
    }
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, static_cast<long>(channels), static_cast<long>(samplesPerSecond), quality) != 0) {
        vorbis_info_clear(&info);
        throw OrrelayEngine::Error("Ogg Vorbis encoder: format not supported");
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, kStreamSerial);

    std::vector<std::uint8_t> out;
    ogg_packet header;
    ogg_packet commentHeader;
    ogg_packet codeHeader;
    vorbis_analysis_headerout(&dsp, &comment, &header, &commentHeader, &codeHeader);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &commentHeader);
    ogg_stream_packetin(&stream, &codeHeader);
    ogg_page page;
    // The headers end on a page of their own, as players expect.
    while (ogg_stream_flush(&stream, &page) != 0) {
        AppendPage(out, page);
    }

    const std::size_t frames = samples.size() / channels;
    std::size_t done = 0;
    bool ended = false;
    while (!ended) {
        const std::size_t count = std::min(kBlockFrames, frames - done);
        if (count == 0) {
            vorbis_analysis_wrote(&dsp, 0);
        } else {
            float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(count));
            for (std::size_t i = 0; i < count; ++i) {
                for (std::uint32_t c = 0; c < channels; ++c) {
                    buffer[c][i] = static_cast<float>(samples[(done + i) * channels + c]) / 32768.0f;
                }
            }
            vorbis_analysis_wrote(&dsp, static_cast<int>(count));
            done += count;
        }
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet) != 0) {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page) != 0) {
                    AppendPage(out, page);
                    if (ogg_page_eos(&page) != 0) {
                        ended = true;
                    }
                }
            }
        }
        if (count == 0 && !ended) {
            while (ogg_stream_flush(&stream, &page) != 0) {
                AppendPage(out, page);
            }
            ended = true;
        }
    }

    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return out;
}

void OggWriter::Write(const std::string& path, const std::vector<std::int16_t>& samples, std::uint32_t channels,
                      std::uint32_t samplesPerSecond, float quality)
{
    PackWriter::SaveBytes(path, Encode(samples, channels, samplesPerSecond, quality));
}

} // namespace Content
