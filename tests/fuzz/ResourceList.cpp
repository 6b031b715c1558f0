// Feeds arbitrary text to the resource-list reading: it must log what it
// cannot use and hand over well-formed elements, never crash, hang or leak.
// Shader and model elements are only counted, so no engine is needed.
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/core/MessageManager.h"
#include "framework/ResourceListReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Bytes as code units, the way a text file without a byte-order mark is read.
    const std::wstring text(data, data + size);
    OrrelayEngine::MessageManager log("Fuzz", false, false, "", "");
    std::size_t elements = 0;
    GameFramework::ResourceListReader reader(
        &log, "en", [&elements](const GameFramework::ResourceListReader::ShaderElement&) { ++elements; },
        [&elements](const GameFramework::ResourceListReader::ModelElement&) { ++elements; });
    reader.ReadText(text, "data\\ui\\menus\\list.xml");
    (void)elements;
    return 0;
}
