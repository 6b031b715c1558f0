// Feeds arbitrary bytes to the Ogg Vorbis reader as a file: it must either refuse the
// file with a FileError or read to an end, never crash or hang.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/core/FileError.h"
#include "engine/core/MessageManager.h"
#include "engine/file/FileManager.h"
#include "engine/sound/SoundFileReaderOGG.h"

namespace {

std::string FuzzFolder()
{
    return "/tmp/quillory_fuzz_ogg_" + std::to_string(::getpid());
}

void Drain(OrrelayEngine::SoundFileReader& reader)
{
    std::vector<std::uint8_t> buffer(4099);
    bool atEnd = false;
    while (!atEnd) {
        std::uint32_t got = 0;
        reader.Read(buffer.data(), static_cast<std::uint32_t>(buffer.size()), got, atEnd);
        if (got == 0 && !atEnd) {
            __builtin_trap();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The folder goes when the run ends.
    static const struct Folder
    {
        Folder() : path(FuzzFolder()) { ::mkdir(path.c_str(), 0700); }
        ~Folder()
        {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
        std::string path;
    } scratch;
    const std::string& folder = scratch.path;
    static OrrelayEngine::MessageManager log("Fuzz", false, false, "", "");
    static OrrelayEngine::FileManager files(&log, folder, "");
    log.ClearMessages();

    const std::string path = folder + "/input.ogg";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return 0;
    }
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    try {
        OrrelayEngine::SoundFileReaderOGG reader(&log, &files, path);
        if (reader.GetChannels() < 1 || reader.GetChannels() > 2 ||
            reader.GetBitsPerSample() != 16) {
            __builtin_trap();
        }
        Drain(reader);
        reader.Rewind();
        Drain(reader);
    } catch (const OrrelayEngine::FileError&) {
    }
    return 0;
}
