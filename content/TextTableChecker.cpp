#include "content/TextTableChecker.h"

#include <map>

#include "engine/core/Error.h"

namespace Content {

namespace {

constexpr std::uint32_t kMaxNumberedLines = 120;
const std::string kSizeSuffix = "_SIZE";

[[noreturn]] void Fail(const std::string& fileName, std::uint32_t line, const std::string& what)
{
    throw OrrelayEngine::Error(fileName + ":" + std::to_string(line) + ": " + what);
}

bool IsBlank(const std::string& line)
{
    return line.find_first_not_of(" \t") == std::string::npos;
}

// Continuation bytes in their places and nothing overlong is enough here: the
// writer turns the text into 16-bit units, which would hide a broken sequence.
bool IsUtf8(const std::string& text)
{
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80           ? 1
                                   : (lead >> 5) == 0x6  ? 2
                                   : (lead >> 4) == 0xE  ? 3
                                   : (lead >> 3) == 0x1E ? 4
                                                         : 0;
        if (length == 0 || (length == 2 && lead < 0xC2) || i + length > text.size()) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
                return false;
            }
        }
        i += length;
    }
    return true;
}

std::vector<std::string> SplitLines(const std::vector<std::uint8_t>& source)
{
    std::string text(source.begin(), source.end());
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        text.erase(0, 3);
    }
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = text.find('\n', start);
        std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    return lines;
}

void CheckNumberedLines(const std::string& fileName, const std::vector<TextTableEntry>& entries,
                        const std::map<std::string, std::size_t>& byKey)
{
    for (const TextTableEntry& entry : entries) {
        if (entry.key.size() <= kSizeSuffix.size() ||
            entry.key.compare(entry.key.size() - kSizeSuffix.size(), kSizeSuffix.size(), kSizeSuffix) != 0) {
            continue;
        }
        const bool digits = !entry.text.empty() && entry.text.size() <= 3 &&
                            entry.text.find_first_not_of("0123456789") == std::string::npos;
        const std::uint32_t count = digits ? static_cast<std::uint32_t>(std::stoul(entry.text)) : 0;
        if (count < 1 || count > kMaxNumberedLines) {
            Fail(fileName, entry.line + 1,
                 entry.key + " must hold a line count from 1 to 120 in digits, not \"" + entry.text + "\"");
        }
        const std::string stem = entry.key.substr(0, entry.key.size() - kSizeSuffix.size() + 1);
        for (std::uint32_t n = 0; n < count; ++n) {
            if (byKey.count(stem + std::to_string(n)) == 0) {
                Fail(fileName, entry.line,
                     entry.key + " says " + std::to_string(count) + " lines but " + stem + std::to_string(n) +
                         " is missing");
            }
        }
        const auto beyond = byKey.find(stem + std::to_string(count));
        if (beyond != byKey.end()) {
            Fail(fileName, entries[beyond->second].line,
                 stem + std::to_string(count) + " lies beyond the " + std::to_string(count) + " lines of " + entry.key);
        }
    }
}

} // namespace

std::vector<TextTableEntry> TextTableChecker::Check(const std::string& fileName,
                                                    const std::vector<std::uint8_t>& source)
{
    const std::vector<std::string> lines = SplitLines(source);
    std::vector<TextTableEntry> entries;
    std::map<std::string, std::size_t> byKey;
    bool expectingText = false;
    bool textTaken = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        const auto number = static_cast<std::uint32_t>(i + 1);
        if (!IsUtf8(line)) {
            Fail(fileName, number, "not UTF-8");
        }
        if (line.empty() || (IsBlank(line) && !expectingText)) {
            continue;
        }
        if (expectingText) {
            if (line.front() == '[') {
                Fail(fileName, number, "a key line where the text of " + entries.back().key + " should be");
            }
            entries.back().text = line;
            expectingText = false;
            textTaken = true;
            continue;
        }
        if (line.size() < 2 || line.front() != '[' || line.back() != ']') {
            Fail(fileName, number,
                 textTaken ? "a second text line for " + entries.back().key : "a line outside any entry");
        }
        const std::string key = line.substr(1, line.size() - 2);
        if (key.empty() || key.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_") != std::string::npos) {
            Fail(fileName, number, "the key \"" + key + "\" holds more than A-Z, 0-9 and _");
        }
        const auto earlier = byKey.find(key);
        if (earlier != byKey.end()) {
            Fail(fileName, number,
                 key + " is given twice (first at line " + std::to_string(entries[earlier->second].line) + ")");
        }
        byKey[key] = entries.size();
        entries.push_back(TextTableEntry{key, std::string(), number});
        expectingText = true;
        textTaken = false;
    }
    if (expectingText) {
        Fail(fileName, entries.back().line, entries.back().key + " has no text line");
    }
    CheckNumberedLines(fileName, entries, byKey);
    return entries;
}

std::wstring TextTableChecker::Widen(const std::string& utf8)
{
    std::wstring wide;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        std::uint32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length && i + k < utf8.size(); ++k) {
            code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        }
        wide.push_back(static_cast<wchar_t>(code));
        i += length;
    }
    return wide;
}

} // namespace Content
