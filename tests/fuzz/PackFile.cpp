// Opens arbitrary bytes as a pack and reads every entry its names point at.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/file/FileBinary.h"
#include "engine/file/PackFile.h"

namespace {

// The names as a lenient reader would see them, so that lookups hit real entries.
std::vector<std::string> CandidateNames(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::string> names;
    std::size_t at = 17;
    while (at < size && names.size() < 64) {
        const std::size_t length = data[at++];
        const std::size_t end = at + length < size ? at + length : size;
        names.emplace_back(reinterpret_cast<const char*>(data + at), end - at);
        names.back().resize(names.back().find('\0') == std::string::npos ? names.back().size()
                                                                         : names.back().find('\0'));
        at = end;
    }
    return names;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > 0xFFFFFFFFu)
        return 0;
    static OrrelayEngine::MessageManager log("Fuzz", false, false, "", "");
    log.ClearMessages();

    std::unique_ptr<OrrelayEngine::PackFile> pack;
    try {
        pack = std::make_unique<OrrelayEngine::PackFile>(
            &log, std::make_unique<OrrelayEngine::FileBinary>(&log, "fuzz.pak", false, false, true,
                                                              static_cast<std::uint32_t>(size), data));
    } catch (const OrrelayEngine::Error&) {
        return 0;
    }

    std::vector<std::uint8_t> buffer;
    for (const std::string& name : CandidateNames(data, size)) {
        std::uint32_t entrySize = 0;
        if (!pack->GetFileSize(name, entrySize))
            continue;
        buffer.resize(entrySize);
        // An entry that passed opening lies inside the file: reading must not throw.
        pack->ReadFile(name, buffer.data());
    }
    std::vector<std::string> list;
    pack->FindFiles("data", "*", list);
    return 0;
}
