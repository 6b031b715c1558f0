// Decodes arbitrary bytes as a JPEG file, as Image does for a file on disk.
#include <cstddef>
#include <cstdint>

#include "engine/file/FileBinary.h"
#include "engine/render/Image.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > 0xFFFFFFFFu)
        return 0;
    OrrelayEngine::FileBinary file(nullptr, "fuzz.jpg", false, false, true, static_cast<std::uint32_t>(size), data);
    OrrelayEngine::Image image;
    image.ReadJPEG(nullptr, file, "fuzz.jpg");
    return 0;
}
