// Reads arbitrary bytes as text in every way the game reads text files.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "engine/file/FileBinary.h"
#include "engine/file/FileTextual.h"

namespace {

std::unique_ptr<OrrelayEngine::FileTextual> Open(const std::uint8_t* data, std::size_t size)
{
    auto file = std::make_unique<OrrelayEngine::FileBinary>(nullptr, "fuzz.txt", false, false, true,
                                                            static_cast<std::uint32_t>(size), data);
    return std::make_unique<OrrelayEngine::FileTextual>(nullptr, std::move(file), OrrelayEngine::FileTextual::kModeRead,
                                                        0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > 0xFFFFFFFFu)
        return 0;

    std::string narrow;
    std::wstring wide;
    {
        auto text = Open(data, size);
        while (text->ReadString(narrow, true, false)) {
        }
    }
    {
        auto text = Open(data, size);
        while (text->ReadWideString(wide, false, true)) {
        }
    }
    {
        auto text = Open(data, size);
        while (text->ReadWord(narrow, true)) {
        }
    }
    {
        auto text = Open(data, size);
        while (!text->IsEndOfFile()) {
            text->ReadInt();
            text->ReadFloat();
            text->ReadBool();
        }
    }
    {
        auto text = Open(data, size);
        text->ReadAllText(wide, true);
    }
    return 0;
}
