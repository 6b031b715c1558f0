// Feeds arbitrary text to the XML reader: it must fail with a FileError or
// build a tree, never crash, hang or leak.
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/core/FileError.h"
#include "tools/XMLNode.h"
#include "tools/XMLParser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Bytes as code units, the way a text file without a byte-order mark is read.
    std::wstring text(data, data + size);
    GameTools::XMLNode* root = nullptr;
    try {
        GameTools::XMLParser::ParseText(root, text);
    } catch (const OrrelayEngine::FileError&) {
    }
    delete root;

    GameTools::XMLNode top;
    GameTools::XMLNode* start = &top;
    try {
        GameTools::XMLParser::ParseText(start, text);
    } catch (const OrrelayEngine::FileError&) {
    }
    return 0;
}
