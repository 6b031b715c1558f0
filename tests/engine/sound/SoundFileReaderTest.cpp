#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "SoundTestFixture.h"
#include "content/OggWriter.h"
#include "content/ToneSynth.h"
#include "content/WavWriter.h"
#include "engine/core/FileError.h"
#include "engine/sound/SoundFileReaderEMP.h"
#include "engine/sound/SoundFileReaderOGG.h"
#include "engine/sound/SoundFileReaderWAV.h"

namespace SoundTests {
namespace {

using OrrelayEngine::FileError;
using OrrelayEngine::SoundFileReader;
using OrrelayEngine::SoundFileReaderEMP;
using OrrelayEngine::SoundFileReaderOGG;
using OrrelayEngine::SoundFileReaderWAV;

std::vector<std::uint8_t> ReadAll(SoundFileReader& reader, std::uint32_t step = 1000)
{
    std::vector<std::uint8_t> all;
    std::vector<std::uint8_t> part(step);
    bool atEnd = false;
    for (int guard = 0; !atEnd && guard < 100000; ++guard) {
        std::uint32_t got = 0;
        reader.Read(part.data(), step, got, atEnd);
        all.insert(all.end(), part.begin(), part.begin() + got);
    }
    return all;
}

std::string FailureOf(const std::function<void()>& open)
{
    try {
        open();
    } catch (const FileError& error) {
        return error.GetMessage();
    }
    return "";
}

class SoundFileReaderTest : public SoundTest
{};

TEST_F(SoundFileReaderTest, WavSkipsOddAndUnknownChunks)
{
    const std::vector<std::uint8_t> pcm{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    Content::WavWriter writer(2, 11025, 8);
    writer.AddChunkBeforeFormat("LIST", {'a', 'b', 'c'});
    writer.AddChunkBeforeData("junk", {'x'});
    writer.AddChunkBeforeData("fact", {0, 0, 0, 0});
    const std::string path = WriteFile("chunks.wav", writer.Build(pcm));
    SoundFileReaderWAV reader(log_.get(), files_.get(), path);
    EXPECT_EQ(reader.GetChannels(), 2u);
    EXPECT_EQ(reader.GetSampleRate(), 11025u);
    EXPECT_EQ(reader.GetBitsPerSample(), 8u);
    EXPECT_EQ(reader.GetTotalBytes(), 10u);
    EXPECT_EQ(ReadAll(reader, 3), pcm);
    reader.Rewind();
    EXPECT_EQ(ReadAll(reader, 7), pcm);
    std::uint8_t byte = 0;
    std::uint32_t got = 5;
    bool atEnd = false;
    reader.Read(&byte, 0, got, atEnd);
    EXPECT_EQ(got, 0u);
    EXPECT_TRUE(atEnd);
}

TEST_F(SoundFileReaderTest, WavRefusesWhatItCannotPlay)
{
    const std::vector<std::uint8_t> pcm(12, 0);
    struct Case
    {
        const char* name;
        std::vector<std::uint8_t> bytes;
        const char* failure;
    };
    Content::WavWriter deep(1, 22050, 24);
    Content::WavWriter wide(4, 22050, 16);
    Content::WavWriter compressed(1, 22050, 16);
    compressed.SetFormatTag(2);
    Content::WavWriter silentChannels(0, 22050, 16);
    std::vector<std::uint8_t> noData = Content::WavWriter(1, 22050, 16).Build(pcm);
    noData.resize(noData.size() - pcm.size() - 8);
    std::vector<std::uint8_t> noRiff = Content::WavWriter(1, 22050, 16).Build(pcm);
    noRiff[0] = 'X';
    std::vector<std::uint8_t> zeroRiff = Content::WavWriter(1, 22050, 16).Build(pcm);
    zeroRiff[4] = zeroRiff[5] = zeroRiff[6] = zeroRiff[7] = 0;
    const std::vector<std::uint8_t> ogg =
        Content::OggWriter::Encode(Content::ToneSynth::Sine(440.0f, 11025, 2000, 1, 0.5f), 1, 11025);
    const Case cases[] = {
        {"deep.wav", deep.Build(pcm), "no format chunk"},
        {"wide.wav", wide.Build(pcm), "no format chunk"},
        {"compressed.wav", compressed.Build(pcm), "no format chunk"},
        {"nochannels.wav", silentChannels.Build(pcm), "no format chunk"},
        {"nodata.wav", noData, "no data chunk"},
        {"noriff.wav", noRiff, "no RIFF header"},
        {"zeroriff.wav", zeroRiff, "no RIFF header"},
        {"short.wav", {'R', 'I', 'F'}, "no RIFF header"},
        {"ogg.wav", ogg, "no RIFF header"},
    };
    for (const Case& c : cases) {
        const std::string path = WriteFile(c.name, c.bytes);
        const std::string failure = FailureOf([&] { SoundFileReaderWAV reader(log_.get(), files_.get(), path); });
        EXPECT_EQ(failure, "Failed to load \"" + path + "\" sound file - " + c.failure) << c.name;
    }
    EXPECT_FALSE(FailureOf([&] { SoundFileReaderWAV reader(log_.get(), files_.get(), "/no/such/file.wav"); }).empty());
}

TEST_F(SoundFileReaderTest, WavDataLongerThanTheFileIsCut)
{
    const std::vector<std::uint8_t> pcm{10, 0, 20, 0, 30, 0, 40};
    Content::WavWriter writer(1, 22050, 16);
    writer.SetDeclaredDataBytes(100000);
    const std::string path = WriteFile("truncated.wav", writer.Build(pcm));
    SoundFileReaderWAV reader(log_.get(), files_.get(), path);
    // Seven bytes are there, plus the pad byte; whole frames only.
    EXPECT_EQ(reader.GetTotalBytes(), 8u);
    std::vector<std::uint8_t> buffer(64);
    std::uint32_t got = 0;
    bool atEnd = false;
    reader.Read(buffer.data(), 64, got, atEnd);
    EXPECT_EQ(got, 8u);
    EXPECT_TRUE(atEnd);
}

TEST_F(SoundFileReaderTest, OggReportsTotalsAndRewinds)
{
    const auto tone = Content::ToneSynth::Sine(300.0f, 22050, 30000, 2, 0.6f);
    const std::string path = WriteFile("tone.ogg", Content::OggWriter::Encode(tone, 2, 22050));
    SoundFileReaderOGG reader(log_.get(), files_.get(), path);
    EXPECT_EQ(reader.GetChannels(), 2u);
    EXPECT_EQ(reader.GetSampleRate(), 22050u);
    EXPECT_EQ(reader.GetBitsPerSample(), 16u);
    EXPECT_EQ(reader.GetTotalBytes(), 30000u * 2 * 2);
    const auto first = ReadAll(reader, 4096);
    EXPECT_EQ(first.size(), reader.GetTotalBytes());
    reader.Rewind();
    const auto second = ReadAll(reader, 777);
    EXPECT_EQ(first, second);
    // The decoded tone is close to what was encoded.
    long long error = 0;
    for (std::size_t i = 2000; i < 2100; ++i) {
        const auto sample = static_cast<std::int16_t>(first[i * 2] | (first[i * 2 + 1] << 8));
        error += std::abs(sample - tone[i]);
    }
    EXPECT_LT(error / 100, 1500);
}

TEST_F(SoundFileReaderTest, OggRefusesBrokenFiles)
{
    const auto good = Content::OggWriter::Encode(Content::ToneSynth::Sine(440.0f, 11025, 5000, 1, 0.5f), 1, 11025);
    std::vector<std::uint8_t> headless(good.begin() + 200, good.end());
    // Four channels decode well enough but are not a format this game plays.
    const auto quad = Content::OggWriter::Encode(Content::ToneSynth::Sine(440.0f, 11025, 3000, 4, 0.5f), 4, 11025);
    const std::vector<std::vector<std::uint8_t>> files{
        {}, {'O', 'g', 'g', 'S'}, headless, std::vector<std::uint8_t>(good.begin(), good.begin() + 60), quad};
    int index = 0;
    for (const auto& bytes : files) {
        const std::string path = WriteFile("broken" + std::to_string(index++) + ".ogg", bytes);
        EXPECT_EQ(FailureOf([&] { SoundFileReaderOGG reader(log_.get(), files_.get(), path); }),
                  "Failed to load \"" + path + "\" sound file - incorrect format")
            << index;
    }
}

TEST_F(SoundFileReaderTest, OggWithDamagedPagesEndsInsteadOfLooping)
{
    const auto good =
        Content::OggWriter::Encode(Content::ToneSynth::Sine(440.0f, 22050, 200000, 1, 0.5f), 1, 22050, 0.6f);
    std::vector<std::size_t> pages;
    for (std::size_t i = 0; i + 4 <= good.size(); ++i) {
        if (good[i] == 'O' && good[i + 1] == 'g' && good[i + 2] == 'g' && good[i + 3] == 'S') {
            pages.push_back(i);
        }
    }
    ASSERT_GE(pages.size(), 5u);
    // A page taken out leaves a hole; flipped bytes break a page's checksum.
    std::vector<std::uint8_t> holed(good.begin(), good.begin() + pages[3]);
    holed.insert(holed.end(), good.begin() + pages[4], good.end());
    std::vector<std::uint8_t> flipped = good;
    for (std::size_t i = pages[3] + 30; i < pages[4]; ++i) {
        flipped[i] ^= 0x5A;
    }
    int index = 0;
    for (const auto& bytes : {holed, flipped}) {
        const std::string path = WriteFile("damaged" + std::to_string(index++) + ".ogg", bytes);
        SoundFileReaderOGG reader(log_.get(), files_.get(), path);
        std::vector<std::uint8_t> part(4096);
        std::size_t total = 0;
        bool atEnd = false;
        int calls = 0;
        for (; !atEnd && calls < 10000; ++calls) {
            std::uint32_t got = 0;
            reader.Read(part.data(), 4096, got, atEnd);
            total += got;
        }
        EXPECT_TRUE(atEnd) << index;
        EXPECT_GT(total, 0u) << index;
        EXPECT_LE(total, reader.GetTotalBytes()) << index;
    }
}

TEST_F(SoundFileReaderTest, SilentReaderGivesEightBytesOfSilence)
{
    SoundFileReaderEMP reader(log_.get(), "anything.mp3");
    EXPECT_EQ(reader.GetTotalBytes(), 8u);
    EXPECT_EQ(reader.GetChannels(), 1u);
    EXPECT_EQ(reader.GetBitsPerSample(), 8u);
    EXPECT_EQ(reader.GetSampleRate(), 22050u);
    std::uint8_t buffer[16] = {};
    std::uint32_t got = 0;
    bool atEnd = false;
    reader.Read(buffer, 5, got, atEnd);
    EXPECT_EQ(got, 5u);
    EXPECT_FALSE(atEnd);
    reader.Read(buffer + 5, 11, got, atEnd);
    EXPECT_EQ(got, 3u);
    EXPECT_TRUE(atEnd);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(buffer[i], 128) << i;
    }
    reader.Rewind();
    reader.Read(buffer, 16, got, atEnd);
    EXPECT_EQ(got, 8u);
}

} // namespace
} // namespace SoundTests
