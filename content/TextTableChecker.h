// Reads a text-table source of the data set and checks it before it is
// packed: a key line "[KEY]" with a key of A-Z, 0-9 and "_", followed by
// exactly one text line; blank lines between entries; no key twice; a key
// ending in "_SIZE" holds a line count from 1 to 120, and KEY_0 up to the last
// numbered line are all present, none beyond. Errors name the file and line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Content {

struct TextTableEntry
{
    std::string key;
    // UTF-8, as in the source.
    std::string text;
    std::uint32_t line = 0;
};

class TextTableChecker
{
public:
    // fileName is used in the messages only. Throws OrrelayEngine::Error
    // "<file>:<line>: <what is wrong>".
    static std::vector<TextTableEntry> Check(const std::string& fileName, const std::vector<std::uint8_t>& source);
    // A text Check accepted, as wide characters.
    static std::wstring Widen(const std::string& utf8);
};

} // namespace Content
