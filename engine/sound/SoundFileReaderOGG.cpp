#include "engine/sound/SoundFileReaderOGG.h"

#include <vorbis/vorbisfile.h>

#include <cstdio>
#include <limits>

#include "engine/core/FileError.h"
#include "engine/file/FileBinary.h"

namespace OrrelayEngine {

namespace {

constexpr int kLittleEndian = 0;
constexpr int kWordBytes = 2;
constexpr int kSigned = 1;

std::size_t ReadCallback(void* destination, std::size_t size, std::size_t count, void* source)
{
    auto* file = static_cast<FileBinary*>(source);
    if (size == 0 || count == 0) {
        return 0;
    }
    // Computed in 64 bits and cut to what is left, so no request can overflow.
    const std::uint64_t left = file->GetSize() - file->GetPosition();
    std::uint64_t wanted = std::uint64_t(size) * count;
    if (wanted / size != count || wanted > left) {
        wanted = left;
    }
    std::uint32_t got = 0;
    try {
        file->Read(destination, static_cast<std::uint32_t>(wanted), &got);
    } catch (...) {
        // Nothing may be thrown through the decoder's C frames.
        return 0;
    }
    return got / size;
}

// The decoder's origins are stdio's; the engine's file numbers them otherwise
// (from the start, back from the end, relative), so the target is computed here.
int SeekCallback(void* source, ogg_int64_t offset, int origin)
{
    auto* file = static_cast<FileBinary*>(source);
    std::int64_t target = 0;
    switch (origin) {
    case SEEK_SET:
        target = offset;
        break;
    case SEEK_CUR:
        target = static_cast<std::int64_t>(file->GetPosition()) + offset;
        break;
    case SEEK_END:
        target = static_cast<std::int64_t>(file->GetSize()) + offset;
        break;
    default:
        return -1;
    }
    if (target < 0 || target > static_cast<std::int64_t>(file->GetSize()) ||
        target > std::numeric_limits<std::int32_t>::max()) {
        return -1;
    }
    // The file calls a seek to its very end "outside", yet lands there, which
    // is exactly where the decoder wants to be.
    file->Seek(FileBinary::kSeekFromStart, static_cast<std::int32_t>(target));
    return file->GetPosition() == static_cast<std::uint64_t>(target) ? 0 : -1;
}

int CloseCallback(void*)
{
    return 0;
}

long TellCallback(void* source)
{
    return static_cast<long>(static_cast<FileBinary*>(source)->GetPosition());
}

} // namespace

SoundFileReaderOGG::SoundFileReaderOGG(MessageManager* log, FileManager* files, const std::string& name)
    : SoundFileReader(log, files, name), decoder_(std::make_unique<OggVorbis_File>())
{
    const std::string error = "Failed to load \"" + path_ + "\" sound file - incorrect format";
    bitsPerSample_ = 16;
    const ov_callbacks callbacks{ReadCallback, SeekCallback, CloseCallback, TellCallback};
    if (ov_open_callbacks(file_.get(), decoder_.get(), nullptr, 0, callbacks) < 0) {
        throw FileError(error);
    }
    const vorbis_info* info = ov_info(decoder_.get(), -1);
    const ogg_int64_t samples = ov_pcm_total(decoder_.get(), -1);
    bool usable = info != nullptr && samples >= 0 && info->rate > 0 &&
                  info->rate <= std::numeric_limits<std::int32_t>::max() &&
                  (info->channels == 1 || info->channels == 2);
    const std::uint64_t total =
        usable ? static_cast<std::uint64_t>(samples) * static_cast<std::uint64_t>(info->channels) * 2 : 0;
    usable = usable && total <= std::numeric_limits<std::uint32_t>::max();
    if (!usable) {
        // The destructor does not run for a constructor that throws.
        ov_clear(decoder_.get());
        throw FileError(error);
    }
    opened_ = true;
    channels_ = static_cast<std::uint32_t>(info->channels);
    sampleRate_ = static_cast<std::uint32_t>(info->rate);
    totalBytes_ = static_cast<std::uint32_t>(total);
}

SoundFileReaderOGG::~SoundFileReaderOGG()
{
    if (opened_) {
        ov_clear(decoder_.get());
    }
}

void SoundFileReaderOGG::Rewind()
{
    failed_ = ov_pcm_seek(decoder_.get(), 0) != 0;
}

void SoundFileReaderOGG::Read(void* buffer, std::uint32_t bytes, std::uint32_t& bytesRead, bool& atEnd)
{
    bytesRead = 0;
    atEnd = true;
    if (bytes == 0 || failed_) {
        return;
    }
    auto* out = static_cast<char*>(buffer);
    atEnd = false;
    // The decoder hands out whole frames only and answers 0, which would read as
    // the end, to a request smaller than one; so only whole frames are asked for.
    const std::uint32_t frameBytes = channels_ * 2;
    while (bytes - bytesRead >= frameBytes) {
        std::uint32_t request = std::min<std::uint32_t>(bytes - bytesRead, std::numeric_limits<int>::max());
        request -= request % frameBytes;
        int bitstream = 0;
        const long result = ov_read(decoder_.get(), out + bytesRead, static_cast<int>(request), kLittleEndian,
                                    kWordBytes, kSigned, &bitstream);
        if (result == 0) {
            atEnd = true;
            break;
        }
        if (result == OV_HOLE) {
            // A gap in the pages: the decoder has resynchronised, so reading goes on.
            continue;
        }
        if (result < 0) {
            // Anything else does not get better by asking again.
            failed_ = true;
            atEnd = true;
            break;
        }
        bytesRead += static_cast<std::uint32_t>(result);
    }
}

} // namespace OrrelayEngine
